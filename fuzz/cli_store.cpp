// Fuzzes the description store reader. Input layout:
//   byte 0      bit 0: print descriptions (-d); bits 1-7, when not zero, put the store text
//               just before the first block boundary (the text then starts 64 bytes before
//               the shared bytes plus that value), behind zero bytes
//   bytes 1..   the part of a name to search for, up to the first line feed; its decimal
//               reading gives the numeric pattern "[<value>,"
//   the rest    the store text
// Every input is written to a scratch file and searched by value, by name and for the
// version header, as the program does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "fuzz/harness.h"
#include "store.h"

namespace {

char StoreFile[] = "/tmp/fuzz_cli_store_XXXXXX";
int StoreFd = -1;

void Search(const char* pattern, bool symbolic) {
  MatchCnt = 0;
  int status = symbolic ? SearchSymbols(pattern) : SearchSectionHeader(pattern);
  if (status != kStoreOk && status != kStoreDescEndMissing) {
    abort();  // a regular file that opened fine must be readable to its end
  }
}

}  // namespace

// Once a run, before the first input: the scratch file, and the results' output discarded.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StoreFd = fuzz::MakeScratchFile(StoreFile);
  fuzz::Check(freopen("/dev/null", "w", stdout) != nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) {
    return 0;
  }
  const size_t pad = (data[0] >> 1) != 0 ? kBlockStep - 64 + (data[0] >> 1) : 0;
  const fuzz::LineAndText in =
      fuzz::SplitAtLineFeed(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string part = in.line.c_str();  // the program's argument cannot hold a NUL byte
  fuzz::PutAfterZeros(StoreFd, pad, in.text, in.text_len);

  if (OpenDescriptions(StoreFile) != kStoreOk) {
    abort();
  }
  SwDescription = data[0] & 1;
  char pattern[32];
  snprintf(pattern, sizeof pattern, "[%d,",
           static_cast<int>(ReadDecimalPrefix(part.data(), part.data() + part.size())));
  Search(pattern, false);
  Search("[DI1,Version]", false);
  if (!part.empty()) {
    Search(part.c_str(), true);
  }
  CloseDescriptions();
  return 0;
}
