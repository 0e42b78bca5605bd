// store: block scan of the description store, header matching and description printing.
#include "store.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

#include "error.h"

// Large-file support: the store's offsets pass through off_t, which must hold 64 bits on
// 32-bit systems too (the build defines _FILE_OFFSET_BITS=64 there).
static_assert(sizeof(off_t) == 8, "build with large-file support");

FILE* fBin = nullptr;
StoreOffset DescFileLen = 0;
StoreOffset ImageEnd = 0;
char* pBlkBuff = nullptr;
int MatchCnt = 0;
int SwDescription = 0;
const volatile char HeaderBrackets[2] = {'[', ']'};

namespace {

const char* StorePath = "";        // for the messages that name the store
char DescWindow[kDescWindowSize];  // one description, read straight from the file

// A header taken apart in the block buffer: '[' value ',' name ']'. The value runs to the first
// comma, the name from there to the ']'.
struct Header {
  const char* open;   // the '['
  const char* comma;  // the first comma after '['
  const char* close;  // the ']'
};

const char* FindByte(const char* from, const char* end, char byte) {
  if (from >= end) {
    return nullptr;
  }
  return static_cast<const char*>(memchr(from, byte, static_cast<size_t>(end - from)));
}

// Numeric match: the occurrence starts at the header's '['. The header must end within the
// bytes read, else it is left alone.
bool TakeNumericHeader(const char* hit, const char* end, Header* h) {
  h->open = hit;
  h->comma = FindByte(hit + 1, end, ',');
  if (h->comma == nullptr) {
    return false;
  }
  h->close = FindByte(h->comma + 1, end, ']');
  return h->close != nullptr;
}

// A header that opens at `open`: the first ']' within the 48 bytes after it closes it, 8 to 48
// bytes after it, and a comma lies between them.
bool TakeHeaderAt(const char* open, const char* end, Header* h) {
  const char* limit = open + 1 + kBlockOverlap < end ? open + 1 + kBlockOverlap : end;
  const char* close = FindByte(open + 1, limit, ']');
  if (close == nullptr || close - open < kMinHeaderSpan) {
    return false;
  }
  h->open = open;
  h->close = close;
  h->comma = FindByte(open + 1, close, ',');
  return h->comma != nullptr;
}

// Symbolic match: the nearest '[' within the 48 bytes before the hit opens the header, the first
// ']' within the 48 bytes after that '[' closes it, 8 to 48 bytes after it, and the hit ends
// before the ']'. A bracketed text without a comma between them is no header: the program
// image in front of the description text holds such texts (upper-case names in brackets in
// the C library's messages), and counting them would report matches that show nothing.
bool TakeSymbolicHeader(const char* hit, long part_len, const char* blk, const char* end,
                        Header* h) {
  const char* lowest = hit - kBlockOverlap < blk ? blk : hit - kBlockOverlap;
  const char* open = nullptr;
  for (const char* p = hit - 1; p >= lowest; --p) {
    if (*p == '[') {
      open = p;
      break;
    }
  }
  return open != nullptr && TakeHeaderAt(open, end, h) && hit + part_len <= h->close;
}

// Reads up to a window of bytes from the offset into the description window; *got is how many.
int ReadWindow(StoreOffset offset, long* got) {
  if (fseeko(fBin, static_cast<off_t>(offset), SEEK_SET) != 0) {
    PrintError(kNoErrno, "Can't seek to %lld in descriptions file", static_cast<long long>(offset));
    return kStoreDescSeekFailed;
  }
  *got = static_cast<long>(fread(DescWindow, 1, sizeof DescWindow, fBin));
  if (ferror(fBin)) {
    int err = errno;
    PrintError(err, "Can't read descriptions file");
    return kStoreDescReadFailed;
  }
  return kStoreOk;
}

// Reads the description that begins 2 bytes after the header's ']' (past the ']' and its line
// feed) into the window; *len is its length up to the ']' of the header that follows it.
int ReadDescription(StoreOffset offset, const char* hdr, int hdr_len, long* len) {
  long got = 0;
  int rc = ReadWindow(offset, &got);
  if (rc != kStoreOk) {
    return rc;
  }
  char* close = static_cast<char*>(memchr(DescWindow, ']', static_cast<size_t>(got)));
  if (close == nullptr) {
    PrintError(kNoErrno, "Can't find end of description: Hdr='%.*s' MaxLen=%ld", hdr_len, hdr,
               kDescWindowSize);
    return kStoreDescEndMissing;
  }
  *len = close - DescWindow;
  return kStoreOk;
}

// Prints the description read through the window.
int ShowDescription(StoreOffset offset, const char* hdr, int hdr_len) {
  long len = 0;
  int rc = ReadDescription(offset, hdr, hdr_len, &len);
  if (rc == kStoreOk) {
    DescWindow[len] = '\0';
    PrintDescription(DescWindow);
  }
  return rc;
}

// Counts an accepted header and prints its code line and, with -d, its description. The
// kind is told by the name's third character; other sections (the version) get no code line.
int ReportMatch(const Header& h, StoreOffset block_offset, const char* hdr, int hdr_len) {
  MatchCnt++;
  if (MatchCnt > 1 && SwDescription) {
    putchar('\n');
  }
  PrintCodeLine(ReadDecimalPrefix(h.open + 1, h.comma), h.comma + 1,
                static_cast<int>(h.close - (h.comma + 1)));
  if (!SwDescription) {
    return kStoreOk;
  }
  return ShowDescription(block_offset + (h.close - pBlkBuff) + 2, hdr, hdr_len);
}

// Hands one section of a walk to its visitor. The description is taken from the block when its
// end lies there within the description window; otherwise it is read through the window, as a
// printed description is, with the same failures. A description that no ']' ends within the
// window is handed over cut rather than failing the walk: a list of codes needs no text.
int VisitSection(const Header& h, StoreOffset block_offset, long got, SectionVisitor visit,
                 void* context) {
  StoreSection s;
  s.value = ReadDecimalPrefix(h.open + 1, h.comma);
  s.name = h.comma + 1;
  s.name_len = static_cast<int>(h.close - s.name);
  s.kind = s.name_len > 2 ? s.name[2] : '\0';
  s.header = h.open;
  s.header_len = static_cast<int>(h.comma - h.open);
  s.text_cut = false;
  const long start = (h.close - pBlkBuff) + 2;
  const long span = got - start < kDescWindowSize ? got - start : kDescWindowSize;
  const char* close = span > 0 ? FindByte(pBlkBuff + start, pBlkBuff + start + span, ']') : nullptr;
  if (close != nullptr) {
    s.text = pBlkBuff + start;
    s.text_len = close - s.text;
  } else {
    long read = 0;
    int rc = ReadWindow(block_offset + start, &read);
    if (rc != kStoreOk) {
      return rc;
    }
    s.text = DescWindow;
    close = static_cast<const char*>(memchr(DescWindow, ']', static_cast<size_t>(read)));
    s.text_cut = close == nullptr;
    s.text_len = s.text_cut ? read : close - DescWindow;
  }
  // The following header starts the line after the description's last line feed.
  while (!s.text_cut && s.text_len > 0 && s.text[s.text_len - 1] != '\n') {
    s.text_len--;
  }
  visit(s, context);
  return kStoreOk;
}

// The block scan shared by the searches and the walk (visit set: every header, found at its
// '['). A header whose '[' lies in the bytes that this block shares with the next one is left
// to the next block, which holds it whole and reports it; so every header is reported once.
// The program image is taken from the first block; a block whose own bytes (those it does not
// share with the next) lie wholly inside the image is passed over unread, and the search in a
// block starts at the image's end, since no header's '[' lies before it.
int ScanStore(const char* pat, bool symbolic, SectionVisitor visit = nullptr,
              void* context = nullptr) {
  const long pat_len = static_cast<long>(strlen(pat));
  int status = kStoreOk;
  const char* last_header = nullptr;
  StoreOffset last_header_block = -1;
  ImageEnd = 0;
  for (StoreOffset block_offset = DescFileLen > 0 ? 0 : -1; block_offset >= 0;
       block_offset = NextBlockOffset(block_offset, DescFileLen)) {
    const bool next_block = NextBlockOffset(block_offset, DescFileLen) >= 0;
    if (block_offset > 0 && (next_block ? block_offset + kBlockStep : DescFileLen) <= ImageEnd) {
      continue;
    }
    if (fseeko(fBin, static_cast<off_t>(block_offset), SEEK_SET) != 0) {
      PrintError(kNoErrno, "Can't seek to %lld in descriptions file '%s'",
                 static_cast<long long>(block_offset), StorePath);
      return kStoreBlockSeekFailed;
    }
    long got = static_cast<long>(fread(pBlkBuff, 1, kBlockSize, fBin));
    if (ferror(fBin)) {
      int err = errno;
      PrintError(err, "Can't read descriptions file");
      return kStoreBlockReadFailed;
    }
    if (block_offset == 0) {
      ImageEnd = ElfImageEnd(reinterpret_cast<const unsigned char*>(pBlkBuff), got, DescFileLen);
    }
    const char* end = pBlkBuff + got;
    const char* owned = next_block && got > kBlockStep ? pBlkBuff + kBlockStep : end;
    const StoreOffset image_left = ImageEnd - block_offset;
    const char* from = image_left <= 0 ? pBlkBuff : image_left < got ? pBlkBuff + image_left : end;
    for (const char* hit = MemSearch(from, end - from, pat, pat_len); hit != nullptr;
         hit = MemSearch(hit + 1, end - (hit + 1), pat, pat_len)) {
      Header h;
      bool taken = visit != nullptr ? TakeHeaderAt(hit, end, &h)
                   : symbolic       ? TakeSymbolicHeader(hit, pat_len, pBlkBuff, end, &h)
                                    : TakeNumericHeader(hit, end, &h);
      if (!taken || h.open >= owned || h.open < from) {
        continue;
      }
      if (h.open == last_header && block_offset == last_header_block) {
        continue;  // the part occurs again in a header already reported
      }
      last_header = h.open;
      last_header_block = block_offset;
      if (visit != nullptr) {
        int rc = VisitSection(h, block_offset, got, visit, context);
        if (rc != kStoreOk) {
          return rc;
        }
        continue;
      }
      // A failed description names the header: the pattern itself, or '[' and value.
      const char* hdr = pat;
      int hdr_len = static_cast<int>(pat_len);
      if (symbolic) {
        hdr = h.open;
        hdr_len = static_cast<int>(h.comma - h.open);
      }
      int rc = ReportMatch(h, block_offset, hdr, hdr_len);
      if (rc == kStoreDescEndMissing) {
        status = rc;
        break;  // the rest of this block is skipped; the next block is scanned
      }
      if (rc != kStoreOk) {
        return rc;
      }
    }
  }
  return status;
}

// An unsigned integer of `size` bytes at `at`, in the byte order of the ELF header.
uint64_t ElfField(const unsigned char* at, int size, bool big_endian) {
  uint64_t v = 0;
  for (int i = 0; i < size; i++) {
    v = v << 8 | at[big_endian ? i : size - 1 - i];
  }
  return v;
}

}  // namespace

