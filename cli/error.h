// error: the one printer of the command-line program's failures.
//
// Operations
//   PrintError(errnum, fmt, ...)   "Error: " + the formatted message, then ": (errnum) text"
//                                  when a system call failed (errnum >= 0), then a line feed
// Standard output is flushed first, so that with both streams on one file or pipe the error
// stands after the output it concerns, as on a terminal.
#ifndef TAVLO_ERROR_H
#define TAVLO_ERROR_H

// errnum for a failure that no system call reported.
constexpr int kNoErrno = -1;

__attribute__((format(printf, 2, 3))) void PrintError(int errnum, const char* fmt, ...);

#endif
