// maker: turns the plain-text rendering of the codes chapter of the middleware manual into
// description text (mode 0, -text) or into a comma-separated record file (mode 1, -palm).
//
// Operations
//   MakeDescriptions(path, mode)        convert the file at path; output to stdout, counts
//                                       and errors to stderr
//   MakeDescriptionsFrom(in, path, mode) the same for a stream already open for reading; the
//                                       stream is closed at the end, path names it in messages
//   FixCommas(line, scratch)            line with every comma written as backslash + comma;
//                                       scratch must hold FixCommasSize(strlen(line)) bytes
// State
//   none between calls; one conversion keeps its line buffers and counters on the stack
// Status codes (MakerStatus)
//   0  kMakerOk            finished
//   1  kMakerOpenFailed    the input file could not be opened
//   2  kMakerReadFailed    a line of the input could not be read (read error, or no memory)
//   3  kMakerCloseFailed   the input file could not be closed
//   4  kMakerWriteFailed   standard output could not be written
// Failures are printed through PrintError (error.h).
#ifndef TAVLO_MAKER_H
#define TAVLO_MAKER_H

#include <cstddef>
#include <cstdio>

enum MakerMode { MakerText = 0, MakerPalm = 1 };

enum MakerStatus {
  kMakerOk = 0,
  kMakerOpenFailed = 1,
  kMakerReadFailed = 2,
  kMakerCloseFailed = 3,
  kMakerWriteFailed = 4,
};

int MakeDescriptions(const char* path, int mode);
int MakeDescriptionsFrom(FILE* in, const char* path, int mode);

// Worst case of an escaped line of len characters: every one a comma, plus the terminator.
inline size_t FixCommasSize(size_t len) {
  return 2 * len + 1;
}
const char* FixCommas(const char* line, char* scratch);

#endif
