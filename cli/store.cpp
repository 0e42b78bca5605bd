// store: block scan of the description store, header matching and description printing.
#include "store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "error.h"

FILE* fBin = nullptr;
long DescFileLen = 0;
char* pBlkBuff = nullptr;
int MatchCnt = 0;
int SwDescription = 0;

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
  if (open == nullptr) {
    return false;
  }
  const char* limit = open + 1 + kBlockOverlap < end ? open + 1 + kBlockOverlap : end;
  const char* close = FindByte(open + 1, limit, ']');
  if (close == nullptr || close - open < kMinHeaderSpan || hit + part_len > close) {
    return false;
  }
  h->open = open;
  h->close = close;
  h->comma = FindByte(open + 1, close, ',');
  return h->comma != nullptr;
}

// Reads the description that begins 2 bytes after the header's ']' (past the ']' and its line
// feed) through the window, and prints it up to the ']' of the header that follows it.
int ShowDescription(long offset, const char* hdr, int hdr_len) {
  if (fseek(fBin, offset, SEEK_SET) != 0) {
    PrintError(kNoErrno, "Can't seek to %ld in descriptions file", offset);
    return kStoreDescSeekFailed;
  }
  size_t got = fread(DescWindow, 1, sizeof DescWindow, fBin);
  if (ferror(fBin)) {
    int err = errno;
    PrintError(err, "Can't read descriptions file");
    return kStoreDescReadFailed;
  }
  char* close = static_cast<char*>(memchr(DescWindow, ']', got));
  if (close == nullptr) {
    PrintError(kNoErrno, "Can't find end of description: Hdr='%.*s' MaxLen=%ld", hdr_len, hdr,
               kDescWindowSize);
    return kStoreDescEndMissing;
  }
  *close = '\0';
  PrintDescription(DescWindow);
  return kStoreOk;
}

// Counts an accepted header and prints its code line and, with -d, its description. The
// kind is told by the name's third character; other sections (the version) get no code line.
int ReportMatch(const Header& h, long block_offset, const char* hdr, int hdr_len) {
  MatchCnt++;
  if (MatchCnt > 1 && SwDescription) {
    putchar('\n');
  }
  const char* name = h.comma + 1;
  int name_len = static_cast<int>(h.close - name);
  int32_t value = ReadDecimalPrefix(h.open + 1, h.comma);
  char kind = name_len > 2 ? name[2] : '\0';
  if (kind == 'C') {
    printf("Completion Code %d X%X %.*s\n", static_cast<int>(value), static_cast<unsigned>(value),
           name_len, name);
  } else if (kind == 'R') {
    printf("Reason Code %d X%X %.*s\n", static_cast<int>(value), static_cast<unsigned>(value),
           name_len, name);
  }
  if (!SwDescription) {
    return kStoreOk;
  }
  return ShowDescription(block_offset + (h.close - pBlkBuff) + 2, hdr, hdr_len);
}

// The block scan shared by both searches. A header whose '[' lies in the bytes that this block
// shares with the next one is left to the next block, which holds it whole and reports it;
// so every header is reported once.
int ScanStore(const char* pat, bool symbolic) {
  const long pat_len = static_cast<long>(strlen(pat));
  int status = kStoreOk;
  const char* last_header = nullptr;
  long last_header_block = -1;
  for (long block_offset = 0; block_offset < DescFileLen; block_offset += kBlockStep) {
    if (fseek(fBin, block_offset, SEEK_SET) != 0) {
      PrintError(kNoErrno, "Can't seek to %ld in descriptions file '%s'", block_offset, StorePath);
      return kStoreBlockSeekFailed;
    }
    long got = static_cast<long>(fread(pBlkBuff, 1, kBlockSize, fBin));
    if (ferror(fBin)) {
      int err = errno;
      PrintError(err, "Can't read descriptions file");
      return kStoreBlockReadFailed;
    }
    const char* end = pBlkBuff + got;
    const bool next_block = block_offset + kBlockStep < DescFileLen;
    const char* owned = next_block && got > kBlockStep ? pBlkBuff + kBlockStep : end;
    for (const char* hit = MemSearch(pBlkBuff, got, pat, pat_len); hit != nullptr;
         hit = MemSearch(hit + 1, end - (hit + 1), pat, pat_len)) {
      Header h;
      bool taken = symbolic ? TakeSymbolicHeader(hit, pat_len, pBlkBuff, end, &h)
                            : TakeNumericHeader(hit, end, &h);
      if (!taken || h.open >= owned) {
        continue;
      }
      if (h.open == last_header && block_offset == last_header_block) {
        continue;  // the part occurs again in a header already reported
      }
      last_header = h.open;
      last_header_block = block_offset;
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
  if (fseek(fBin, 0, SEEK_END) != 0) {
    PrintError(kNoErrno, "Can't seek to end in file '%s'", path);
    CloseDescriptions();
    return kStoreEndSeekFailed;
  }
  DescFileLen = ftell(fBin);
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

int32_t ReadDecimalPrefix(const char* text, const char* end) {
  const char* p = text;
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
