// selfpath: find the running executable without trusting "_" blindly. The shells set "_" to
// the command they start, but env, xargs, find -exec, make and interpreters leave it unset or
// naming themselves, and a store that is some other program finds nothing.
#include "selfpath.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

char SelfPath[4096];

bool SameFile(const char* a, const char* b) {
  struct stat sa;
  struct stat sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

const char* ProgramFilePath() {
  // readlink of /proc/self/exe (rather than stat or open of it) also gives the emulated
  // program's path when the program runs under user-mode emulation.
  ssize_t n = readlink("/proc/self/exe", SelfPath, sizeof SelfPath - 1);
  if (n <= 0 || n >= static_cast<ssize_t>(sizeof SelfPath - 1)) {
    return "";
  }
  SelfPath[n] = '\0';
  return SelfPath;
}

const char* StorePathName() {
  const char* underscore = getenv("_");
  if (ProgramFilePath()[0] == '\0') {
    return underscore != nullptr ? underscore : "";
  }
  if (underscore != nullptr && SameFile(underscore, SelfPath)) {
    return underscore;
  }
  return SelfPath;
}
