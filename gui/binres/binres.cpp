// BINRES: the resource container. Layout, operations and status codes are listed in binres.h.
//
// Every length and position read from the file is treated as hostile: the index is checked
// against the file's length when it is opened, and every resource against it when it is read,
// so no input makes the module read outside the file or allocate more than the file holds.
#include "binres/binres.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/files.h"
#include "base/text.h"

std::int16_t BinResErr = 0;
std::string BinResErrMsg;

namespace binres {

long long IdxPosFor(long long len) {
  long long pos = (len | 15) + 2;
  return pos < kMinIdxPos ? kMinIdxPos : pos;
}

long long DataStartFor(long long idx_pos, int max_ents_len) {
  return ((idx_pos + kHdrSize + max_ents_len) | 15) + 2;
}

void Le16Pack(unsigned char* p, std::int16_t v) {
  unsigned u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<unsigned char>(u & 0xFF);
  p[1] = static_cast<unsigned char>((u >> 8) & 0xFF);
}

std::int16_t Le16Unpack(const unsigned char* p) {
  long v = static_cast<long>(p[0]) | (static_cast<long>(p[1]) << 8);
  if (v >= 0x8000)
    v -= 0x10000;
  return static_cast<std::int16_t>(v);
}

void Le32Pack(unsigned char* p, std::int32_t v) {
  std::uint32_t u = static_cast<std::uint32_t>(v);  // the two's-complement bit pattern
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<unsigned char>((u >> (8 * i)) & 0xFF);
}

bool Le32Unpack(const unsigned char* p, std::int32_t* v) {
  if (p[3] >= 0x80)
    return false;
  *v = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
  return true;
}

}  // namespace binres

using namespace binres;

