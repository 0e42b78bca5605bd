// apropos: finds the codes whose sections in the description store hold given words, and lists
// every code. Which words count, how name and headline weigh and the order of ties are the
// rank module's (rank/rank.h: WordFinder, SplitWords, HeadlineLength), which the windowed tool
// shares, so the same words give the same codes in the same order there.
//
// Operations
//   CollectCodes(words, out, n) walks the open store (store.h): every code section that holds
//                               all the words, with its rank; no words gives every code; n is
//                               the number of code sections in the store
//   SortCodes(codes)            best rank first, then value, then file order
// CollectCodes returns the store's status (store.h); kStoreNoMemory when the list cannot grow;
// kStoreDescEndMissing when words were asked for and a description too long to search was
// met (it is reported and passed over, the other codes are still collected).
#ifndef TAVLO_APROPOS_H
#define TAVLO_APROPOS_H

#include <cstdint>
#include <string>
#include <vector>

#include "rank/rank.h"

// A code found. The name is held in the entry, not allocated: a header's name is shorter than
// the 48 bytes that a header spans at most.
struct CodeEntry {
  int rank;
  int32_t value;
  long order;  // position in the store, counted in sections
  int name_len;
  char name[48];
};

int CollectCodes(const std::vector<std::string>& words, std::vector<CodeEntry>* out,
                 long* code_sections);
void SortCodes(std::vector<CodeEntry>* codes);

#endif
