#include "findstore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "error.h"
#include "selfpath.h"

namespace {

bool IsProgram(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The tavlo in the folder of a path, or "" when the path names no folder or none lies there.
std::string Beside(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return "";
  }
  const std::string beside = path.substr(0, slash + 1) + "tavlo";
  return IsProgram(beside) ? beside : "";
}

}  // namespace

// The order does not depend on who started the program: installed together, or both in the
// build tree, the real file's folder wins; a symbolic link to the program is found through the
// command's path, or through the shell's "_" when that names this program.
std::string FindStore(const char* started) {
  std::string found = Beside(ProgramFilePath());
  if (found.empty() && strchr(started, '/') != nullptr) {
    found = Beside(started);
  }
  if (found.empty()) {
    found = Beside(StorePathName());
  }
  if (!found.empty()) {
    return found;
  }
  const char* path = getenv("PATH");
  if (path == nullptr) {
    return "";
  }
  for (const char* p = path;; p++) {
    const char* colon = strchr(p, ':');
    std::string dir(p, colon != nullptr ? colon : p + strlen(p));
    const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/tavlo";
    if (IsProgram(candidate)) {
      return candidate;
    }
    if (colon == nullptr) {
      return "";
    }
    p = colon;
  }
}

// Output goes through stdio's buffer; a failed write shows when it is flushed at the latest.
bool StdoutWritten() {
  if (fflush(stdout) != 0) {
    PrintError(errno, "Can't write standard output");
    return false;
  }
  if (ferror(stdout)) {
    PrintError(kNoErrno, "Can't write standard output");
    return false;
  }
  return true;
}
