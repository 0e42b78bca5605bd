#include "regc/regc_filestore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "base/files.h"
#include "base/text.h"

namespace {

constexpr const char* kHeader = "tavlo-settings 1";
constexpr uint32_t kKeySetValue = 0x0002;  // the access bit that allows writing values
constexpr uint32_t kHandleStep = 4;

const char kHexDigits[] = "0123456789ABCDEF";

std::string Fold(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// "a\\b\" -> "a\b": empty components are dropped, as the registry treats doubled separators.
std::string NormalisePath(const std::string& path) {
  std::string out, part;
  for (std::string::size_type i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      if (!part.empty()) {
        if (!out.empty())
          out += '\\';
        out += part;
      }
      part.clear();
    } else {
      part += path[i];
    }
  }
  return out;
}

std::string JoinPath(const std::string& a, const std::string& b) {
  if (a.empty())
    return b;
  if (b.empty())
    return a;
  return a + "\\" + b;
}

// Adds the key and every key above it that is missing. Keys that exist keep their spelling,
// and a new key below them takes it over.
void AddKey(RegcFileTree* tree, const std::string& shown) {
  std::string path;
  std::string::size_type pos = 0;
  while (true) {
    std::string::size_type sep = shown.find('\\', pos);
    std::string part = shown.substr(pos, sep == std::string::npos ? std::string::npos : sep - pos);
    path = JoinPath(path, part);
    RegcFileTree::Key& key = tree->keys[Fold(path)];
    if (key.path.empty())
      key.path = path;
    path = key.path;
    if (sep == std::string::npos)
      return;
    pos = sep + 1;
  }
}

void Escape(const std::string& text, std::string* out) {
  *out += '"';
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c <= 0x7E && c != '"' && c != '%') {
      *out += ch;
    } else {
      *out += '%';
      *out += kHexDigits[c >> 4];
      *out += kHexDigits[c & 0x0F];
    }
  }
  *out += '"';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// Reads a quoted text at line[*pos]; *pos ends just after its closing quote.
bool Unescape(const std::string& line, std::string::size_type* pos, std::string* out) {
  std::string::size_type i = *pos;
  if (i >= line.size() || line[i] != '"')
    return false;
  out->clear();
  for (++i; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      *pos = i + 1;
      return true;
    }
    if (c == '%') {
      if (i + 2 >= line.size())
        return false;
      int hi = HexValue(line[i + 1]), lo = HexValue(line[i + 2]);
      if (hi < 0 || lo < 0)
        return false;
      *out += static_cast<char>(hi << 4 | lo);
      i += 2;
    } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
      return false;
    } else {
      *out += c;
    }
  }
  return false;  // no closing quote
}

bool Expect(const std::string& line, std::string::size_type* pos, const char* word) {
  std::size_t n = std::strlen(word);
  if (line.compare(*pos, n, word) != 0)
    return false;
  *pos += n;
  return true;
}

bool ParseType(const std::string& line, std::string::size_type* pos, uint32_t* type) {
  uint64_t value = 0;
  std::string::size_type start = *pos;
  while (*pos < line.size() && line[*pos] >= '0' && line[*pos] <= '9' && *pos - start < 10) {
    value = value * 10 + static_cast<uint64_t>(line[*pos] - '0');
    ++*pos;
  }
  if (*pos == start || value > 0xFFFFFFFFu)
    return false;
  *type = static_cast<uint32_t>(value);
  return true;
}

// One line after the header; *current is the folded path of the key named last ("" before any).
// The values after a key line that cannot be read belong to no key: they are skipped (and
// reported) until the next good key line, never filed under the key before it.
bool ParseLine(const std::string& line, RegcFileTree* tree, std::string* current, bool* have_key) {
  std::string::size_type pos = 0;
  if (Expect(line, &pos, "key ")) {
    std::string path;
    if (!Unescape(line, &pos, &path) || pos != line.size()) {
      *have_key = false;
      return false;
    }
    std::string shown = NormalisePath(path);
    AddKey(tree, shown);
    *current = Fold(shown);
    *have_key = true;
    return true;
  }
  if (Expect(line, &pos, "value ")) {
    RegcFileTree::Value value;
    if (!*have_key || !ParseType(line, &pos, &value.type) || !Expect(line, &pos, " ") ||
        !Unescape(line, &pos, &value.name) || !Expect(line, &pos, " ") ||
        !Unescape(line, &pos, &value.data) || pos != line.size()) {
      return false;
    }
    tree->keys[*current].values[Fold(value.name)] = std::move(value);
    return true;
  }
  return false;
}

}  // namespace

