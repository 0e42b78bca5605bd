// Text helpers shared by the windowed tool's modules.
//
// Operations:
//   StartsWith(text, prefix)     text begins with prefix
//   FormatDecimal(value)         value in decimal, "-" when negative
//   FormatUpperHex(value)        the 32-bit two's-complement pattern in upper-case hexadecimal,
//                                no prefix, no leading zeros (-1 gives "FFFFFFFF")
//   EnvText(name)                the environment variable's value, empty when it is unset
#ifndef TAVLO_GUI_BASE_TEXT_H
#define TAVLO_GUI_BASE_TEXT_H

#include <cstdint>
#include <string>

// The line end of every text the windowed tool shows or writes.
constexpr const char* kCrLf = "\r\n";

bool StartsWith(const std::string& text, const std::string& prefix);
std::string FormatDecimal(long long value);
std::string FormatUpperHex(std::int32_t value);
std::string EnvText(const char* name);

#endif
