#include "regc_test_support.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<RecordedBox> recorded;

int Record(const std::string& prompt, unsigned style, const std::string& title) {
  recorded.push_back(RecordedBox{prompt, style, title});
  return kMsgBoxIdOk;
}

}  // namespace

BoxRecorder::BoxRecorder() {
  recorded.clear();
  InstallMsgBox(Record);
}

BoxRecorder::~BoxRecorder() {
  InstallMsgBox(nullptr);
}

const std::vector<RecordedBox>& BoxRecorder::boxes() const {
  return recorded;
}

int32_t ScriptedStore::RegOpenKeyExA(uint32_t parent, const std::string& path, uint32_t options,
                                     uint32_t access, uint32_t* key) {
  ++calls;
  open_seen.options = options;
  open_seen.access = access;
  if (open_rc) {
    *key = 0;
    return *open_rc;
  }
  return inner_.RegOpenKeyExA(parent, path, options, access, key);
}

int32_t ScriptedStore::RegCreateKeyExA(uint32_t parent, const std::string& path,
                                       const std::string& key_class, uint32_t options,
                                       uint32_t access, uint32_t* key) {
  ++calls;
  create_seen.key_class = key_class;
  create_seen.options = options;
  create_seen.access = access;
  if (create_rc) {
    *key = 0;
    return *create_rc;
  }
  return inner_.RegCreateKeyExA(parent, path, key_class, options, access, key);
}

int32_t ScriptedStore::RegQueryValueExA(uint32_t key, const std::string& name, uint32_t* type,
                                        unsigned char* data, uint32_t* len) {
  ++calls;
  query_seen.len = *len;
  if (query_rc)
    return *query_rc;
  return inner_.RegQueryValueExA(key, name, type, data, len);
}

int32_t ScriptedStore::RegSetValueExA(uint32_t key, const std::string& name, uint32_t type,
                                      const unsigned char* data, uint32_t len) {
  ++calls;
  set_seen.type = type;
  set_seen.len = len;
  if (set_rc)
    return *set_rc;
  return inner_.RegSetValueExA(key, name, type, data, len);
}

int32_t ScriptedStore::RegFlushKey(uint32_t key) {
  ++calls;
  if (flush_rc)
    return *flush_rc;
  return inner_.RegFlushKey(key);
}

int32_t ScriptedStore::RegCloseKey(uint32_t key) {
  ++calls;
  if (close_rc)
    return *close_rc;
  return inner_.RegCloseKey(key);
}

uint32_t ScriptedStore::FormatMessageA(uint32_t flags, int32_t code, char* buffer, uint32_t size) {
  format_seen.flags = flags;
  format_seen.len = size;
  if (real_format)
    return inner_.FormatMessageA(flags, code, buffer, size);
  std::string text = format_bytes ? *format_bytes : "Text for " + std::to_string(code) + ".\r\n";
  uint32_t count = format_bytes ? format_count : static_cast<uint32_t>(text.size());
  std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), size));
  return count;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      out += "\r\n";
    out += lines[i];
  }
  return out;
}