bool RegcFileTree::operator==(const RegcFileTree& other) const {
  if (keys.size() != other.keys.size())
    return false;
  for (auto a = keys.begin(), b = other.keys.begin(); a != keys.end(); ++a, ++b) {
    if (a->first != b->first || a->second.path != b->second.path ||
        a->second.values.size() != b->second.values.size()) {
      return false;
    }
    for (auto x = a->second.values.begin(), y = b->second.values.begin();
         x != a->second.values.end(); ++x, ++y) {
      if (x->first != y->first || x->second.name != y->second.name ||
          x->second.type != y->second.type || x->second.data != y->second.data) {
        return false;
      }
    }
  }
  return true;
}

RegcFileLoadStatus RegcFileParse(const std::string& bytes, RegcFileTree* tree,
                                 std::size_t* bad_line) {
  tree->keys.clear();
  tree->keys[""].path = "";  // the root, HKEY_CURRENT_USER itself, always exists
  *bad_line = 0;
  if (bytes.empty())
    return RegcFileLoadStatus::kOk;

  RegcFileLoadStatus status = RegcFileLoadStatus::kOk;
  std::string current;
  bool have_key = false;
  std::size_t number = 0;
  std::string::size_type start = 0;
  while (start < bytes.size()) {
    ++number;
    std::string::size_type end = bytes.find('\n', start);
    if (end == std::string::npos) {
      if (number == 1)
        return RegcFileLoadStatus::kBadHeader;
      if (status == RegcFileLoadStatus::kOk)
        status = RegcFileLoadStatus::kTruncated;
      break;
    }
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (number == 1) {
      if (line != kHeader)
        return RegcFileLoadStatus::kBadHeader;
      continue;
    }
    if (line.empty())
      continue;
    if (!ParseLine(line, tree, &current, &have_key) && status == RegcFileLoadStatus::kOk) {
      status = RegcFileLoadStatus::kBadLine;
      *bad_line = number;
    }
  }
  return status;
}

std::string RegcFileFormat(const RegcFileTree& tree) {
  std::string out = std::string(kHeader) + "\n";
  for (const auto& [folded, key] : tree.keys) {
    out += "key ";
    Escape(key.path, &out);
    out += '\n';
    for (const auto& [folded_name, value] : key.values) {
      out += "value " + std::to_string(value.type) + " ";
      Escape(value.name, &out);
      out += ' ';
      Escape(value.data, &out);
      out += '\n';
    }
  }
  return out;
}

RegcFileStore::RegcFileStore(std::string path) : path_(std::move(path)) {
  Load();
}

void RegcFileStore::Load() {
  bad_line_ = 0;
  tree_.keys.clear();
  tree_.keys[""].path = "";
  std::FILE* f = OpenFile(path_, "rb");
  if (f == nullptr) {
    status_ = errno == ENOENT ? RegcFileLoadStatus::kMissing : RegcFileLoadStatus::kUnreadable;
    return;
  }
  std::string bytes;
  char chunk[4096];
  std::size_t n;
  status_ = RegcFileLoadStatus::kOk;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    bytes.append(chunk, n);
    if (bytes.size() > kRegcFileMaxBytes) {
      status_ = RegcFileLoadStatus::kTooLarge;
      break;
    }
  }
  if (status_ == RegcFileLoadStatus::kOk && std::ferror(f)) {
    status_ = RegcFileLoadStatus::kUnreadable;
  }
  std::fclose(f);
  if (status_ != RegcFileLoadStatus::kOk)
    return;

  RegcFileTree tree;
  status_ = RegcFileParse(bytes, &tree, &bad_line_);
  if (status_ != RegcFileLoadStatus::kBadHeader)
    tree_ = std::move(tree);
}

bool RegcFileStore::Save(const RegcFileTree& tree) {
  if (status_ == RegcFileLoadStatus::kUnreadable || status_ == RegcFileLoadStatus::kTooLarge ||
      status_ == RegcFileLoadStatus::kBadHeader) {
    return false;
  }
  MakeParentFolders(path_);

  std::string temp = path_ + ".new";
  std::string bytes = RegcFileFormat(tree);
  std::FILE* f = OpenFile(temp, "wb");
  if (f == nullptr)
    return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
#ifdef _WIN32
  ok = _commit(_fileno(f)) == 0 && ok;
#else
  ok = fsync(fileno(f)) == 0 && ok;
#endif
  ok = std::fclose(f) == 0 && ok;
  if (ok) {
    ok = ReplaceFile(temp, path_) == 0;
  }
  if (!ok)
    RemoveFile(temp);
  return ok;
}

bool RegcFileStore::Resolve(uint32_t parent, const std::string& path, std::string* folded,
                            std::string* shown) const {
  std::string base;
  if (parent != kRegcCurrentUser) {
    auto open = open_.find(parent);
    if (open == open_.end())
      return false;
    auto key = tree_.keys.find(open->second.folded_path);
    base = key != tree_.keys.end() ? key->second.path : open->second.folded_path;
  }
  *shown = NormalisePath(JoinPath(base, NormalisePath(path)));
  *folded = Fold(*shown);
  return true;
}

