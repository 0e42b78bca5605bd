// The ranking shared by tavlo-apropos and the window: the same text with its lines ended by a
// line feed or by "~" ranks alike, and the order of ties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rank/rank.h"

namespace {

// Lines joined with "~", as the window's records hold them.
std::string Joined(std::string text) {
  if (!text.empty() && text.back() == '\n')
    text.pop_back();
  for (char& c : text) {
    if (c == '\n')
      c = '~';
  }
  return text;
}

TEST(SectionRank, RanksTheWindowsRecordsAsTheDescriptionText) {
  const struct {
    std::vector<std::string> words;
    const char* name;
    const char* text;  // with line feeds, as tavlo-apropos reads it
    int rank;
    const char* why;
  } cases[] = {
      {{"queue", "full"}, "KXRC_Q_FULL", "The queue is full. More.\n", 2, "name and headline"},
      {{"alpha"}, "KXRC_X", "Nothing here.\nalpha deep down.\n", 0, "found below the headline"},
      {{"alpha"}, "KXRC_X", "The title line\nalpha. Second.\n", 0, "the first line ends it"},
      {{"alpha"}, "KXRC_X", "Says alpha.\n", 1, "a full stop before the line end"},
      {{"alpha"}, "KXRC_X", "A.B alpha\n", 1, "a full stop without a blank goes on"},
      {{"alpha", "beta"}, "KXRC_X", "alpha only\n", -1, "every word must be found"},
      {{"alpha", "alpha"}, "KXRC_ALPHA", "x\n", 2, "a word given twice counts twice"},
      {{"only~alpha"}, "KXRC_X", "only\nalpha\n", -1, "no word spans two lines"},
      {{"~"}, "KXRC_X", "a\nb\n", -1, "nor is a line end a word"},
  };
  for (const auto& c : cases) {
    const std::vector<WordFinder> finders = SectionFinders(c.words);
    const std::string text = c.text;
    const std::string record = Joined(text);
    const long name_len = static_cast<long>(std::string(c.name).size());
    EXPECT_EQ(
        SectionRank(finders, c.name, name_len, text.data(), static_cast<long>(text.size()), '\n'),
        c.rank)
        << "text: " << c.why;
    EXPECT_EQ(SectionRank(finders, c.name, name_len, record.data(),
                          static_cast<long>(record.size()), '~'),
              c.rank)
        << "record: " << c.why;
  }
}

TEST(SortByRank, BestRankThenValueThenPosition) {
  struct Item {
    int rank;
    std::int32_t value;
    long order;
  };
  std::vector<Item> items{{0, 5, 0}, {2, 9, 1}, {0, -1, 2}, {2, 3, 3}, {0, 5, 4}, {1, 2035, 5}};
  SortByRank(&items);
  std::vector<long> order;
  for (const Item& i : items)
    order.push_back(i.order);
  EXPECT_EQ(order, (std::vector<long>{3, 1, 5, 2, 0, 4}));
}

}  // namespace
