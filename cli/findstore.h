// findstore: where a companion program (tavlo-apropos, tavlo-explain) finds the tavlo whose
// description text it reads, and how it finishes its standard output.
//
// Operations
//   FindStore(started)     the tavlo beside this program's real file, else beside the name it
//                          was started by (started, or the shell's "_" naming this program),
//                          else the first tavlo on PATH; "" when there is none
//   StdoutWritten()        flushes standard output; false, with the failure reported, when
//                          any write to it failed
#ifndef TAVLO_FINDSTORE_H
#define TAVLO_FINDSTORE_H

#include <string>

std::string FindStore(const char* started);
bool StdoutWritten();

#endif
