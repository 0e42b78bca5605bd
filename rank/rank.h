// rank: which codes a set of words finds, and in which order, the same for tavlo-apropos (over
// the description text that tavlo carries) and for the windowed tool (over its in-memory
// records, whose lines are joined with "~"). A word is compared with a code's symbolic name and
// its description as a part of that text, without regard to the case of ASCII letters, so
// "auth" finds "authorized" and "AUTHORIZED" alike.
//
// Operations
//   WordFinder(word)                  a search for one word in any case, led by its rarest letter
//     .In(text, len)                  whether the word occurs in the text
//     .Holds(byte)                    whether the word holds that byte
//   SplitWords(args, n)               the words of the arguments, split at blanks (space, tab,
//                                     line feed), empty ones dropped
//   HasSearchWord(words)              whether a word has kSearchWordLength bytes or more: the
//                                     window searches only then (a shorter word finds most codes)
//   HeadlineLength(text, len, eol)    length of a description's headline: its first sentence, up
//                                     to the first line end (eol) or full stop followed by a
//                                     blank, a line end or the end of the text
//   SectionFinders(words)             the finders of the words, longest first: a long word rules
//                                     a section out soonest
//   SectionRank(finders, name, name_len, text, text_len, eol)
//                                     -1 when a word is in neither the name nor the text, else
//                                     the rank: the number of words that occur in the name or in
//                                     the headline, so that a word in the headline sentence or
//                                     the name weighs more than the same word deep in the text
//   RanksBefore(a, b)                 the order of the found codes: best rank first, then value,
//                                     then position in the store
//   SortByRank(items)                 sorts items (with rank, value and order) in that order
// A text's lines end with eol: '\n' in the description text, '~' in a record of the window. A
// word that holds the line end matches no text, since it would span two lines.
#ifndef TAVLO_RANK_RANK_H
#define TAVLO_RANK_RANK_H

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// The shortest word the window searches for.
constexpr std::size_t kSearchWordLength = 3;

class WordFinder {
 public:
  explicit WordFinder(const std::string& word);
  bool In(const char* text, long len) const;
  bool Holds(char byte) const;
  long Length() const {
    return static_cast<long>(folded_.size());
  }

 private:
  bool Matches(const unsigned char* at) const;

  std::string folded_;  // the word with ASCII letters in lower case
  size_t rare_ = 0;     // the position of the word's byte that English text holds least often
  unsigned char rare_lower_ = 0;  // that byte in lower case (or as it is, when no letter) ...
  unsigned char rare_upper_ = 0;  // ... and in upper case
};

std::vector<std::string> SplitWords(const char* const* args, int count);
bool HasSearchWord(const std::vector<std::string>& words);
long HeadlineLength(const char* text, long len, char eol = '\n');
std::vector<WordFinder> SectionFinders(const std::vector<std::string>& words);
int SectionRank(const std::vector<WordFinder>& finders, const char* name, long name_len,
                const char* text, long text_len, char eol);

// The sort key of a found code.
struct RankKey {
  int rank;
  std::int32_t value;
  long order;  // position in the store, counted in sections or records
};

inline bool RanksBefore(const RankKey& a, const RankKey& b) {
  if (a.rank != b.rank) {
    return a.rank > b.rank;
  }
  if (a.value != b.value) {
    return a.value < b.value;
  }
  return a.order < b.order;
}

template <typename Item>
void SortByRank(std::vector<Item>* items) {
  auto before = [](const Item& a, const Item& b) {
    return RanksBefore(RankKey{a.rank, a.value, a.order}, RankKey{b.rank, b.value, b.order});
  };
  // Often the store's order is the wanted one already (a list, or one rank).
  if (!std::is_sorted(items->begin(), items->end(), before)) {
    std::sort(items->begin(), items->end(), before);
  }
}

#endif
