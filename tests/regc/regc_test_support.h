// Test doubles for REGC: a box recorder, a store that scripts failures over a real store, and
// a window that records where it was put.
#ifndef TAVLO_TESTS_REGC_TEST_SUPPORT_H
#define TAVLO_TESTS_REGC_TEST_SUPPORT_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/msgbox.h"
#include "regc/regc.h"
#include "support/settings_env.h"

struct RecordedBox {
  std::string prompt;
  unsigned style;
  std::string title;
};

// Records every box shown while it lives and answers OK, so that no test ever blocks on one.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  const std::vector<RecordedBox>& boxes() const;
};

// Forwards to a real store, except for the results it is told to give instead. Its
// FormatMessageA answers "Text for N." CR LF unless told to pass through or given a script.
class ScriptedStore final : public RegcStore {
 public:
  explicit ScriptedStore(RegcStore& inner) : inner_(inner) {}

  std::optional<int32_t> open_rc, create_rc, query_rc, set_rc, flush_rc, close_rc;
  bool real_format = false;
  // When set, FormatMessageA copies these bytes (at most size) and returns format_count.
  std::optional<std::string> format_bytes;
  uint32_t format_count = 0;
  int calls = 0;  // store calls other than FormatMessageA

  // What the module handed over in the latest call of each kind.
  struct Seen {
    uint32_t options = 99, access = 0, type = 0, len = 0, flags = 0;
    std::string key_class;
  };
  Seen open_seen, create_seen, query_seen, set_seen, format_seen;

  int32_t RegOpenKeyExA(uint32_t parent, const std::string& path, uint32_t options, uint32_t access,
                        uint32_t* key) override;
  int32_t RegCreateKeyExA(uint32_t parent, const std::string& path, const std::string& key_class,
                          uint32_t options, uint32_t access, uint32_t* key) override;
  int32_t RegQueryValueExA(uint32_t key, const std::string& name, uint32_t* type,
                           unsigned char* data, uint32_t* len) override;
  int32_t RegSetValueExA(uint32_t key, const std::string& name, uint32_t type,
                         const unsigned char* data, uint32_t len) override;
  int32_t RegFlushKey(uint32_t key) override;
  int32_t RegCloseKey(uint32_t key) override;
  uint32_t FormatMessageA(uint32_t flags, int32_t code, char* buffer, uint32_t size) override;

 private:
  RegcStore& inner_;
};

// The window fake of the window tests, its placement starting at 150,300 4500 x 3000.
using FakeWindow = FakeRegcView;

// The whole text of a diagnostic box, lines joined by CR LF.
std::string Lines(const std::vector<std::string>& lines);

#endif