uint32_t RegcFileStore::Issue(const std::string& folded_path, uint32_t access) {
  uint32_t handle;
  do {
    handle = next_handle_;
    next_handle_ += kHandleStep;
  } while (handle == 0 || handle == kRegcCurrentUser || open_.count(handle) != 0);
  open_[handle] = OpenKey{folded_path, (access & kKeySetValue) != 0};
  return handle;
}

int32_t RegcFileStore::RegOpenKeyExA(uint32_t parent, const std::string& path, uint32_t /*options*/,
                                     uint32_t access, uint32_t* key) {
  *key = 0;
  Load();
  std::string folded, shown;
  if (!Resolve(parent, path, &folded, &shown))
    return kRegcBadHandle;
  if (tree_.keys.find(folded) == tree_.keys.end())
    return kRegcNotFound;
  *key = Issue(folded, access);
  return kRegcSuccess;
}

int32_t RegcFileStore::RegCreateKeyExA(uint32_t parent, const std::string& path,
                                       const std::string& /*key_class*/, uint32_t /*options*/,
                                       uint32_t access, uint32_t* key) {
  *key = 0;
  Load();
  std::string folded, shown;
  if (!Resolve(parent, path, &folded, &shown))
    return kRegcBadHandle;
  if (tree_.keys.find(folded) == tree_.keys.end()) {
    RegcFileTree changed = tree_;
    AddKey(&changed, shown);
    if (!Save(changed))
      return kRegcIoFailed;
    tree_ = std::move(changed);
  }
  *key = Issue(folded, access);
  return kRegcSuccess;
}

int32_t RegcFileStore::RegQueryValueExA(uint32_t key, const std::string& name, uint32_t* type,
                                        unsigned char* data, uint32_t* len) {
  std::string folded_path;
  if (key == kRegcCurrentUser) {
    folded_path = "";
  } else {
    auto open = open_.find(key);
    if (open == open_.end())
      return kRegcBadHandle;
    folded_path = open->second.folded_path;
  }
  auto found = tree_.keys.find(folded_path);
  if (found == tree_.keys.end())
    return kRegcNotFound;
  auto value = found->second.values.find(Fold(name));
  if (value == found->second.values.end())
    return kRegcNotFound;
  const std::string& bytes = value->second.data;
  *type = value->second.type;
  uint32_t size = static_cast<uint32_t>(bytes.size());
  if (data != nullptr && *len < size) {
    *len = size;
    return kRegcMoreData;
  }
  if (data != nullptr && size > 0)
    std::memcpy(data, bytes.data(), size);
  *len = size;
  return kRegcSuccess;
}

int32_t RegcFileStore::RegSetValueExA(uint32_t key, const std::string& name, uint32_t type,
                                      const unsigned char* data, uint32_t len) {
  std::string folded_path;
  if (key != kRegcCurrentUser) {
    auto open = open_.find(key);
    if (open == open_.end())
      return kRegcBadHandle;
    if (!open->second.writable)
      return kRegcAccessDenied;
    folded_path = open->second.folded_path;
  }
  if (tree_.keys.find(folded_path) == tree_.keys.end())
    return kRegcNotFound;
  RegcFileTree changed = tree_;
  RegcFileTree::Value& value = changed.keys[folded_path].values[Fold(name)];
  value.name = name;
  value.type = type;
  if (data != nullptr)
    value.data.assign(reinterpret_cast<const char*>(data), len);
  if (!Save(changed))
    return kRegcIoFailed;
  tree_ = std::move(changed);
  return kRegcSuccess;
}

// Every change is on disk when its call returns, so a flush has nothing left to do.
int32_t RegcFileStore::RegFlushKey(uint32_t key) {
  if (key == kRegcCurrentUser || open_.count(key) != 0)
    return kRegcSuccess;
  return kRegcBadHandle;
}

int32_t RegcFileStore::RegCloseKey(uint32_t key) {
  if (key == kRegcCurrentUser)
    return kRegcSuccess;
  return open_.erase(key) != 0 ? kRegcSuccess : kRegcBadHandle;
}

uint32_t RegcFileStore::FormatMessageA(uint32_t /*flags*/, int32_t code, char* buffer,
                                       uint32_t size) {
  const char* text;
  switch (code) {
    case kRegcSuccess:
      text = "The operation completed successfully.";
      break;
    case kRegcNotFound:
      text = "The settings key or value does not exist.";
      break;
    case kRegcAccessDenied:
      text = "Access is denied: the key was opened for reading.";
      break;
    case kRegcBadHandle:
      text = "The key handle is not valid.";
      break;
    case kRegcMoreData:
      text = "The value is longer than the space offered for it.";
      break;
    case kRegcIoFailed:
      text = "The settings file could not be written.";
      break;
    default:
      return 0;
  }
  std::string line = std::string(text) + kCrLf;
  if (line.size() + 1 > size)
    return 0;
  std::memcpy(buffer, line.c_str(), line.size() + 1);
  return static_cast<uint32_t>(line.size());
}
