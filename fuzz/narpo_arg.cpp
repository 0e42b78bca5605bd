// Fuzzes narpo's argument reading and the naming of whatever code it yields: any argument
// text gives a code without crashing, agrees with sscanf wherever the number fits in 32
// bits, and both names fit a buffer of exactly ZELK_NAME_SIZE bytes.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "narpo_arg.h"
#include "zelk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An argument is a C string: it ends at the first NUL.
  std::string arg(reinterpret_cast<const char*>(data), size);
  arg.resize(std::strlen(arg.c_str()));
  int code = NarpoReadCode(arg.c_str());

  bool hex = !arg.empty() && arg[0] == 'X';
  const char* text = hex ? arg.c_str() + 1 : arg.c_str();
  if (hex) {
    unsigned long long wide = 0;
    errno = 0;
    if (std::sscanf(text, "%llx", &wide) == 1 && errno == 0 && wide <= 0xFFFFFFFFULL &&
        std::strchr(text, '-') == nullptr) {
      unsigned int bits = 0;
      std::sscanf(text, "%x", &bits);
      if (code != static_cast<int>(bits))
        std::abort();
    }
  } else {
    long long wide = 0;
    errno = 0;
    if (std::sscanf(text, "%lld", &wide) == 1 && errno == 0 && wide >= INT_MIN && wide <= INT_MAX &&
        code != static_cast<int>(wide)) {
      std::abort();
    }
  }

  auto buffer = std::make_unique<char[]>(ZELK_NAME_SIZE);  // exact size: overruns are caught
  if (KXReasonCodeMsg(code, buffer.get()) != buffer.get())
    std::abort();
  if (std::strlen(buffer.get()) >= ZELK_NAME_SIZE)
    std::abort();
  if (KXCompCodeMsg(code, buffer.get()) != buffer.get())
    std::abort();
  return 0;
}
