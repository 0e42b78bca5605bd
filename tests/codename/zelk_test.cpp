// Names of the zelk library: every named value, the placeholders around the named ranges,
// the buffer contract, properties of the tables that catch transcription faults, and
// calls from several threads at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "zelk.h"

namespace {

std::string Cc(int code) {
  char buffer[ZELK_NAME_SIZE];
  return KXCompCodeMsg(code, buffer);
}

std::string Rc(int code) {
  char buffer[ZELK_NAME_SIZE];
  return KXReasonCodeMsg(code, buffer);
}

// Every value that has a name, and the unnamed slots of RcLits2, parsed from lists copied
// separately from the library's tables (name_lists.txt). Each list states how many items it
// has, so an item lost in the copy shows up as well as one mistyped in the library.
struct NameList {
  int stated = -1;                                 // the count in the list's heading
  std::vector<std::pair<int, std::string>> items;  // value and suffix ("" in a list of values)
};

struct NamedCodes {
  std::map<std::string, NameList> lists;  // by heading, e.g. "RcLits2 null slots"
  std::map<int, std::string> completion;  // value -> full name
  std::map<int, std::string> reason;
  std::set<int> unnamed;  // the null slots of RcLits2
};

NamedCodes ParseNameLists() {
  NamedCodes c;
  std::ifstream in(ZELK_NAME_LISTS);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#')
      continue;
    size_t open = line.find(" ("), colon = line.find("): ");
    if (open == std::string::npos || colon == std::string::npos || line.back() != '.') {
      ADD_FAILURE() << "bad list line: " << line;
      continue;
    }
    NameList& list = c.lists[line.substr(0, open)];
    list.stated = std::stoi(line.substr(open + 2));
    std::string body = line.substr(colon + 3, line.size() - colon - 4);
    for (size_t at = 0; at <= body.size();) {
      size_t end = body.find(", ", at);
      if (end == std::string::npos)
        end = body.size();
      std::istringstream item(body.substr(at, end - at));
      int value;
      std::string suffix, rest;
      item >> value >> suffix >> rest;
      EXPECT_TRUE(item.eof() && rest.empty()) << "bad item in: " << body.substr(at, end - at);
      list.items.emplace_back(value, suffix);
      at = end + 2;
    }
  }
  for (const auto& [heading, list] : c.lists) {
    for (const auto& [value, suffix] : list.items) {
      if (heading == "RcLits2 null slots") {
        c.unnamed.insert(value);
      } else if (heading == "CcLits") {
        c.completion[value] = "KXCC_" + suffix;
      } else {
        c.reason[value] = "KXRC_" + suffix;
      }
    }
  }
  return c;
}

const NamedCodes& Named() {
  static const NamedCodes codes = ParseNameLists();
  return codes;
}

// All values of the three tables and of the names without a table.
std::vector<int> TableAndFixedValues() {
  std::vector<int> values{0, 900, 999};
  for (int v = 2001; v <= 2361; v++)
    values.push_back(v);
  for (int v = 6100; v <= 6129; v++)
    values.push_back(v);
  return values;
}

std::string Placeholder(const char* prefix, int code) {
  return prefix + std::to_string(code) + "_UNDEFINED";
}

TEST(CompletionCodeNames, NamedCodes) {
  EXPECT_EQ(Cc(-1), "KXCC_UNKNOWN");
  EXPECT_EQ(Cc(0), "KXCC_OK");
  EXPECT_EQ(Cc(1), "KXCC_WARNING");
  EXPECT_EQ(Cc(2), "KXCC_FAILED");
}

TEST(CompletionCodeNames, PlaceholdersOutsideTheTable) {
  EXPECT_EQ(Cc(-2), "KXCC_-2_UNDEFINED");
  EXPECT_EQ(Cc(3), "KXCC_3_UNDEFINED");
  EXPECT_EQ(Cc(2035), "KXCC_2035_UNDEFINED");
  EXPECT_EQ(Cc(INT_MIN), "KXCC_-2147483648_UNDEFINED");
  EXPECT_EQ(Cc(INT_MAX), "KXCC_2147483647_UNDEFINED");
}

