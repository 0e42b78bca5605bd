// The version information of a program file, as the Help menu's version text shows it.
//
// Operations:
//   VersionInfoOf(path, &info)   (path in UTF-8) title (kAppTitle), major, minor and revision of
//   the file
//                                version, its "Comments" and "LegalCopyright"; false when the
//                                file has no version information (info keeps the title only)
//   VersionInfoOfProgram()       the same for the running program
#ifndef TAVLO_GUI_WIN_VERSION_WIN_H
#define TAVLO_GUI_WIN_VERSION_WIN_H

#include <string>

#include "about/about.h"

bool VersionInfoOf(const std::string& path, AboutVersionInfo* info);
AboutVersionInfo VersionInfoOfProgram();

#endif
