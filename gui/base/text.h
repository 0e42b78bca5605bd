// Text helpers shared by the windowed tool's modules.
//
// Operations:
//   StartsWith(text, prefix)     text begins with prefix
//   FormatDecimal(value)         value in decimal, "-" when negative
//   FormatUpperHex(value)        the 32-bit two's-complement pattern in upper-case hexadecimal,
//                                no prefix, no leading zeros (-1 gives "FFFFFFFF")
//   ReadWholeDecimal(text, low, high, value)
//                                the whole text as a decimal number with an optional sign
//                                within [low, high] (both within 48 bits): kDecimalOk with
//                                *value set, kDecimalNotNumber (empty, or a character that is
//                                no digit) or kDecimalOutOfRange, *value then untouched
//   ReadLeadingDecimal(text)     the decimal number at the start of text, after blanks and
//                                tabs, with an optional sign, as the C library reads one; 0
//                                when there is none; held at 10^10 in magnitude
//   EnvText(name)                the environment variable's value, empty when it is unset
#ifndef TAVLO_GUI_BASE_TEXT_H
#define TAVLO_GUI_BASE_TEXT_H

#include <cstdint>
#include <string>

// The line end of every text the windowed tool shows or writes.
constexpr const char* kCrLf = "\r\n";

enum DecimalStatus { kDecimalOk, kDecimalNotNumber, kDecimalOutOfRange };

bool StartsWith(const std::string& text, const std::string& prefix);
std::string FormatDecimal(long long value);
std::string FormatUpperHex(std::int32_t value);
DecimalStatus ReadWholeDecimal(const std::string& text, long long low, long long high,
                               long long* value);
long long ReadLeadingDecimal(const std::string& text);
std::string EnvText(const char* name);

#endif
