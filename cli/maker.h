// maker: turns the plain-text rendering of the codes chapter of the middleware manual into
// description text (mode 0, -text) or into a comma-separated record file (mode 1, -palm).
//
// Operations
//   MakeDescriptions(path, mode)  convert the file at path; output to stdout, counts and
//                                 errors to stderr
// Status codes
//   0  finished
//   1  the input file could not be opened
//   2  a line of the input could not be read
//   3  the input file could not be closed
#ifndef TAVLO_MAKER_H
#define TAVLO_MAKER_H

int MakeDescriptions(const char *path, int mode);

#endif
