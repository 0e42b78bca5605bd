// File helpers: a byte-for-byte copy, and the atomic replace that puts a finished copy in
// place of the original, so that a reader sees the old file or the new one, never a part.
//
// Operations:
//   CopyFileBytes(from, to)   copies from to to (created or truncated), keeping from's
//                             permissions; 0, or the error number of the failure
//   ReplaceFile(from, to)     renames from over to; the error of a failed rename (to unchanged)
#ifndef TAVLO_GUI_BASE_FILES_H
#define TAVLO_GUI_BASE_FILES_H

#include <string>
#include <system_error>

int CopyFileBytes(const std::string& from, const std::string& to);
std::error_code ReplaceFile(const std::string& from, const std::string& to);

#endif