namespace {

enum class Mode { Closed, Reading, Building };

struct Container {
  std::FILE* file = nullptr;  // FileNo: null when no container is open
  Mode mode = Mode::Closed;
  long long idx_pos = kUnset;
  std::int16_t max_ents_len = 0;
  std::int16_t used_len = 0;
  std::string idx_entries;  // the entries exactly as in the file
  long long next_data_pos = kUnset;
  bool dirty = false;
  std::string key_index;
};

Container g;

void SetOk() {
  BinResErr = 0;
  BinResErrMsg.clear();
}

void SetStatus(std::int16_t code, const char* op, const std::string& text) {
  BinResErr = code;
  BinResErrMsg = op ? std::string(op) + ": " + text : text;
}

void SetPlatformStatus(const char* op, int err) {
  if (err == 0)
    err = EIO;  // a short transfer that left errno unset
  SetStatus(static_cast<std::int16_t>(err), op, BinResErrorText(err));
}

// Forgets the container; the file must already be closed.
void Reset() {
  g.file = nullptr;
  g.mode = Mode::Closed;
  g.idx_entries.clear();
  g.key_index.clear();
}

void CloseQuietly() {
  if (g.file)
    std::fclose(g.file);
  Reset();
}

bool SeekTo(long long pos, int* err) {
  if (pos < 1 || pos - 1 > LONG_MAX) {
    *err = EFBIG;
    return false;
  }
  errno = 0;
  if (std::fseek(g.file, static_cast<long>(pos - 1), SEEK_SET) != 0) {
    *err = errno;
    return false;
  }
  return true;
}

// Reads up to n bytes at position pos. Returns the number read (fewer at the end of the file),
// or -1 with the platform error in *err.
long ReadAt(long long pos, unsigned char* buf, std::size_t n, int* err) {
  if (!SeekTo(pos, err))
    return -1;
  errno = 0;
  std::size_t got = std::fread(buf, 1, n, g.file);
  if (got < n && std::ferror(g.file)) {
    *err = errno;
    std::clearerr(g.file);
    return -1;
  }
  return static_cast<long>(got);
}

bool WriteAt(long long pos, const void* buf, std::size_t n, int* err) {
  if (!SeekTo(pos, err))
    return false;
  errno = 0;
  if (std::fwrite(buf, 1, n, g.file) != n || std::fflush(g.file) != 0) {
    *err = errno;
    std::clearerr(g.file);
    return false;
  }
  return true;
}

bool FileLength(long long* len, int* err) {
  errno = 0;
  if (std::fseek(g.file, 0, SEEK_END) != 0) {
    *err = errno;
    return false;
  }
  long end = std::ftell(g.file);
  if (end < 0) {
    *err = errno;
    return false;
  }
  *len = end;
  return true;
}

// Adds an entry's look-up key: its offset (2 bytes), "[", the identifier, "]".
void AddKey(long offset, const std::string& identifier) {
  unsigned char off[2];
  Le16Pack(off, static_cast<std::int16_t>(offset));
  g.key_index.append(reinterpret_cast<const char*>(off), 2);
  g.key_index += '[';
  g.key_index += identifier;
  g.key_index += ']';
}

bool HasBracket(const std::string& s) {
  return s.find_first_of("[]") != std::string::npos;
}

// Reads the pointer at 57..60 of a file of length len. A file that ends before position 60
// holds no container: the one to three host bytes it may have at 57..59 are no pointer.
// Returns false with the status set (and the file closed) on failure.
bool ReadPointer(long long len, std::int32_t* ptr) {
  *ptr = 0;
  if (len < kPointerPos + 3) {
    return true;
  }
  unsigned char b[4] = {0, 0, 0, 0};
  int err = 0;
  if (ReadAt(kPointerPos, b, 4, &err) < 0) {
    CloseQuietly();
    SetPlatformStatus("BinResOpen", err);
    return false;
  }
  if (!Le32Unpack(b, ptr)) {
    CloseQuietly();
    SetStatus(kFieldRange, "BinResOpen",
              "Field out of range at position " + FormatDecimal(kPointerPos));
    return false;
  }
  return true;
}

// Fails the open with a status and closes the file.
void FailOpen(std::int16_t code, const std::string& text) {
  CloseQuietly();
  SetStatus(code, "BinResOpen", text);
}

void FailOpenPlatform(int err) {
  CloseQuietly();
  SetPlatformStatus("BinResOpen", err);
}

// Opens the file for reading, or for reading and writing (created when missing, never
// truncated), and reads the pointer and the file's length. False with the status set and the
// file closed on failure.
bool OpenFile(const std::string& path, Mode mode, std::int32_t* ptr, long long* len) {
  errno = 0;
  g.file = ::OpenFile(path, mode == Mode::Reading ? "rb" : "r+b");
  if (!g.file && mode == Mode::Building && errno == ENOENT) {
    errno = 0;
    g.file = ::OpenFile(path, "w+b");
  }
  if (!g.file) {
    FailOpenPlatform(errno);
    return false;
  }
  g.mode = mode;
  int err = 0;
  if (!FileLength(len, &err)) {
    FailOpenPlatform(err);
    return false;
  }
  return ReadPointer(*len, ptr);
}

// Reads n index bytes at pos, all of which lie inside the file of length len. False with the
// status set and the file closed when they do not.
bool ReadIndexBytes(long long pos, unsigned char* buf, long n, long long len) {
  int err = 0;
  long got = pos + n - 1 > len ? 0 : ReadAt(pos, buf, static_cast<std::size_t>(n), &err);
  if (got < 0) {
    FailOpenPlatform(err);
    return false;
  }
  if (got < n) {
    FailOpen(kBeyondEnd, "Index extends beyond end of file");
    return false;
  }
  return true;
}

void OpenForReading(const std::string& path) {
  std::int32_t ptr = 0;
  long long len = 0;
  if (!OpenFile(path, Mode::Reading, &ptr, &len))
    return;
  if (ptr < kNoContainerBelow) {
    FailOpen(kNotFound, "Resource is empty");
    return;
  }
  unsigned char hdr[kHdrSize];
  if (!ReadIndexBytes(ptr, hdr, kHdrSize, len))
    return;
  g.idx_pos = ptr;
  g.max_ents_len = Le16Unpack(hdr + kHdrMaxEntsLen);
  std::int16_t used = Le16Unpack(hdr + kHdrUsedLen);
  if (g.max_ents_len < kMinBuildIndexLen || used < 0 || used > g.max_ents_len) {
    FailOpen(kCorruptIndex, "Index is corrupt, MaxEntsLen=" + FormatDecimal(g.max_ents_len) +
                                ", used length=" + FormatDecimal(used));
    return;
  }
  g.idx_entries.assign(static_cast<std::size_t>(used), '\0');
  if (used > 0 && !ReadIndexBytes(g.idx_pos + kHdrSize,
                                  reinterpret_cast<unsigned char*>(&g.idx_entries[0]), used, len)) {
    return;
  }
  g.used_len = used;

  // Offsets are 1-based within IdxEntries, as KeyIndex stores them.
  long offset = 1;
  while (offset <= used) {
    long id_len_at = offset + kEntIdLen;  // 1-based
    if (id_len_at > used) {
      FailOpen(kCorruptIndex, "Index is corrupt, entry at offset " + FormatDecimal(offset) +
                                  " overruns the used length " + FormatDecimal(used));
      return;
    }
    long n = static_cast<unsigned char>(g.idx_entries[static_cast<std::size_t>(id_len_at - 1)]);
    if (offset + kEntId + n - 1 > used) {
      FailOpen(kCorruptIndex, "Index is corrupt, entry at offset " + FormatDecimal(offset) +
                                  " overruns the used length " + FormatDecimal(used));
      return;
    }
    std::string id = g.idx_entries.substr(static_cast<std::size_t>(offset - 1 + kEntId),
                                          static_cast<std::size_t>(n));
    if (n == 0 || HasBracket(id)) {
      FailOpen(kCorruptIndex, "Index is corrupt, entry at offset " + FormatDecimal(offset) +
                                  " has an invalid identifier");
      return;
    }
    AddKey(offset, id);
    offset += kEntId + n;
  }
  SetOk();
}

void OpenForBuilding(const std::string& path, std::int16_t index_len) {
  std::int32_t ptr = 0;
  long long len = 0;
  if (!OpenFile(path, Mode::Building, &ptr, &len))
    return;
  int err = 0;
  long long idx_pos = ptr;
  if (ptr < kNoContainerBelow) {
    idx_pos = IdxPosFor(len);
    if (idx_pos > INT32_MAX) {
      FailOpenPlatform(EFBIG);
      return;
    }
    unsigned char b[4];
    Le32Pack(b, static_cast<std::int32_t>(idx_pos));
    if (!WriteAt(kPointerPos, b, 4, &err)) {
      FailOpenPlatform(err);
      return;
    }
  } else if (idx_pos + kHdrSize - 1 > len) {
    // A pointer this module wrote always lies inside the file; anything else is not ours.
    FailOpen(kBeyondEnd, "Index extends beyond end of file");
    return;
  }
  long long data_start = DataStartFor(idx_pos, index_len);
  if (data_start - 1 > INT32_MAX) {
    FailOpenPlatform(EFBIG);
    return;
  }
  std::string area(static_cast<std::size_t>(data_start - idx_pos), '\xFF');
  unsigned char* hdr = reinterpret_cast<unsigned char*>(&area[0]);
  Le16Pack(hdr + kHdrMaxEntsLen, index_len);
  Le16Pack(hdr + kHdrUsedLen, 0);
  if (!WriteAt(idx_pos, area.data(), area.size(), &err)) {
    FailOpenPlatform(err);
    return;
  }
  g.idx_pos = idx_pos;
  g.max_ents_len = index_len;
  g.used_len = 0;
  g.next_data_pos = data_start;
  SetOk();
}

bool RequireOpen(const char* op) {
  if (g.mode != Mode::Closed)
    return true;
  SetStatus(kNotOpen, op, "No container open");
  return false;
}

}  // namespace

