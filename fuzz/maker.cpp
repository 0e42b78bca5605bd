// libFuzzer harness for the description maker. The first byte of an input picks the mode (its
// lowest bit: 0 text, 1 comma-separated); the remaining bytes are the manual to convert.
#include "maker.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

int InputFd = -1;
char InputPath[64];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Each conversion writes its output and counts; -close_fd_mask=3 has libFuzzer send stdout
  // and stderr to /dev/null once at start-up while its own messages and the sanitizers'
  // reports go on to a copy of stderr.
  static std::vector<char*> args(*argv, *argv + *argc);
  static char closeFds[] = "-close_fd_mask=3";
  bool given = false;
  for (char* a : args)
    given = given || strncmp(a, "-close_fd_mask=", 15) == 0;
  if (!given)
    args.push_back(closeFds);
  *argc = static_cast<int>(args.size());
  args.push_back(nullptr);
  *argv = args.data();

  // One input file for the whole run, unlinked at once and opened by the maker through
  // /proc, so that nothing is left behind.
  char name[] = "/tmp/fuzz_maker.XXXXXX";
  InputFd = mkstemp(name);
  if (InputFd < 0) {
    perror("fuzz_maker: mkstemp");
    exit(1);
  }
  unlink(name);
  snprintf(InputPath, sizeof InputPath, "/proc/self/fd/%d", InputFd);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  int mode = (data[0] & 1) ? MakerPalm : MakerText;
  if (ftruncate(InputFd, 0) != 0 ||
      pwrite(InputFd, data + 1, size - 1, 0) != static_cast<ssize_t>(size - 1))
    abort();
  MakeDescriptions(InputPath, mode);
  return 0;
}
