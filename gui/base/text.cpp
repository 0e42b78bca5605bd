#include "base/text.h"

#include <cstdio>
#include <cstdlib>

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string FormatDecimal(long long value) {
  return std::to_string(value);
}

std::string FormatUpperHex(std::int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%lX",
                static_cast<unsigned long>(static_cast<std::uint32_t>(value)));
  return buf;
}

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}
