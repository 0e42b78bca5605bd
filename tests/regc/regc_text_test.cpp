// REGC's texts that need no store: descriptions of result codes, and the numbers of a
// placement text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "regc/regc.h"
#include "regc/regc_filestore.h"
#include "regc_test_support.h"
#include "store_env.h"

namespace {

class RegcFmtMsgTest : public ::testing::Test {
 protected:
  RegcFmtMsgTest() : env_(MakeStoreEnv(StoreKind::kFile)), store_(env_->store()) {
    InstallSettingsStore(&store_);
  }
  ~RegcFmtMsgTest() override {
    InstallSettingsStore(nullptr);
  }

  void Answer(const std::string& bytes, uint32_t count) {
    store_.format_bytes = bytes;
    store_.format_count = count;
  }

  BoxRecorder boxes_;
  std::unique_ptr<StoreEnv> env_;
  ScriptedStore store_;
};

TEST_F(RegcFmtMsgTest, TrailingCrLfIsDropped) {
  Answer(std::string("Access is denied.\r\n") + '\0', 19);
  EXPECT_EQ(RegcFmtMsg(5), "5: Access is denied.");
  Answer(std::string("\r\n") + '\0', 2);
  EXPECT_EQ(RegcFmtMsg(5), "5: ");
  Answer(std::string("Two lines.\r\nSecond.\r\n") + '\0', 21);
  EXPECT_EQ(RegcFmtMsg(5), "5: Two lines.\r\nSecond.");
}

TEST_F(RegcFmtMsgTest, TextWithoutLineEndIsKeptWhole) {
  Answer(std::string("Access is denied.") + '\0', 17);
  EXPECT_EQ(RegcFmtMsg(5), "5: Access is denied.");
  Answer(std::string("Ends in LF\n") + '\0', 11);
  EXPECT_EQ(RegcFmtMsg(-7), "-7: Ends in LF\n");
  Answer(std::string("\n") + '\0', 1);
  EXPECT_EQ(RegcFmtMsg(1), "1: \n");
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(RegcFmtMsgTest, AFullBufferIsTakenWhole) {
  std::string full(256, 'x');
  full.replace(254, 2, "\r\n");
  Answer(full, 256);
  EXPECT_EQ(RegcFmtMsg(8), "8: " + full);
}

TEST_F(RegcFmtMsgTest, ACountShortOfTheTextGivesTheWholeBuffer) {
  // The byte after the counted text is not NUL: the buffer is taken as it stands.
  std::string text = "Longer than counted";
  Answer(text, 6);
  EXPECT_EQ(RegcFmtMsg(3), "3: " + text + std::string(256 - text.size(), '\0'));
}

TEST_F(RegcFmtMsgTest, NoDescriptionShowsItsOwnBox) {
  Answer("", 0);
  EXPECT_EQ(RegcFmtMsg(1234), "1234: FormatMessage() failed!");
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcFmtMsg( )");
  EXPECT_EQ(boxes_.boxes()[0].style, kMsgBoxExclamation | kMsgBoxOkOnly);
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            "Unexpected error from Windows API.\r\nFormatMessage( ) returned 0\r\n"
            "RFMErrCode=1234\r\n");
}

TEST_F(RegcFmtMsgTest, ANestedFailureComesFirstAndLeavesTheCallersTextWhole) {
  Answer("", 0);
  store_.open_rc = 5;
  RegcOpenRead(kRegcCurrentUser, "Software\\Harbex");
  ASSERT_EQ(boxes_.boxes().size(), 2u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcFmtMsg( )");
  EXPECT_EQ(boxes_.boxes()[1].title, "REGC RegcOpenRead( )");
  EXPECT_EQ(boxes_.boxes()[1].prompt, Lines({"Unexpected error from Windows API.",
                                             "RegOpenKeyEx( ) returned 5: FormatMessage() failed!",
                                             "RKHKey=-2147483647 RKSubKey='Software\\Harbex'"}));
}

TEST(RegcSingleText, GivesPlainShortestDecimals) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {1200, "1200"},
      {9600, "9600"},
      {0, "0"},
      {-0.0f, "0"},
      {-15, "-15"},
      {0.5f, "0.5"},
      {0.1f, "0.1"},
      {0.001f, "0.001"},
      {7200.5f, "7200.5"},
      {123456.7f, "123456.7"},
      {16777216.0f, "16777216"},
      {1e10f, "10000000000"},
      {1.0f / 3, "0.33333334"},
      {NAN, "nan"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RegcSingleText(c.value), c.text) << c.text;
}

TEST(RegcSingleText, EveryFloatReadsBackExactlyWithNoShorterText) {
  std::mt19937 random(2002);
  std::uniform_int_distribution<uint32_t> bits;
  int checked = 0;
  while (checked < 20000) {
    uint32_t b = bits(random);
    float f;
    std::memcpy(&f, &b, sizeof f);
    if (!std::isfinite(f))
      continue;
    // Keep to magnitudes a window can have, where texts stay short enough to read.
    float magnitude = std::fabs(f);
    if (magnitude != 0 && (magnitude < 1e-6f || magnitude > 1e12f))
      continue;
    ++checked;
    std::string text = RegcSingleText(f);
    float back = -1;
    ASSERT_TRUE(RegcParseSingle(text, &back)) << text;
    ASSERT_EQ(back, f) << text;
    std::string digits;
    for (char c : text) {
      if (c >= '0' && c <= '9')
        digits += c;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    ASSERT_LE(digits.size(), 9u) << text;
  }
}

TEST(RegcParseSingle, TakesDecimalNumbers) {
  float f = 0;
  EXPECT_TRUE(RegcParseSingle("1200", &f));
  EXPECT_EQ(f, 1200);
  EXPECT_TRUE(RegcParseSingle(" -15 ", &f));
  EXPECT_EQ(f, -15);
  EXPECT_TRUE(RegcParseSingle("+7.25", &f));
  EXPECT_EQ(f, 7.25f);
  EXPECT_TRUE(RegcParseSingle(".5", &f));
  EXPECT_EQ(f, 0.5f);
  EXPECT_TRUE(RegcParseSingle("5.", &f));
  EXPECT_EQ(f, 5);
  EXPECT_TRUE(RegcParseSingle("1.2E+3", &f));
  EXPECT_EQ(f, 1200);
  EXPECT_TRUE(RegcParseSingle("1e-50", &f));
  EXPECT_EQ(f, 0);
}

TEST(RegcParseSingle, RejectsAnythingElseAndLeavesTheNumber) {
  const char* bad[] = {"",  " ",  "abc",  "1,2",   "12x", "1e",  "1e+",  "--1", "+",
                       ".", "-.", "1e39", "-1e39", "nan", "inf", "0x10", "1 2", "1.2.3"};
  for (const char* text : bad) {
    float f = 42;
    EXPECT_FALSE(RegcParseSingle(text, &f)) << text;
    EXPECT_EQ(f, 42) << text;
  }
}

}  // namespace