std::string BinResErrorText(int errnum) {
  return "Error " + std::to_string(errnum) + ": " + std::strerror(errnum);
}

bool BinResIsOpen() {
  return g.mode != Mode::Closed;
}
std::int16_t BinResMaxEntsLen() {
  return g.max_ents_len;
}
std::int16_t BinResUsedLen() {
  return g.used_len;
}

void BinResOpen(const std::string& path, std::int16_t initial_index_len) {
  if (g.mode != Mode::Closed) {
    SetStatus(kAlreadyOpen, nullptr, "Already open");
    return;
  }
  if (initial_index_len != 0 && initial_index_len < kMinBuildIndexLen) {
    SetStatus(kInvalidArg, "BinResOpen", "Invalid initial index length");
    return;
  }
  g.idx_pos = kUnset;
  g.next_data_pos = kUnset;
  g.max_ents_len = 0;
  g.used_len = 0;
  g.idx_entries.clear();
  g.key_index.clear();
  g.dirty = false;
  if (initial_index_len == 0) {
    OpenForReading(path);
  } else {
    OpenForBuilding(path, initial_index_len);
  }
}

void BinResAppend(const std::string& identifier, const std::string& data) {
  const char* op = "BinResAppend";
  if (!RequireOpen(op))
    return;
  if (g.mode != Mode::Building) {
    SetStatus(kReadOnly, op, "Container opened for reading");
    return;
  }
  long long n = static_cast<long long>(identifier.size());
  if (n < 1 || n > 255) {
    SetStatus(kInvalidArg, op, "Invalid Identifier length " + FormatDecimal(n));
    return;
  }
  if (HasBracket(identifier)) {
    SetStatus(kInvalidArg, op, "Invalid Identifier, contains [ or ]");
    return;
  }
  long long used = static_cast<long long>(g.idx_entries.size());
  if (used + kEntId + n > g.max_ents_len) {
    SetStatus(kIndexFull, op,
              "Index is full, IdxEntries=" + FormatDecimal(used) + ", IdLen=" + FormatDecimal(n) +
                  ", MaxEntsLen=" + FormatDecimal(g.max_ents_len));
    return;
  }
  long long pos = 0;
  long long len = static_cast<long long>(data.size());
  if (len > 0) {
    int err = 0;
    if (g.next_data_pos + len - 1 > INT32_MAX) {
      SetPlatformStatus(op, EFBIG);
      return;
    }
    if (!WriteAt(g.next_data_pos, data.data(), data.size(), &err)) {
      SetPlatformStatus(op, err);
      return;
    }
    pos = g.next_data_pos;
    g.next_data_pos += len;
  }
  unsigned char fixed[kEntId];
  Le32Pack(fixed + kEntDataPos, static_cast<std::int32_t>(pos));
  Le32Pack(fixed + kEntDataLen, static_cast<std::int32_t>(len));
  fixed[kEntIdLen] = static_cast<unsigned char>(n);
  AddKey(static_cast<long>(used + 1), identifier);
  g.idx_entries.append(reinterpret_cast<const char*>(fixed), kEntId);
  g.idx_entries += identifier;
  g.used_len = static_cast<std::int16_t>(g.idx_entries.size());
  g.dirty = true;
  SetOk();
}

