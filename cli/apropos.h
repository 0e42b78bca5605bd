// apropos: finds the codes whose sections in the description store hold given words, and lists
// every code. A word is compared with the section's symbolic name and its description as a
// part of that text, without regard to the case of ASCII letters, so "auth" finds
// "authorized" and "AUTHORIZED" alike.
//
// Operations
//   WordFinder(word)            a search for one word in any case, led by its rarest letter
//     .In(text, len)            whether the word occurs in the text
//   SplitWords(args, n)         the words of the arguments, split at blanks, empty ones dropped
//   HeadlineLength(text, len)   length of a description's headline: its first sentence, up to
//                               the first line feed or full stop followed by a blank
//   CollectCodes(words, out, n) walks the open store (store.h): every code section that holds
//                               all the words, with its rank; no words gives every code; n is
//                               the number of code sections in the store
//   SortCodes(codes)            best rank first, then value, then file order
// Rank: the number of words that occur in the code's name or in its headline, so that a word in
// the headline sentence or the name weighs more than the same word deep in the text.
// CollectCodes returns the store's status (store.h); kStoreNoMemory when the list cannot grow;
// kStoreDescEndMissing when words were asked for and a description too long to search was
// met (it is reported and passed over, the other codes are still collected).
#ifndef TAVLO_APROPOS_H
#define TAVLO_APROPOS_H

#include <cstdint>
#include <string>
#include <vector>

class WordFinder {
 public:
  explicit WordFinder(const std::string& word);
  bool In(const char* text, long len) const;
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

// A code found. The name is held in the entry, not allocated: a header's name is shorter than
// the 48 bytes that a header spans at most.
struct CodeEntry {
  int rank;
  int32_t value;
  long order;  // position in the store, counted in sections
  int name_len;
  char name[48];
};

std::vector<std::string> SplitWords(const char* const* args, int count);
long HeadlineLength(const char* text, long len);
int CollectCodes(const std::vector<std::string>& words, std::vector<CodeEntry>* out,
                 long* code_sections);
void SortCodes(std::vector<CodeEntry>* codes);

#endif
