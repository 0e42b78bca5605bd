// Decimal texts at and beyond the limits of 32 bits, and the value a reading that clamps to
// the 32-bit range gives for each: the command-line tool's reading of a code argument and
// narpo's agree on all of them.
#ifndef TAVLO_TESTS_SUPPORT_CLAMPED32_H
#define TAVLO_TESTS_SUPPORT_CLAMPED32_H

#include <cstdint>

struct Clamped32Case {
  const char* text;
  std::int32_t value;
};

inline constexpr Clamped32Case kClamped32Cases[] = {
    {"2147483647", INT32_MAX},
    {"2147483648", INT32_MAX},
    {"-2147483648", INT32_MIN},
    {"-2147483649", INT32_MIN},
    {"99999999999999999999999", INT32_MAX},
    {"-99999999999999999999999", INT32_MIN},
};

#endif
