// Fuzzes the store's walk over every section and the word search of tavlo-apropos. Input:
//   byte 0      when not zero, the store text starts that many bytes before the first block's
//               shared bytes end, behind zero bytes, so that block edges fall inside it
//   bytes 1..   the words to look for, up to the first line feed
//   the rest    the store text
// Every input is written to a scratch file, searched for the words and listed, as the program
// does; a regular file that opened fine must be walked to its end.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "apropos.h"
#include "store.h"

namespace {

char StoreFile[] = "/tmp/fuzz_apropos_XXXXXX";
int StoreFd = -1;

bool Setup() {
  StoreFd = mkstemp(StoreFile);
  if (StoreFd < 0) {
    abort();
  }
  atexit([] { unlink(StoreFile); });
  return true;
}

void Collect(const std::vector<std::string>& words) {
  std::vector<CodeEntry> codes;
  long code_sections = 0;
  int status = CollectCodes(words, &codes, &code_sections);
  if (status != kStoreOk && status != kStoreDescEndMissing) {
    abort();
  }
  if (static_cast<long>(codes.size()) > code_sections) {
    abort();  // more matches than codes
  }
  SortCodes(&codes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = Setup();
  (void)ready;
  if (size < 1) {
    return 0;
  }
  const char* bytes = reinterpret_cast<const char*>(data);
  const size_t pad = data[0] != 0 ? static_cast<size_t>(kBlockSize) - data[0] : 0;
  const char* nl = static_cast<const char*>(memchr(bytes + 1, '\n', size - 1));
  const char* textStart = nl != nullptr ? nl + 1 : bytes + size;
  const std::string line(bytes + 1, nl != nullptr ? nl : bytes + size);
  const char* arg = line.c_str();  // an argument ends at its first NUL byte
  const std::vector<std::string> words = SplitWords(&arg, 1);

  const size_t textLen = static_cast<size_t>(bytes + size - textStart);
  if (ftruncate(StoreFd, 0) != 0 || ftruncate(StoreFd, static_cast<off_t>(pad)) != 0 ||
      pwrite(StoreFd, textStart, textLen, static_cast<off_t>(pad)) !=
          static_cast<ssize_t>(textLen)) {
    abort();
  }
  if (OpenDescriptions(StoreFile) != kStoreOk) {
    abort();
  }
  Collect(words);
  Collect({});
  CloseDescriptions();
  return 0;
}
