// selfpath: the path of the running executable, which is the description store.
//
// Operations
//   StorePathName()  the environment variable "_" when it names the running executable
//                    (same device and inode), else the executable's own path from
//                    /proc/self/exe; "" when neither can be had (opening "" then fails)
// State
//   one static buffer that holds the resolved path for the rest of the run
#ifndef TAVLO_SELFPATH_H
#define TAVLO_SELFPATH_H

const char* StorePathName();

#endif