namespace {

// The index entry of an identifier and the file position of its first byte; false with the
// status set when there is none.
bool FindEntry(const std::string& identifier, const char* op, const unsigned char** entry,
               long long* entry_pos) {
  // No entry has an empty identifier or one with a bracket. Searching for one could match
  // offset bytes that equal "[" or "]" and read a field from the middle of an entry.
  std::size_t at = identifier.empty() || HasBracket(identifier)
                       ? std::string::npos
                       : g.key_index.find("[" + identifier + "]");
  if (at == std::string::npos || at < 2) {
    SetStatus(kNotFound, op, "Resource identifier not found");
    return false;
  }
  long o = Le16Unpack(reinterpret_cast<const unsigned char*>(g.key_index.data() + at - 2));
  if (o < 1 || o + kEntIdLen > static_cast<long>(g.idx_entries.size())) {
    SetStatus(kNotFound, op, "Resource identifier not found");  // unreachable: keys are ours
    return false;
  }
  *entry = reinterpret_cast<const unsigned char*>(g.idx_entries.data()) + o - 1;
  *entry_pos = g.idx_pos + kHdrSize + o - 1;
  return true;
}

// The 32-bit field at offset within the entry found at entry_pos; false with the status set,
// naming the field's file position, when its value is out of range.
bool EntryField(const unsigned char* entry, long long entry_pos, int offset, const char* op,
                std::int32_t* value) {
  if (Le32Unpack(entry + offset, value))
    return true;
  SetStatus(kFieldRange, op, "Field out of range at position " + FormatDecimal(entry_pos + offset));
  return false;
}

// The len bytes of data at file position pos, which must lie within the file; empty with the
// status set when they cannot be read.
std::string ReadData(std::int32_t pos, std::int32_t len, const char* op) {
  int err = 0;
  long long file_len = 0;
  if (!FileLength(&file_len, &err)) {
    SetPlatformStatus(op, err);
    return std::string();
  }
  if (pos < 1 || static_cast<long long>(pos) + len - 1 > file_len) {
    SetStatus(kBeyondEnd, op, "Resource extends beyond end of file");
    return std::string();
  }
  std::string out(static_cast<std::size_t>(len), '\0');
  long got = ReadAt(pos, reinterpret_cast<unsigned char*>(&out[0]), out.size(), &err);
  if (got < 0) {
    SetPlatformStatus(op, err);
    return std::string();
  }
  if (got < len) {
    SetStatus(kBeyondEnd, op, "Resource extends beyond end of file");
    return std::string();
  }
  SetOk();
  return out;
}

}  // namespace

