// RegcFileStore: the settings store kept in one file, for systems without a registry. Same
// keys (under HKEY_CURRENT_USER only), value names, types and result codes as the registry.
//
// File layout (text, every line ends in LF; a CR before it is tolerated):
//   line 1                        "tavlo-settings 1"
//   key "PATH"                    a key, its path below HKEY_CURRENT_USER ("Software\Harbex")
//   value TYPE "NAME" "DATA"      a value of the key named last; TYPE in decimal (1 text, 4 dword)
// Quoted texts hold the bytes 0x20-0x7E other than '"' and '%' as they are and every other
// byte as %XX (two upper-case hex digits), so any name or data survives. Empty lines are
// skipped.
//
// Every change (a created key, a value set) rewrites the whole file: first to PATH.new, then
// renamed over PATH, so an interrupted write leaves the settings that were there before. The
// file is read again on every open, so changes made by another run are seen.
//
// Load status (RegcFileLoadStatus), of the latest read of the file:
//   kOk          read whole
//   kMissing     no file yet: an empty store; the first change creates it
//   kBadLine     a line that is not one of the above was skipped (BadLine() gives its number)
//   kTruncated   the last line has no LF (an incomplete file): it was skipped
//   kUnreadable  the file exists but cannot be read
//   kTooLarge    the file is larger than kRegcFileMaxBytes
//   kBadHeader   the first line is not the header: not this program's file
// After kUnreadable, kTooLarge or kBadHeader the store is empty and refuses every change with
// kRegcIoFailed, so that a file it does not understand is never overwritten.
#ifndef TAVLO_GUI_REGC_FILESTORE_H
#define TAVLO_GUI_REGC_FILESTORE_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "regc/regc_store.h"

constexpr std::size_t kRegcFileMaxBytes = 4u << 20;

enum class RegcFileLoadStatus {
  kOk,
  kMissing,
  kBadLine,
  kTruncated,
  kUnreadable,
  kTooLarge,
  kBadHeader
};

// The keys and values a settings file holds, keyed by their case-folded names.
struct RegcFileTree {
  struct Value {
    std::string name;
    uint32_t type = 0;
    std::string data;
  };
  struct Key {
    std::string path;
    std::map<std::string, Value> values;
  };
  std::map<std::string, Key> keys;

  bool operator==(const RegcFileTree& other) const;
};

// Parses a settings file's bytes into tree (emptied first); *bad_line gets the number of the
// first line that was skipped (0 when none).
RegcFileLoadStatus RegcFileParse(const std::string& bytes, RegcFileTree* tree,
                                 std::size_t* bad_line);
std::string RegcFileFormat(const RegcFileTree& tree);

class RegcFileStore final : public RegcStore {
 public:
  explicit RegcFileStore(std::string path);

  RegcFileLoadStatus LoadStatus() const {
    return status_;
  }
  std::size_t BadLine() const {
    return bad_line_;
  }

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
  struct OpenKey {
    std::string folded_path;
    bool writable = false;
  };

  void Load();
  bool Save(const RegcFileTree& tree);
  // The folded path that parent + path names, or false when parent is no open key or root.
  bool Resolve(uint32_t parent, const std::string& path, std::string* folded,
               std::string* shown) const;
  uint32_t Issue(const std::string& folded_path, uint32_t access);

  std::string path_;
  RegcFileTree tree_;
  RegcFileLoadStatus status_ = RegcFileLoadStatus::kMissing;
  std::size_t bad_line_ = 0;
  std::map<uint32_t, OpenKey> open_;
  uint32_t next_handle_ = 0x100;
};

#endif
