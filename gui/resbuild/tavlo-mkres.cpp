// tavlo-mkres: the maintenance window's Make and Dump from the command line, for the build
// step that puts the description container into the windowed program file.
//
//   tavlo-mkres [-q] make <resource-file> <data-file>   build the container, print the log
//   tavlo-mkres [-q] dump <resource-file>               list the container, print the log
//
// The log goes to standard output exactly as the window shows it (CR LF line ends), followed
// by a CR LF when its last line has none; -q prints it only when it reports a failure. Exit
// status: 0 when the Make replaced the resource file (or the Dump listed everything), 1 when
// the log reports a failure, 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "resbuild/resbuild.h"
#include "base/text.h"

namespace {

int Usage() {
  std::fputs(
      "usage: tavlo-mkres [-q] make <resource-file> <data-file>\n"
      "       tavlo-mkres [-q] dump <resource-file>\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // the log carries its own CR LF
#endif
  bool quiet = argc > 1 && std::strcmp(argv[1], "-q") == 0;
  if (quiet) {
    --argc;
    ++argv;
  }
  if (argc < 2)
    return Usage();
  bool complete = false;
  std::string log;
  if (std::strcmp(argv[1], "make") == 0 && argc == 4) {
    log = MakeBinaryResource(argv[2], argv[3], ResBuildLocalClock, nullptr, &complete);
  } else if (std::strcmp(argv[1], "dump") == 0 && argc == 3) {
    log = DumpBinaryResource(argv[2], nullptr, &complete);
  } else {
    return Usage();
  }
  if (quiet && complete)
    return 0;
  std::fwrite(log.data(), 1, log.size(), stdout);
  // A log that ends in an "Error N: ..." line has no line end of its own.
  if (!log.empty() && log.back() != '\n')
    std::fputs(kCrLf, stdout);
  if (std::fflush(stdout) != 0)
    return 1;
  return complete ? 0 : 1;
}
