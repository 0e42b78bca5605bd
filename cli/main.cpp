// tavlo: looks up a completion code or reason code of the Zarvex middleware by its value or by
// part of its symbolic name, in the description text appended to this executable.
//
//   tavlo Code [-d]     Code: decimal, hexadecimal after "X" or "0X", or part of a name
//   tavlo -v            the version section of the description text
//   tavlo -text File    description maker, text mode
//   tavlo -palm File    description maker, comma-separated mode
// Exit status: 0 done, 1 usage, otherwise the status of the store (store.h) or the maker.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "maker.h"
#include "selfpath.h"
#include "store.h"

extern const char SrcIdent[];
extern const char Copyright[];
const char SrcIdent[] = "@(#)TAVLO VER=12 DATE=25-Feb-2002";
const char Copyright[] = "Copyright (c) 2002, 2026 The tavlo developers. All rights reserved.";

int SwDebug = 0;

namespace {

constexpr int kMaxCodeLen = 63;      // longer arguments are cut to their first 63 characters
constexpr int32_t kApplFirst = 900;  // application-defined reason codes lie above it ...
constexpr int32_t kApplLast = 999;   // ... and below this one
// Not a literal "1" in the pattern text: the executable image must not hold the version
// header itself, or the bare program would find it.
volatile int DescFormatVersion = 1;

void PrintUsage() {
  printf("Zarvex Pindle program\n%s\n%s\n", SrcIdent, Copyright);
  fputs(
      "\n"
      "Command line formats are:\n"
      "tavlo Code [-d]\n"
      "tavlo -v\n"
      "\n"
      "Code may be a decimal number or a hexadecimal number (prefix with X)\n"
      "which is the value of a ZIZ Completion Code or Reason Code.\n"
      "\n"
      "Code may also be part of the symbolic name for a code (case is insignificant).\n"
      "\n"
      "-d        displays a full description of a Code\n"
      "-v        displays the messages version information\n"
      "\n"
      "eg. tavlo 2035 -d\n"
      "    tavlo NOT_AUTH\n"
      "    tavlo KXRC\n"
      "    tavlo x7f2\n",
      stdout);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// Upper-case hexadecimal digits up to the first character that is not one. No digit gives 0;
// more than 32 bits are held at FFFFFFFF, which is -1.
int32_t ReadHex(const char* text) {
  uint64_t value = 0;
  for (const char* p = text; HexDigit(*p) >= 0; ++p) {
    if (value <= UINT32_MAX) {
      value = value * 16 + static_cast<uint64_t>(HexDigit(*p));
    }
  }
  if (value > UINT32_MAX) {
    value = UINT32_MAX;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// A numeric argument starts with a digit or a minus sign, or is hexadecimal after "X" or "0X".
bool IsNumeric(const char* code) {
  return (code[0] != '\0' && strchr("0123456789-", code[0]) != nullptr) || code[0] == 'X';
}

int32_t NumericValue(const char* code) {
  if (code[0] == 'X') {
    return ReadHex(code + 1);
  }
  if (code[0] == '0' && code[1] == 'X') {
    return ReadHex(code + 2);
  }
  return ReadDecimalPrefix(code, code + strlen(code));
}

// The closing line after matches; with -d the descriptions speak for themselves.
void PrintMatchSummary(const char* searched) {
  if (SwDescription) {
    return;
  }
  if (MatchCnt == 1) {
    printf("\nOne match found on %s. Use -d to view full description.\n", searched);
  } else {
    printf("\n%d matches found on %s. Use -d to view full description.\n", MatchCnt, searched);
  }
}

int LookUpNumeric(const char* code) {
  const int32_t value = NumericValue(code);
  const unsigned hex = static_cast<unsigned>(value);
  int status = kStoreOk;
  if (value > kApplFirst && value < kApplLast) {
    printf("Reason Code %d X%X\nKXRC_APPL_FIRST + %d\n", static_cast<int>(value), hex,
           static_cast<int>(value - kApplFirst));
    printf("Refer to KXRC_APPL_FIRST and KXRC_APPL_LAST for details.\n");
    MatchCnt++;
  } else {
    status = OpenDescriptions(StorePathName());
    if (status != kStoreOk) {
      return status;
    }
    char pattern[16];
    snprintf(pattern, sizeof pattern, "[%d,", static_cast<int>(value));
    status = SearchSectionHeader(pattern);
  }
  if (MatchCnt == 0) {
    printf("%d X%X is not a known Completion Code or Reason Code.\n", static_cast<int>(value), hex);
  } else {
    PrintMatchSummary("numeric codes");
  }
  return status;
}

int LookUpSymbolic(const char* code) {
  if (strlen(code) < 3) {
    printf("'%s' part of symbolic name must be at least 3 characters.\n", code);
    return kStoreOk;
  }
  int status = OpenDescriptions(StorePathName());
  if (status != kStoreOk) {
    return status;
  }
  status = SearchSymbols(code);
  if (MatchCnt == 0) {
    printf("'%s' is not part of a symbolic name for a Completion Code or Reason Code.\n", code);
  } else {
    PrintMatchSummary("symbolic names");
  }
  return status;
}

int ShowVersion() {
  int status = OpenDescriptions(StorePathName());
  if (status != kStoreOk) {
    return status;
  }
  SwDescription = 1;
  char pattern[32];
  snprintf(pattern, sizeof pattern, "[DI%d,Version]", DescFormatVersion);
  return SearchSectionHeader(pattern);
}

}  // namespace

int main(int argc, char** argv) {
  int sw_version = 0;
  int sw_text = 0;
  int sw_palm = 0;
  int positional_cnt = 0;
  const char* positional[2] = {nullptr, nullptr};

  for (int i = 1; i < argc; i++) {
    const char* arg = argv[i];
    if (strcmp(arg, "-d") == 0) {
      SwDescription = 1;
    } else if (strcmp(arg, "-v") == 0) {
      sw_version = 1;
    } else if (strcmp(arg, "-debug") == 0) {
      SwDebug = 1;
    } else if (strcmp(arg, "-text") == 0) {
      sw_text = 1;
    } else if (strcmp(arg, "-palm") == 0) {
      sw_palm = 1;
    } else if (positional_cnt < 2) {
      positional[positional_cnt++] = arg;
    }
  }

  int status;
  if (positional_cnt == 0) {
    if (!sw_version) {
      PrintUsage();
      return 1;
    }
    status = ShowVersion();
  } else if (sw_text || sw_palm) {
    return MakeDescriptions(positional[0], sw_text ? MakerText : MakerPalm);
  } else {
    char code[kMaxCodeLen + 1];
    int len = 0;
    for (const char* p = positional[0]; *p != '\0' && len < kMaxCodeLen; ++p) {
      code[len++] = static_cast<char>(toupper(static_cast<unsigned char>(*p)));
    }
    code[len] = '\0';
    status = IsNumeric(code) ? LookUpNumeric(code) : LookUpSymbolic(code);
  }
  CloseDescriptions();
  return status;
}