int OpenDescriptions(const char* path) {
  StorePath = path;
  fBin = fopen(path, "rb");
  if (fBin == nullptr) {
    int err = errno;
    PrintError(err, "Can't open file '%s' to read", path);
    return kStoreOpenFailed;
  }
  // Blocks are read straight into the block buffer; a stream buffer would only add a copy.
  setvbuf(fBin, nullptr, _IONBF, 0);
  if (fseeko(fBin, 0, SEEK_END) != 0) {
    PrintError(kNoErrno, "Can't seek to end in file '%s'", path);
    CloseDescriptions();
    return kStoreEndSeekFailed;
  }
  DescFileLen = ftello(fBin);
  if (DescFileLen == -1) {
    PrintError(kNoErrno, "Can't get length of file '%s'", path);
    CloseDescriptions();
    return kStoreLengthFailed;
  }
  pBlkBuff = static_cast<char*>(malloc(kBlockSize));
  if (pBlkBuff == nullptr) {
    PrintError(kNoErrno, "Unable to allocate %ld bytes of memory", kBlockSize);
    CloseDescriptions();
    return kStoreNoMemory;
  }
  return kStoreOk;
}

int SearchSectionHeader(const char* pattern) {
  return ScanStore(pattern, false);
}

int SearchSymbols(const char* part) {
  return ScanStore(part, true);
}

