// store: the description store, which is this program's own executable file with the
// description text appended. It is scanned from its first byte to its last in blocks of
// 65,536 bytes that start 65,488 bytes apart, so that consecutive blocks share 48 bytes and a
// header (at most 49 bytes from '[' to ']') cut by one block's end lies whole in the next.
// Memory stays fixed whatever the store's size: the block buffer, a 4,096-byte description
// window and a 78-character line buffer.
//
// Operations
//   OpenDescriptions(path)         open the store, take its length, allocate the block buffer
//   SearchSectionHeader(pattern)   numeric search for "[<value>," or the version header
//   SearchSymbols(part)            symbolic search for an upper-case part of a code's name
//   PrintDescription(text)         print NUL-terminated text wrapped to 78 columns
//   MemSearch(buf, n, pat, m)      first occurrence of pat within the first n bytes, or null
//   ReadDecimalPrefix(text, end)   optional sign and the digits up to the first non-digit,
//                                  held within 32 bits
//   CloseDescriptions()            close the store (reporting a failed close), free the buffer
// State (process-wide)
//   fBin           the open store, or null
//   DescFileLen    the store's length in bytes, taken when it is opened
//   pBlkBuff       the 65,536-byte block buffer, or null
//   MatchCnt       matches found in this run; only grows
//   SwDescription  1: print the description of each match
// Status codes (they become the program's exit status)
//   0   done (also when nothing matched)
//   1   the block buffer could not be allocated
//   2   the store could not be opened
//   3   a block could not be sought
//   4   a block could not be read
//   6   the store could not be sought to its end
//   7   the store's length could not be had
//   8   a description could not be sought
//   9   a description could not be read
//   10  no ']' closes a description within its 4,096-byte window
#ifndef TAVLO_STORE_H
#define TAVLO_STORE_H

#include <cstdint>
#include <cstdio>

constexpr long kBlockSize = 65536;
constexpr long kBlockStep = 65488;
constexpr long kBlockOverlap = kBlockSize - kBlockStep;  // 48
constexpr long kMinHeaderSpan = 8;  // shortest distance from '[' to ']' of a code header
constexpr long kDescWindowSize = 4096;
constexpr int kLineWidth = 78;

enum StoreStatus {
  kStoreOk = 0,
  kStoreNoMemory = 1,
  kStoreOpenFailed = 2,
  kStoreBlockSeekFailed = 3,
  kStoreBlockReadFailed = 4,
  kStoreEndSeekFailed = 6,
  kStoreLengthFailed = 7,
  kStoreDescSeekFailed = 8,
  kStoreDescReadFailed = 9,
  kStoreDescEndMissing = 10,
};

extern FILE* fBin;
extern long DescFileLen;
extern char* pBlkBuff;
extern int MatchCnt;
extern int SwDescription;

int OpenDescriptions(const char* path);
int SearchSectionHeader(const char* pattern);
int SearchSymbols(const char* part);
void PrintDescription(const char* text);
const char* MemSearch(const char* buf, long len, const char* pat, long pat_len);
int32_t ReadDecimalPrefix(const char* text, const char* end);
void CloseDescriptions();

#endif