TEST(ReasonCodeNames, AroundZeroAndTheApplicationRange) {
  EXPECT_EQ(Rc(-2), "KXRC_-2_UNDEFINED");
  EXPECT_EQ(Rc(-1), "KXRC_-1_UNDEFINED");
  EXPECT_EQ(Rc(0), "KXRC_NONE");
  EXPECT_EQ(Rc(1), "KXRC_1_UNDEFINED");
  EXPECT_EQ(Rc(2), "KXRC_2_UNDEFINED");
  EXPECT_EQ(Rc(3), "KXRC_3_UNDEFINED");
  EXPECT_EQ(Rc(899), "KXRC_899_UNDEFINED");
  EXPECT_EQ(Rc(900), "KXRC_APPL_FIRST");
  EXPECT_EQ(Rc(901), "KXRC_APPL_901");
  EXPECT_EQ(Rc(950), "KXRC_APPL_950");
  EXPECT_EQ(Rc(998), "KXRC_APPL_998");
  EXPECT_EQ(Rc(999), "KXRC_APPL_LAST");
  EXPECT_EQ(Rc(1000), "KXRC_1000_UNDEFINED");
}

TEST(ReasonCodeNames, AroundTheTables) {
  EXPECT_EQ(Rc(2000), "KXRC_2000_UNDEFINED");
  EXPECT_EQ(Rc(2001), "KXRC_ALIAS_BASE_Q_TYPE_ERROR");
  EXPECT_EQ(Rc(2015), "KXRC_2015_UNDEFINED");
  EXPECT_EQ(Rc(2035), "KXRC_NOT_AUTHORIZED");
  EXPECT_EQ(Rc(2361), "KXRC_NEXT_RECORD_ERROR");
  EXPECT_EQ(Rc(2362), "KXRC_2362_UNDEFINED");
  EXPECT_EQ(Rc(5000), "KXRC_5000_UNDEFINED");
  EXPECT_EQ(Rc(6099), "KXRC_6099_UNDEFINED");
  EXPECT_EQ(Rc(6100), "KXRC_REOPEN_EXCL_INPUT_ERROR");
  EXPECT_EQ(Rc(6129), "KXRC_REFERENCE_ERROR");
  EXPECT_EQ(Rc(6130), "KXRC_6130_UNDEFINED");
  EXPECT_EQ(Rc(INT_MIN), "KXRC_-2147483648_UNDEFINED");
  EXPECT_EQ(Rc(INT_MAX), "KXRC_2147483647_UNDEFINED");
}

// The copy itself: every list as long as its heading says, values ascending, and the named
// and unnamed values of RcLits2 together covering 2001 to 2361 exactly once.
TEST(NameListCopy, CountsOrderAndCoverage) {
  const NamedCodes& named = Named();
  const std::map<std::string, int> expected{{"Without a table", 3},
                                            {"CcLits", 4},
                                            {"RcLits2", 312},
                                            {"RcLits2 null slots", 49},
                                            {"RcLits6", 30}};
  ASSERT_EQ(named.lists.size(), expected.size());
  for (const auto& [heading, count] : expected) {
    const NameList& list = named.lists.at(heading);
    EXPECT_EQ(list.stated, count) << heading;
    EXPECT_EQ(list.items.size(), size_t(count)) << heading;
    for (size_t i = 1; i < list.items.size(); i++) {
      EXPECT_LT(list.items[i - 1].first, list.items[i].first) << heading;
    }
  }
  std::multiset<int> rc2;
  for (const auto& [value, suffix] : named.lists.at("RcLits2").items)
    rc2.insert(value);
  rc2.insert(named.unnamed.begin(), named.unnamed.end());
  std::multiset<int> all;
  for (int v = 2001; v <= 2361; v++)
    all.insert(v);
  EXPECT_EQ(rc2, all);
  EXPECT_EQ(named.completion.size(), 4u);
  EXPECT_EQ(named.reason.size(), 345u);  // 3 without a table, 312 + 30 in the tables
}

TEST(ReasonCodeNames, EveryTableValueMatchesTheNamedList) {
  const NamedCodes& named = Named();
  ASSERT_EQ(named.completion.size(), 4u);
  ASSERT_EQ(named.reason.size(), 345u);
  for (const auto& [value, name] : named.completion) {
    EXPECT_EQ(Cc(value), name) << value;
  }
  for (int value : TableAndFixedValues()) {
    auto it = named.reason.find(value);
    std::string expected = it != named.reason.end() ? it->second : Placeholder("KXRC_", value);
    EXPECT_EQ(Rc(value), expected) << value;
  }
  for (const auto& [value, name] : named.reason) {
    EXPECT_EQ(Rc(value), name) << value;
  }
}