int WalkSections(SectionVisitor visit, void* context) {
  return ScanStore("[", false, visit, context);
}

int FormatCodeLine(char* buf, size_t size, int32_t value, const char* name, int name_len) {
  const char kind = name_len > 2 ? name[2] : '\0';
  const char* title = kind == 'C' ? "Completion Code" : kind == 'R' ? "Reason Code" : nullptr;
  if (title == nullptr) {
    return 0;
  }
  const int n = snprintf(buf, size, "%s %d X%X %.*s", title, static_cast<int>(value),
                         static_cast<unsigned>(value), name_len, name);
  return n < 0 ? 0 : n;
}

void PrintCodeLine(int32_t value, const char* name, int name_len) {
  char line[128];
  const int n = FormatCodeLine(line, sizeof line, value, name, name_len);
  if (n > 0) {
    printf("%s\n", line);
  }
}

void CloseDescriptions() {
  if (fBin != nullptr && fclose(fBin) != 0) {
    int err = errno;
    PrintError(err, "Can't close descriptions file");
  }
  fBin = nullptr;
  free(pBlkBuff);
  pBlkBuff = nullptr;
}

const char* MemSearch(const char* buf, long len, const char* pat, long pat_len) {
  if (len < 1 || pat_len < 1 || pat_len > len) {
    return nullptr;
  }
  // Candidates are the first len - pat_len + 1 bytes; memchr skips to the next one that
  // starts like the pattern.
  const char* last = buf + (len - pat_len);
  for (const char* p = buf; p <= last; ++p) {
    p = static_cast<const char*>(memchr(p, pat[0], static_cast<size_t>(last - p + 1)));
    if (p == nullptr) {
      return nullptr;
    }
    if (memcmp(p + 1, pat + 1, static_cast<size_t>(pat_len - 1)) == 0) {
      return p;
    }
  }
  return nullptr;
}

