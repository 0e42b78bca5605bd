// The settings store under REGC: the seven platform calls the registry module is written
// against, with the Windows argument order and result codes. On Windows RegcRegistryStore maps
// them one to one onto advapi32 and kernel32; elsewhere a RegcFileStore (regc_filestore.h)
// keeps the same keys, value names, types and result codes in a file.
//
// Order of calls: open or create a key under a root (or under a key opened before), query and
// set its values, flush, close. Handles are 32-bit; 0 is never a valid key. Key paths are
// separated by "\"; key and value names compare without regard to ASCII case.
//
// Result codes the module tells apart (others are unexpected and shown to the user):
//   kRegcSuccess      0    done
//   kRegcNotFound     2    the key or value does not exist
//   kRegcMoreData   234    the value is longer than the buffer; the byte count says how long
// Codes a store may also give:
//   kRegcAccessDenied 5    a write through a key opened for reading
//   kRegcBadHandle    6    a handle that is 0 or not open
//   kRegcIoFailed  1016    the store's file could not be written
#ifndef TAVLO_GUI_REGC_STORE_H
#define TAVLO_GUI_REGC_STORE_H

#include <cstdint>
#include <string>

constexpr int32_t kRegcSuccess = 0;
constexpr int32_t kRegcNotFound = 2;
constexpr int32_t kRegcAccessDenied = 5;
constexpr int32_t kRegcBadHandle = 6;
constexpr int32_t kRegcMoreData = 234;
constexpr int32_t kRegcIoFailed = 1016;

constexpr uint32_t kRegcCurrentUser = 0x80000001u;  // HKEY_CURRENT_USER
constexpr uint32_t kRegcKeyRead = 0x20019u;         // KEY_READ
constexpr uint32_t kRegcKeyAllAccess = 0xF003Fu;    // KEY_ALL_ACCESS
constexpr uint32_t kRegcSz = 1;                     // REG_SZ, a text
constexpr uint32_t kRegcDword = 4;                  // REG_DWORD, a little-endian 32-bit integer
constexpr uint32_t kRegcFormatFromSystem = 0x1000;  // FORMAT_MESSAGE_FROM_SYSTEM

class RegcStore {
 public:
  virtual ~RegcStore() = default;

  // Opens parent\path with the given access; *key receives the handle (0 on failure).
  virtual int32_t RegOpenKeyExA(uint32_t parent, const std::string& path, uint32_t options,
                                uint32_t access, uint32_t* key) = 0;
  // Opens parent\path, creating it and every missing key above it first.
  virtual int32_t RegCreateKeyExA(uint32_t parent, const std::string& path,
                                  const std::string& key_class, uint32_t options, uint32_t access,
                                  uint32_t* key) = 0;
  // Reads a value: *type and *len receive its type and size; data (room for *len bytes on
  // entry) receives its bytes. Too small a buffer gives kRegcMoreData with the size in *len.
  virtual int32_t RegQueryValueExA(uint32_t key, const std::string& name, uint32_t* type,
                                   unsigned char* data, uint32_t* len) = 0;
  virtual int32_t RegSetValueExA(uint32_t key, const std::string& name, uint32_t type,
                                 const unsigned char* data, uint32_t len) = 0;
  virtual int32_t RegFlushKey(uint32_t key) = 0;
  virtual int32_t RegCloseKey(uint32_t key) = 0;
  // Describes a result code into buffer (size bytes); returns the characters written, 0 when
  // there is no description. The text may end in CR LF.
  virtual uint32_t FormatMessageA(uint32_t flags, int32_t code, char* buffer, uint32_t size) = 0;
};

// The store the module uses: the one installed by InstallSettingsStore, else the platform's own
// (the registry on Windows, a file store elsewhere).
RegcStore& RegcGetStore();
// Installs a store (nullptr: back to the platform's); returns the old one.
RegcStore* InstallSettingsStore(RegcStore* store);
RegcStore& RegcPlatformStore();

#endif