// The result is the caller's buffer in every case, and nothing is written past the
// name's terminator, which lies within ZELK_NAME_SIZE bytes.
TEST(BufferContract, ResultIsTheBufferAndStaysWithinIt) {
  const int codes[] = {INT_MIN, -2, -1, 0, 1, 2, 3, 900, 950, 999, 2015, 2035, 6102, INT_MAX};
  for (int code : codes) {
    for (auto fn : {KXCompCodeMsg, KXReasonCodeMsg}) {
      char buffer[ZELK_NAME_SIZE + 16];
      std::memset(buffer, '#', sizeof buffer);
      char* result = fn(code, buffer);
      EXPECT_EQ(result, buffer) << code;
      size_t len = std::strlen(buffer);
      ASSERT_LT(len, size_t{ZELK_NAME_SIZE}) << code;
      for (size_t i = len + 1; i < sizeof buffer; i++) {
        ASSERT_EQ(buffer[i], '#') << code << " byte " << i;
      }
    }
  }
}

// Properties of the tables themselves, checked over every value of their ranges.
class TableProperties : public testing::Test {
 protected:
  std::vector<std::pair<int, std::string>> named_;  // every value that has a name
  std::set<int> unnamed_;

  void SetUp() override {
    for (int value : TableAndFixedValues()) {
      std::string name = Rc(value);
      if (name == Placeholder("KXRC_", value)) {
        unnamed_.insert(value);
      } else {
        named_.emplace_back(value, name);
      }
    }
    for (int value = -1; value <= 2; value++)
      named_.emplace_back(value, Cc(value));
  }
};

TEST_F(TableProperties, ExactlyTheFortyNineUnnamedSlots) {
  const std::set<int>& expected = Named().unnamed;
  ASSERT_EQ(expected.size(), 49u);
  EXPECT_EQ(unnamed_, expected);
  EXPECT_EQ(named_.size(), 4u + 3u + 312u + 30u);
}

TEST_F(TableProperties, NamesAreUpperCaseDigitsAndUnderscores) {
  for (const auto& [value, name] : named_) {
    ASSERT_TRUE(name.compare(0, 5, "KXCC_") == 0 || name.compare(0, 5, "KXRC_") == 0) << name;
    EXPECT_GT(name.size(), 5u) << value;
    for (char c : name) {
      EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
          << value << " " << name;
    }
    EXPECT_NE(name.back(), '_') << name;
    EXPECT_EQ(name.find("__"), std::string::npos) << name;
  }
}

TEST_F(TableProperties, OnlyTwoNamesEndInErr) {
  std::set<int> abbreviated;
  for (const auto& [value, name] : named_) {
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, "_ERR") == 0) {
      abbreviated.insert(value);
    }
  }
  EXPECT_EQ(abbreviated, (std::set<int>{2077, 6102}));
}

TEST_F(TableProperties, NamesAreUniqueAndFitTheBuffer) {
  std::set<std::string> seen;
  size_t longest = 0;
  for (const auto& [value, name] : named_) {
    EXPECT_TRUE(seen.insert(name).second) << "doubled: " << name;
    longest = std::max(longest, name.size());
  }
  EXPECT_EQ(longest, 30u);  // KXRC_ and a 25-character suffix, plus terminator: 31 bytes
  EXPECT_EQ(Rc(INT_MIN).size(), 26u);
}

// Each thread names every code of a wide sweep into its own buffer, again and again; any
// shared scratch state would mix the results.
TEST(Threads, ConcurrentCallsWithOwnBuffers) {
  std::vector<int> codes;
  for (int v = -50; v <= 6200; v++)
    codes.push_back(v);
  codes.push_back(INT_MIN);
  codes.push_back(INT_MAX);
  std::vector<std::pair<std::string, std::string>> expected;
  for (int v : codes)
    expected.emplace_back(Cc(v), Rc(v));

  const int threads = 4;
  std::vector<int> mismatches(threads, 0);
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; t++) {
    pool.emplace_back([&, t] {
      char buffer[ZELK_NAME_SIZE];
      for (int round = 0; round < 5; round++) {
        for (size_t i = 0; i < codes.size(); i++) {
          // Threads walk the list in different orders so that different cases overlap.
          size_t k = (t % 2 == 0) ? i : codes.size() - 1 - i;
          if (expected[k].first != KXCompCodeMsg(codes[k], buffer))
            mismatches[t]++;
          if (expected[k].second != KXReasonCodeMsg(codes[k], buffer))
            mismatches[t]++;
        }
      }
    });
  }
  for (auto& th : pool)
    th.join();
  for (int t = 0; t < threads; t++)
    EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
