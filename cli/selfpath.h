// selfpath: the path of the running executable, which is the description store.
//
// Operations
//   StorePathName()  the environment variable "_" when it names the running executable
//                    (same device and inode), else the executable's own path from
//                    /proc/self/exe; "" when neither can be had (opening "" then fails)
//   ProgramFilePath()  the executable's own file from /proc/self/exe (symbolic links
//                      resolved), or "" when it cannot be had
// State
//   one static buffer that holds the resolved path for the rest of the run
#ifndef TAVLO_SELFPATH_H
#define TAVLO_SELFPATH_H

const char* StorePathName();
const char* ProgramFilePath();

#endif
