// File helpers: a byte-for-byte copy, the atomic replace that puts a finished copy in place
// of the original, so that a reader sees the old file or the new one, never a part, and the
// write-back that puts a finished copy into the original file itself, where a rename would
// break links.
//
// Operations:
//   CopyFileBytes(from, to)   copies from to to (created or truncated), keeping from's
//                             permissions; 0, or the error number of the failure
//   ReplaceFile(from, to)     renames from over to; the error of a failed rename (to unchanged)
//   WriteBackFile(from, to, restore_err)
//                             makes the file to hold from's bytes, in place: the same file,
//                             so symbolic and hard links to it see the new bytes. Only bytes
//                             that differ are written, the growth first. On a failure the old
//                             bytes and length are put back; 0, or the error number of the
//                             failure, with the error of a failed restore in *restore_err
//   ResolvedPath(path)        the file that path names, through symbolic links (path itself
//                             when it cannot be resolved, a missing file for example)
//   IsSoleLinkPlainFile(path) path is a regular file (no symbolic link) with one name
//   TempFolderFile(name, err) a path for name in the temporary folder, made unique; empty with
//                             *err set when there is no temporary folder
#ifndef TAVLO_GUI_BASE_FILES_H
#define TAVLO_GUI_BASE_FILES_H

#include <string>
#include <system_error>

int CopyFileBytes(const std::string& from, const std::string& to);
std::error_code ReplaceFile(const std::string& from, const std::string& to);
int WriteBackFile(const std::string& from, const std::string& to, int* restore_err);
std::string ResolvedPath(const std::string& path);
bool IsSoleLinkPlainFile(const std::string& path);
std::string TempFolderFile(const std::string& name, std::error_code* err);

#endif
