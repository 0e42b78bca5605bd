#include "regc/regc_registry_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

// The module's handles are 32-bit. Registry handles fit (kernel handles are kept below 2^32
// even in 64-bit processes), and the predefined roots such as HKEY_CURRENT_USER (0x80000001)
// are sign-extended 32-bit values, so sign extension maps both back exactly.
HKEY ToHkey(uint32_t key) {
  return reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(key)));
}

uint32_t FromHkey(HKEY key) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
}

class RegcStoreWin32 final : public RegcStore {
 public:
  int32_t RegOpenKeyExA(uint32_t parent, const std::string& path, uint32_t options, uint32_t access,
                        uint32_t* key) override {
    HKEY opened = nullptr;
    LONG rc = ::RegOpenKeyExA(ToHkey(parent), path.c_str(), options, access, &opened);
    *key = rc == ERROR_SUCCESS ? FromHkey(opened) : 0;
    return rc;
  }

  int32_t RegCreateKeyExA(uint32_t parent, const std::string& path, const std::string& key_class,
                          uint32_t options, uint32_t access, uint32_t* key) override {
    HKEY created = nullptr;
    DWORD disposition = 0;
    std::string writable_class = key_class;  // the class argument is not const in the headers
    LONG rc = ::RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, writable_class.data(), options,
                                access, nullptr, &created, &disposition);
    *key = rc == ERROR_SUCCESS ? FromHkey(created) : 0;
    return rc;
  }

  int32_t RegQueryValueExA(uint32_t key, const std::string& name, uint32_t* type,
                           unsigned char* data, uint32_t* len) override {
    DWORD value_type = *type;
    DWORD size = *len;
    LONG rc = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &value_type, data, &size);
    *type = value_type;
    *len = size;
    return rc;
  }

  // The registry quietly stores one byte more for a text whose count leaves out its
  // terminating NUL when the byte after the counted data is a NUL (as it is after any C
  // string). Handing over a copy followed by a non-NUL byte stores exactly the bytes counted.
  int32_t RegSetValueExA(uint32_t key, const std::string& name, uint32_t type,
                         const unsigned char* data, uint32_t len) override {
    std::vector<unsigned char> copy(data, data + len);
    copy.push_back(0xFF);
    return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, copy.data(), len);
  }

  int32_t RegFlushKey(uint32_t key) override {
    return ::RegFlushKey(ToHkey(key));
  }

  int32_t RegCloseKey(uint32_t key) override {
    return ::RegCloseKey(ToHkey(key));
  }

  uint32_t FormatMessageA(uint32_t flags, int32_t code, char* buffer, uint32_t size) override {
    return ::FormatMessageA(flags, nullptr, static_cast<DWORD>(code), 0, buffer, size, nullptr);
  }
};

}  // namespace

RegcStore& RegcRegistryStore() {
  static RegcStoreWin32 store;
  return store;
}

RegcStore& RegcPlatformStore() {
  return RegcRegistryStore();
}
