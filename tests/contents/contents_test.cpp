// Key lists: record numbers both ways, and the numeric and symbolic scans on small lists (edge
// cases) and on the lists the builder makes from the shipped description set.
#include "contents/contents.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "binres/binres.h"
#include "resbuild/resbuild.h"

namespace {

TEST(KeyList, RecordNumbersRoundTrip) {
  struct Case {
    long record;
    std::string chars;
  };
  const Case cases[] = {{0, "!!"},  {1, "!\""}, {39, "!H"},  {58, "!["},
                        {60, "!]"}, {89, "!z"}, {90, "\"!"}, {347, "$n"}};
  for (const Case& c : cases) {
    EXPECT_EQ(KeyListRecordNumber(c.record), c.chars) << c.record;
    EXPECT_EQ(KeyListDecodeRecordNumber(c.chars[0], c.chars[1]), c.record) << c.chars;
  }
  for (long n = 0; n < 90 * 90; ++n) {
    std::string r = KeyListRecordNumber(n);
    ASSERT_EQ(KeyListDecodeRecordNumber(r[0], r[1]), n);
  }
  EXPECT_EQ(KeyListEntry(39, "2035"), "!H[2035]");
}

std::string Keys(const std::vector<std::pair<long, std::string>>& entries) {
  std::string keys;
  for (const auto& [record, key] : entries)
    keys += KeyListEntry(record, key);
  return keys;
}

TEST(KeyList, ScansOfSmallLists) {
  struct Case {
    const char* what;
    bool numeric;
    std::string keys;
    std::string text;
    long record_count;
    std::vector<int> matches;
  };
  const std::string codes = Keys({{1, "2035"}, {1, "7F3"}, {2, "203"}, {3, "16"}, {3, "10"}});
  const std::string names = Keys({{1, "KXCC_OK"}, {2, "A_B_C"}, {3, "NOT_AUTH"}});
  const Case cases[] = {
      {"keys match from their start", true, codes, "203", 3, {1, 2}},
      {"never inside a key", true, codes, "03", 3, {}},
      {"both keys of a record", true, codes, "1", 3, {3, 3}},
      {"a key at the list's end", true, codes, "10]", 3, {3}},
      {"records past the count are dropped", true, codes, "203", 1, {1}},
      {"record 0 is dropped", true, Keys({{0, "5"}, {1, "5"}}), "5", 1, {1}},
      {"a bracket digit decodes", true, Keys({{58, "5"}}), "5", 58, {58}},
      {"an empty list", true, "", "1", 3, {}},
      {"names hold the text anywhere", false, names, "O", 3, {1, 3}},
      {"each name once", false, names, "_", 3, {1, 2, 3}},
      {"text up to the list's end", false, names, "AUTH]", 3, {3}},
      // "!A" is record 32: the hit in its number is passed over, and its name still examined.
      {"resume after a hit in a record number", false, Keys({{1, "Q"}, {32, "AB"}}), "A", 32, {32}},
      // The walk back from a hit in the first record number meets no bracket.
      {"walk back stops at the list's start", false, Keys({{1, "AB"}}), "[A", 1, {}},
      {"names past the count are dropped", false, names, "_", 2, {1, 2}},
  };
  for (const Case& c : cases) {
    std::vector<int> matches;
    if (c.numeric) {
      KeyListNumericScan(c.keys, c.text, c.record_count, &matches);
    } else {
      KeyListSymbolicScan(c.keys, c.text, c.record_count, &matches);
    }
    EXPECT_EQ(matches, c.matches) << c.what;
  }
}

// The lists the builder makes from the shipped set; the counts depend only on which codes exist.
TEST(KeyList, ScansOfTheShippedSet) {
  std::string file = (std::filesystem::temp_directory_path() / "tavlo-keylist-shipped").string();
  std::remove(file.c_str());
  bool complete = false;
  MakeBinaryResource(file, TAVLO_DESCRIPTIONS_PATH, nullptr, nullptr, &complete);
  ASSERT_TRUE(complete);
  BinResOpen(file, 0);
  long count = std::stol(BinResGet("KeyCnt"));
  std::string numeric = BinResGet("NumericKeys");
  std::string symbolic = BinResGet("SymbolicKeys");
  BinResClose();
  std::remove(file.c_str());
  ASSERT_GT(count, 0);

  struct Case {
    std::string text;
    size_t numeric;
    size_t symbolic;
  };
  // Every name that holds the text is listed, also where a record number holds it too.
  const Case cases[] = {{"203", 9, 0}, {"9", 60, 0},   {"1", 31, 1},  {"0", 2, 0},
                        {"-1", 1, 0},  {"2192", 2, 0}, {"7F3", 1, 0}, {"OK", 0, 5},
                        {"A", 0, 174}, {"S", 0, 180},  {"E7", 0, 0},  {"NOT_AUTH", 0, 2}};
  for (const Case& c : cases) {
    std::vector<int> n;
    std::vector<int> s;
    KeyListNumericScan(numeric, c.text, count, &n);
    KeyListSymbolicScan(symbolic, c.text, count, &s);
    EXPECT_EQ(n.size(), c.numeric) << c.text;
    EXPECT_EQ(s.size(), c.symbolic) << c.text;
  }
  // Each name holds "_": every record once, in record order.
  std::vector<int> every;
  KeyListSymbolicScan(symbolic, "_", count, &every);
  ASSERT_EQ(every.size(), static_cast<size_t>(count));
  for (long i = 0; i < count; ++i)
    EXPECT_EQ(every[i], i + 1);
}

}  // namespace
