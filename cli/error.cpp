#include "error.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void PrintError(int errnum, const char* fmt, ...) {
  fflush(stdout);
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
