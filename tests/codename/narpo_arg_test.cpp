// Reading narpo's code argument: "%d" and "%x" readings, the value 0 when nothing can be
// read, and numbers beyond 32 bits clamped the same way on every host.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "narpo_arg.h"
#include "support/clamped32.h"

namespace {

TEST(NarpoDecimal, SignsSpacesAndTrailingText) {
  EXPECT_EQ(NarpoReadCode("2035"), 2035);
  EXPECT_EQ(NarpoReadCode("-1"), -1);
  EXPECT_EQ(NarpoReadCode("+7"), 7);
  EXPECT_EQ(NarpoReadCode(" \t42"), 42);
  EXPECT_EQ(NarpoReadCode("2035abc"), 2035);
  EXPECT_EQ(NarpoReadCode("0x7F3"), 0);  // decimal reading stops at the x
}

TEST(NarpoDecimal, NothingReadableGivesZero) {
  EXPECT_EQ(NarpoReadCode(""), 0);
  EXPECT_EQ(NarpoReadCode("abc"), 0);
  EXPECT_EQ(NarpoReadCode("-"), 0);
  EXPECT_EQ(NarpoReadCode("x7f3"), 0);  // a lower-case x is no hexadecimal prefix
  EXPECT_EQ(NarpoReadCode("\xff"
                          "12"),
            0);  // a byte above 0x7F is no white space
}

TEST(NarpoDecimal, ClampedAt32Bits) {
  for (const Clamped32Case& c : kClamped32Cases)
    EXPECT_EQ(NarpoReadCode(c.text), c.value) << c.text;
}

TEST(NarpoHex, DigitsPrefixAndSpaces) {
  EXPECT_EQ(NarpoReadCode("X7F3"), 2035);
  EXPECT_EQ(NarpoReadCode("X7f3"), 2035);
  EXPECT_EQ(NarpoReadCode("X0x7F3"), 2035);
  EXPECT_EQ(NarpoReadCode("X 7F3"), 2035);
  EXPECT_EQ(NarpoReadCode("X7F3G"), 2035);
  EXPECT_EQ(NarpoReadCode("X0"), 0);
}

TEST(NarpoHex, NothingReadableGivesZero) {
  EXPECT_EQ(NarpoReadCode("X"), 0);
  EXPECT_EQ(NarpoReadCode("XG"), 0);
  EXPECT_EQ(NarpoReadCode("X-"), 0);
  EXPECT_EQ(NarpoReadCode("X\xff"), 0);
}

TEST(NarpoHex, ThirtyTwoBitPatternsAndClamping) {
  EXPECT_EQ(NarpoReadCode("X7FFFFFFF"), INT_MAX);
  EXPECT_EQ(NarpoReadCode("X80000000"), INT_MIN);
  EXPECT_EQ(NarpoReadCode("XFFFFFFFF"), -1);
  EXPECT_EQ(NarpoReadCode("X-1"), -1);
  EXPECT_EQ(NarpoReadCode("X-2"), -2);
  EXPECT_EQ(NarpoReadCode("X-FFFFFFFF"), 1);
  EXPECT_EQ(NarpoReadCode("X100000000"), -1);
  EXPECT_EQ(NarpoReadCode("X-100000000"), -1);
  EXPECT_EQ(NarpoReadCode("XFFFFFFFFFFFFFFFFFFFF"), -1);
}

// Within 32 bits the reading is exactly what sscanf gives with the same format.
TEST(NarpoReading, AgreesWithScanfInRange) {
  const char* inputs[] = {"2035",       "-1",        "+0",   "  17",  "123abc", "-2147483648",
                          "2147483647", "X7F3",      "Xabc", "X0x10", "X  ff",  "X-7F3",
                          "XFFFFFFFF",  "X80000000", "X+1f", "X12 34"};
  for (const char* arg : inputs) {
    int expected = 0;
    if (arg[0] == 'X') {
      unsigned int bits = 0;
      ASSERT_EQ(std::sscanf(arg + 1, "%x", &bits), 1) << arg;
      expected = static_cast<int>(bits);
    } else {
      ASSERT_EQ(std::sscanf(arg, "%d", &expected), 1) << arg;
    }
    EXPECT_EQ(NarpoReadCode(arg), expected) << arg;
  }
}

}  // namespace
