// MemSearch, value reading and the wrapping of descriptions to 78 columns.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "store.h"

namespace {

const char* Find(const std::string& buf, long len, const std::string& pat) {
  return MemSearch(buf.data(), len, pat.data(), static_cast<long>(pat.size()));
}

long FindAt(const std::string& buf, const std::string& pat) {
  const char* p = Find(buf, static_cast<long>(buf.size()), pat);
  return p == nullptr ? -1 : p - buf.data();
}

TEST(MemSearch, NoMatchForEmptyOrTooLongInput) {
  const std::string buf = "[2035,KXRC]";
  EXPECT_EQ(Find(buf, 0, "["), nullptr);
  EXPECT_EQ(Find(buf, -1, "["), nullptr);
  EXPECT_EQ(MemSearch(buf.data(), 5, "[", 0), nullptr);
  EXPECT_EQ(Find(buf, 3, "[203"), nullptr);
}

TEST(MemSearch, FindsTheFirstFullMatch) {
  EXPECT_EQ(FindAt("x[2035,[2035,", "[2035,"), 1);
  EXPECT_EQ(FindAt("aaab", "aab"), 1);  // a partial match right before the real one
  EXPECT_EQ(FindAt("[20,[2035,", "[2035,"), 4);
  EXPECT_EQ(FindAt("abc", "c"), 2);          // one-byte pattern at the last byte
  EXPECT_EQ(FindAt("abcdef", "def"), 3);     // the last candidate position
  EXPECT_EQ(FindAt("abcdef", "abcdef"), 0);  // pattern as long as the buffer
  EXPECT_EQ(FindAt("abcdef", "xyz"), -1);
}

TEST(MemSearch, LooksOnlyAtTheGivenLength) {
  const std::string buf = "....[2035,....";
  EXPECT_EQ(Find(buf, 9, "[2035,"), nullptr);  // the comma lies past the length
  EXPECT_EQ(Find(buf, 10, "[2035,"), buf.data() + 4);
}

TEST(MemSearch, ComparesHighBytesExactly) {
  const std::string buf = "Zarvex\xae and \xae\xff";
  EXPECT_EQ(FindAt(buf, "\xae\xff"), 12);
  EXPECT_EQ(FindAt(buf, "\xff\xae"), -1);
}

int32_t Decimal(const char* s) {
  return ReadDecimalPrefix(s, s + strlen(s));
}

TEST(ReadDecimalPrefix, StopsAtTheFirstNonDigit) {
  EXPECT_EQ(Decimal("2035"), 2035);
  EXPECT_EQ(Decimal("2035abc"), 2035);
  EXPECT_EQ(Decimal("-1"), -1);
  EXPECT_EQ(Decimal("+7"), 7);
  EXPECT_EQ(Decimal("-"), 0);
  EXPECT_EQ(Decimal(""), 0);
  EXPECT_EQ(Decimal("DI1"), 0);
  const char header[] = "2192,KXRC";
  EXPECT_EQ(ReadDecimalPrefix(header, header + 2), 21);  // only the given range is read
}

TEST(ReadDecimalPrefix, HoldsValuesAtTheLimitsOf32Bits) {
  EXPECT_EQ(Decimal("2147483647"), INT32_MAX);
  EXPECT_EQ(Decimal("2147483648"), INT32_MAX);
  EXPECT_EQ(Decimal("-2147483648"), INT32_MIN);
  EXPECT_EQ(Decimal("-2147483649"), INT32_MIN);
  EXPECT_EQ(Decimal("99999999999999999999999"), INT32_MAX);
  EXPECT_EQ(Decimal("-99999999999999999999999"), INT32_MIN);
}

std::string Wrapped(const std::string& text) {
  testing::internal::CaptureStdout();
  PrintDescription(text.c_str());
  return testing::internal::GetCapturedStdout();
}

const std::string k78(78, 'a');

TEST(PrintDescription, KeepsShortLinesAsTheyAre) {
  EXPECT_EQ(Wrapped("A paragraph line. \n\n* An item. \n"), "A paragraph line. \n\n* An item. \n");
  EXPECT_EQ(Wrapped(k78 + "\n"), k78 + "\n");
  EXPECT_EQ(Wrapped("Z\xae\n"), "Z\xae\n");
}

TEST(PrintDescription, DropsWhatFollowsTheLastLineFeed) {
  EXPECT_EQ(Wrapped("one\ntwo\n[2036,KXRC"), "one\ntwo\n");
  EXPECT_EQ(Wrapped("no line feed at all"), "");
}

TEST(PrintDescription, BreaksAtASpaceIn79thPlaceAndDropsIt) {
  EXPECT_EQ(Wrapped(k78 + " next \n"), k78 + "\nnext \n");
  // A paragraph's closing space in 79th place leaves an empty line behind it.
  EXPECT_EQ(Wrapped(k78 + " \n"), k78 + "\n\n");
}

TEST(PrintDescription, MovesTheLastWordToTheNextLine) {
  // A space in 78th place: the line ends before it, the 79th character starts the next.
  const std::string space78 = std::string(77, 'a') + " bc\n";
  EXPECT_EQ(Wrapped(space78), std::string(77, 'a') + "\nbc\n");
  const std::string words = std::string(70, 'w') + " " + std::string(10, 'v') + " end \n";
  EXPECT_EQ(Wrapped(words), std::string(70, 'w') + "\n" + std::string(10, 'v') + " end \n");
  // A space in first place: an empty line, then the rest of the run.
  const std::string lead = " " + std::string(77, 'x') + "yz\n";
  EXPECT_EQ(Wrapped(lead), "\n" + std::string(77, 'x') + "y\nz\n");
}

TEST(PrintDescription, BreaksRunsWithoutSpacesAt78) {
  EXPECT_EQ(Wrapped(k78 + "b\n"), k78 + "\nb\n");
  const std::string run(200, 'r');
  EXPECT_EQ(Wrapped(run + "\n"),
            run.substr(0, 78) + "\n" + run.substr(78, 78) + "\n" + run.substr(156) + "\n");
  // A word moved after a space can itself grow past 78.
  const std::string mixed = "Run: " + run + " end.\n";
  EXPECT_EQ(Wrapped(mixed), "Run:\n" + run.substr(0, 78) + "\n" + run.substr(78, 78) + "\n" +
                                run.substr(156) + " end.\n");
}

}  // namespace