std::string BinResGet(const std::string& identifier) {
  const char* op = "BinResGet";
  const unsigned char* entry = nullptr;
  long long entry_pos = 0;  // the file position of the entry, for messages
  if (!RequireOpen(op) || !FindEntry(identifier, op, &entry, &entry_pos))
    return std::string();
  std::int32_t len = 0;
  if (!EntryField(entry, entry_pos, kEntDataLen, op, &len))
    return std::string();
  if (len > kMaxGetLength) {
    SetStatus(kBadGetLength, op,
              "Resource data length invalid for get string = " + FormatDecimal(len));
    return std::string();
  }
  if (len == 0) {
    SetOk();
    return std::string();
  }
  std::int32_t pos = 0;
  if (!EntryField(entry, entry_pos, kEntDataPos, op, &pos))
    return std::string();
  return ReadData(pos, len, op);
}

std::string BinResGetIdentifiers() {
  std::string out;
  const std::string& k = g.key_index;
  std::size_t from = 2;  // behind the first entry's two offset bytes
  while (from < k.size()) {
    std::size_t open = k.find('[', from);
    if (open == std::string::npos)
      break;
    std::size_t close = k.find(']', open + 1);
    if (close == std::string::npos)
      break;
    out.append(k, open + 1, close - open - 1);
    out += '\0';
    from = close + 3;
  }
  SetOk();
  return out;
}

void BinResClose() {
  const char* op = "BinResClose";
  if (!RequireOpen(op)) {
    Reset();
    return;
  }
  int err = 0;
  bool ok = true;
  if (g.dirty && g.mode == Mode::Building) {
    unsigned char used[2];
    Le16Pack(used, g.used_len);
    ok = WriteAt(g.idx_pos + kHdrUsedLen, used, 2, &err) &&
         (g.idx_entries.empty() ||
          WriteAt(g.idx_pos + kHdrSize, g.idx_entries.data(), g.idx_entries.size(), &err));
  }
  errno = 0;
  if (std::fclose(g.file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  Reset();
  if (ok) {
    SetOk();
  } else {
    SetPlatformStatus(op, err);
  }
}
