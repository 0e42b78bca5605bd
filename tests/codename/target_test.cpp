// The cross run proves what it should only if it really runs on the intended target:
// 32-bit, big-endian, with an unsigned plain char.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

TEST(PowerpcTarget, ThirtyTwoBitBigEndianUnsignedChar) {
  const std::uint32_t word = 0x01020304;
  unsigned char bytes[4];
  std::memcpy(bytes, &word, sizeof bytes);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[3], 0x04);
  EXPECT_EQ(sizeof(void*), 4u);
  EXPECT_EQ(sizeof(long), 4u);
  EXPECT_GT(static_cast<char>(0xFF), 0);
}
