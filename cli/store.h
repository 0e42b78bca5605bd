// store: the description store, which is this program's own executable file with the
// description text appended. It is scanned in blocks of 65,536 bytes that start 65,488 bytes
// apart from its first byte, so that consecutive blocks share 48 bytes and a header (at most 49
// bytes from '[' to ']') cut by one block's end lies whole in the next. A bracketed text whose
// '[' lies inside the program's image (the ELF file the text is appended to) is never a header:
// machine code holds such byte runs by chance. Blocks that hold only image bytes are not read.
// Memory stays fixed whatever the store's size: the block buffer, a 4,096-byte description
// window and a 78-character line buffer.
//
// Operations
//   OpenDescriptions(path)         open the store, take its length, allocate the block buffer
//   SearchSectionHeader(pattern)   numeric search for "[<value>," or the version header
//   SearchSymbols(part)            symbolic search for an upper-case part of a code's name
//   PrintDescription(text)         print NUL-terminated text wrapped to 78 columns
//   MemSearch(buf, n, pat, m)      first occurrence of pat within the first n bytes, or null
//   ReadDecimalPrefix(text, end)   optional white space and sign, and the digits up to the
//                                  first non-digit, held within 32 bits (as the C library
//                                  converts a decimal integer)
//   NextBlockOffset(offset, len)   where the block after the one at offset starts, or -1
//   ElfImageEnd(head, n, len)      where the program image ends in a store of len bytes whose
//                                  first n bytes are head: the end of the ELF file's header
//                                  tables (64- or 32-bit, either byte order); 0 when head is no
//                                  ELF header or its tables do not lie within the store
//   HeaderBrackets                 '[' and ']' for header texts built at run time
//   CloseDescriptions()            close the store (reporting a failed close), free the buffer
//   WalkSections(visit, context)   hand every section, header and description, to a visitor,
//                                  in file order; statuses as the searches. A header here is
//                                  any that the symbolic search accepts. A description that
//                                  no ']' ends within its window is handed over cut (the
//                                  visitor decides whether it needs the text), and the walk
//                                  goes on with the next section
//   PrintCodeLine(value, name, n)  the code line of a section ("Reason Code 2035 X7F3 ...")
//   FormatCodeLine(buf, size, ...) the same line without its line feed into buf; its length,
//                                  0 for a section that is no code
// State (process-wide)
//   fBin           the open store, or null
//   DescFileLen    the store's length in bytes, taken when it is opened (64-bit, so that a
//                  32-bit build reads stores past 2 GiB as a 64-bit one does)
//   ImageEnd       where the program image ends, taken from the first block of each scan; 0
//                  for a store that is not an ELF file (a fixture, a text)
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

#include <cstddef>
#include <cstdint>
#include <cstdio>

// File offsets and lengths are 64-bit on every build; 32-bit builds use the large-file
// interfaces (fseeko, ftello with a 64-bit off_t).
using StoreOffset = int64_t;

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
extern StoreOffset DescFileLen;
extern StoreOffset ImageEnd;
extern char* pBlkBuff;
extern int MatchCnt;
extern int SwDescription;

int OpenDescriptions(const char* path);
int SearchSectionHeader(const char* pattern);
int SearchSymbols(const char* part);
void PrintDescription(const char* text);
const char* MemSearch(const char* buf, long len, const char* pat, long pat_len);
int32_t ReadDecimalPrefix(const char* text, const char* end);
StoreOffset NextBlockOffset(StoreOffset offset, StoreOffset length);
StoreOffset ElfImageEnd(const unsigned char* head, long n, StoreOffset length);

// Texts in a header's form (the version header, the maker's headers) take their brackets from
// here at run time instead of from a literal, so that a store that is not an ELF file (a
// program of another format, a copy with its header damaged) still holds none in its image.
extern const volatile char HeaderBrackets[2];
void CloseDescriptions();

// A section as WalkSections hands it over. Name and text point into the store's buffers and
// are valid during the visit only. The text is the description that -d prints: not
// NUL-terminated, it ends with its last line feed, before the header that follows it; a cut
// text is the description's first 4,096 bytes, which no ']' ends. Kind: 'C' completion code,
// 'R' reason code, anything else no code. Header: from '[' up to the comma, for messages.
struct StoreSection {
  int32_t value;
  const char* name;
  int name_len;
  char kind;
  const char* text;
  long text_len;
  bool text_cut;
  const char* header;
  int header_len;
};
using SectionVisitor = void (*)(const StoreSection& section, void* context);
int WalkSections(SectionVisitor visit, void* context);
void PrintCodeLine(int32_t value, const char* name, int name_len);
int FormatCodeLine(char* buf, size_t size, int32_t value, const char* name, int name_len);

#endif