// The ELF header's fields used here (offsets from the file's start, 32-bit / 64-bit file):
//   0   4      magic 7F 'E' 'L' 'F'
//   4   1      class: 1 32-bit, 2 64-bit
//   5   1      byte order: 1 little-endian, 2 big-endian
//   28  4 / 32 8   e_phoff      where the program header table starts
//   32  4 / 40 8   e_shoff      where the section header table starts
//   42  2 / 54 2   e_phentsize  size of one program header; e_phnum (count) follows
//   46  2 / 58 2   e_shentsize  size of one section header; e_shnum (count) follows
// The link editor puts the section header table last, so its end is the image's end; a
// stripped-down file without one ends with its program headers at the least.
StoreOffset ElfImageEnd(const unsigned char* head, long n, StoreOffset length) {
  if (n < 64 ||
      memcmp(head,
             "\x7f"
             "ELF",
             4) != 0 ||
      (head[4] != 1 && head[4] != 2) || (head[5] != 1 && head[5] != 2)) {
    return 0;
  }
  const bool wide = head[4] == 2;
  const bool big = head[5] == 2;
  const int word = wide ? 8 : 4;
  const uint64_t phoff = ElfField(head + (wide ? 32 : 28), word, big);
  const uint64_t shoff = ElfField(head + (wide ? 40 : 32), word, big);
  const int tables = wide ? 54 : 42;
  const uint64_t ph_size = ElfField(head + tables, 2, big) * ElfField(head + tables + 2, 2, big);
  const uint64_t sh_size =
      ElfField(head + tables + 4, 2, big) * ElfField(head + tables + 6, 2, big);
  const uint64_t limit = static_cast<uint64_t>(length);
  // Each table must lie within the store; the sizes are at most 65,535 squared, so the sums
  // cannot overflow once the offsets are known to be below the store's length.
  if (phoff > limit || shoff > limit || phoff + ph_size > limit || shoff + sh_size > limit) {
    return 0;
  }
  const uint64_t end = phoff + ph_size > shoff + sh_size ? phoff + ph_size : shoff + sh_size;
  return static_cast<StoreOffset>(end);
}

StoreOffset NextBlockOffset(StoreOffset offset, StoreOffset length) {
  const StoreOffset next = offset + kBlockStep;
  return next < length ? next : -1;
}

int32_t ReadDecimalPrefix(const char* text, const char* end) {
  const char* p = text;
  // Leading white space is skipped, as the C library's conversion skips it.
  while (p < end && isspace(static_cast<unsigned char>(*p))) {
    ++p;
  }
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  }
  // Values beyond 32 bits are held at the nearest limit, as the C library's conversion does
  // on a 32-bit system.
  int64_t value = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    if (value <= INT64_C(0x80000000)) {
      value = value * 10 + (*p - '0');
    }
  }
  if (negative) {
    value = -value;
  }
  if (value > INT32_MAX) {
    return INT32_MAX;
  }
  if (value < INT32_MIN) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(value);
}

void PrintDescription(const char* text) {
  char line[kLineWidth];
  int len = 0;
  int last_space = -1;  // position of the buffered line's last space, or none
  for (const char* p = text; *p != '\0'; ++p) {
    const char c = *p;
    if (c == '\n') {
      fwrite(line, 1, static_cast<size_t>(len), stdout);
      putchar('\n');
      len = 0;
      last_space = -1;
      continue;
    }
    if (c == ' ') {
      last_space = len;
    }
    if (len < kLineWidth) {
      line[len++] = c;
    } else if (last_space == kLineWidth) {
      // A space just past a full line ends it and is dropped.
      fwrite(line, 1, kLineWidth, stdout);
      putchar('\n');
      len = 0;
      last_space = -1;
    } else if (last_space >= 0) {
      // Break at the last space; the word after it moves to the next line.
      fwrite(line, 1, static_cast<size_t>(last_space), stdout);
      putchar('\n');
      int rest = len - last_space - 1;
      memmove(line, line + last_space + 1, static_cast<size_t>(rest));
      line[rest] = c;
      len = rest + 1;
      last_space = -1;
    } else {
      // A run of more than 78 characters without a space is broken at 78.
      fwrite(line, 1, kLineWidth, stdout);
      putchar('\n');
      line[0] = c;
      len = 1;
    }
  }
}
