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

DecimalStatus ReadWholeDecimal(const std::string& text, long long low, long long high,
                               long long* value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    negative = text[i++] == '-';
  if (i == text.size())
    return kDecimalNotNumber;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      return kDecimalNotNumber;
    v = v * 10 + (text[i] - '0');
    if (v > high + 1 || v > -low + 1)  // both bounds are far below overflow
      return kDecimalOutOfRange;
  }
  if (negative)
    v = -v;
  if (v < low || v > high)
    return kDecimalOutOfRange;
  *value = v;
  return kDecimalOk;
}

long long ReadLeadingDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 1000000000)
      value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}
