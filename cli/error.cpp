#include "error.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

int StdoutErrno = 0;

void PrintError(int errnum, const char* fmt, ...) {
  if (fflush(stdout) != 0 && StdoutErrno == 0) {
    StdoutErrno = errno;  // kept for the final check of standard output
  }
  fputs("Error: ", stderr);
  va_list ap;
  va_start(ap, fmt);
  vfprintf(stderr, fmt, ap);
  va_end(ap);
  if (errnum >= 0) {
    fprintf(stderr, ": (%d) %s", errnum, strerror(errnum));
  }
  fputc('\n', stderr);
}
