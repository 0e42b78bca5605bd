// FILES: the windowed tool's one files layer. Paths are UTF-8 throughout; the Windows half
// (files_win.cpp) hands them to the system through its wide-character interfaces, the POSIX
// half (files_posix.cpp) as they are.
//
// Error convention: every operation returns 0 on success or an error number, never throws,
// and SystemErrorText describes a number in the system's own words. FileSystem reports the
// system's numbers (errno on POSIX, the system error code on Windows), which the start-up load
// shows as "Runtime Error N"; the builder's operations (CopyFileBytes to TempFolderFile) report
// the C library's errno on both, which the builder's log shows as "Error N: TEXT".
//
// The start-up load's operations (FileSystem; tests derive from it to make one fail or to
// count them):
//   Stat(path, facts)         the file's size and last-write time
//   IsMissing(error)          the error of Stat means the file or its folder does not exist
//   Copy(from, to)            copies from over to (created or truncated) with from's
//                             last-write time
//   Replace(from, to)         puts from in the place of to in one step; to may exist
//   IsInUse(error)            the error of Replace means another process holds the target open
//   Remove(path)              deletes the file
//   TempName(path)            a name beside path that no other running process uses
//   ErrorText(error)          SystemErrorText, or "Error N" when the system has none
//   PlatformFiles()           the one instance for the platform the program runs on
//
// The builder's operations:
//   OpenFile(path, mode)      std::fopen with a UTF-8 path
//   RemoveFile(path)          deletes the file (or empty folder) path names, if any
//   FileExists(path)          something exists at path (a dangling link does not count)
//   IsPlainFile(path)         path itself (not a link) is a regular file
//   FileNameOf(path)          the last part of path
//   MakeParentFolders(path)   makes the folders above path that do not exist yet
//   CopyFileBytes(from, to)   copies from to to (created or truncated), keeping from's
//                             permissions
//   ReplaceFile(from, to)     renames from over to (to unchanged on a failure)
//   WriteBackFile(from, to, restore_err)
//                             makes the file to hold from's bytes, in place: the same file,
//                             so symbolic and hard links to it see the new bytes. Only bytes
//                             that differ are written, the growth first. On a failure the old
//                             bytes and length are put back, the error of a failed restore in
//                             *restore_err
//   ResolvedPath(path)        the file that path names, through symbolic links (path itself
//                             when it cannot be resolved, a missing file for example)
//   IsSoleLinkPlainFile(path) path is a regular file (no symbolic link) with one name
//   TempFolderFile(name, err) a path for name in the temporary folder, made unique; empty with
//                             *err set when there is no temporary folder
//
// Text:
//   SystemErrorText(error)    the system's description of its error number, without a line
//                             break; empty when it has none
//   DisplayPath(path)         path as the windows' ANSI text shows it: on Windows converted
//                             from UTF-8 to the ANSI code page ("?" for a character it lacks),
//                             elsewhere as it is. Only paths go through it: the description
//                             bytes beside them in a pane are shown as they are stored
//   Widen(utf8), Narrow(wide) (Windows) the conversions at the system's edge
//   WidenText(text)           (Windows) a text of a control or the registry: UTF-8 when it is
//                             well-formed UTF-8, else in the ANSI code page
#ifndef TAVLO_GUI_BASE_FILES_H
#define TAVLO_GUI_BASE_FILES_H

#include <cstdint>
#include <cstdio>
#include <string>

struct FileFacts {
  std::int64_t size = 0;
  std::int64_t write_time = 0;  // last-write time in the platform's finest unit
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual int Stat(const std::string& path, FileFacts* facts);
  virtual bool IsMissing(int error);
  virtual int Copy(const std::string& from, const std::string& to);
  virtual int Replace(const std::string& from, const std::string& to);
  virtual bool IsInUse(int error);
  virtual int Remove(const std::string& path);
  virtual std::string TempName(const std::string& path);
  virtual std::string ErrorText(int error);
};

FileSystem& PlatformFiles();

std::FILE* OpenFile(const std::string& path, const char* mode);
void RemoveFile(const std::string& path);
bool FileExists(const std::string& path);
bool IsPlainFile(const std::string& path);
std::string FileNameOf(const std::string& path);
void MakeParentFolders(const std::string& path);
int CopyFileBytes(const std::string& from, const std::string& to);
int ReplaceFile(const std::string& from, const std::string& to);
int WriteBackFile(const std::string& from, const std::string& to, int* restore_err);
std::string ResolvedPath(const std::string& path);
bool IsSoleLinkPlainFile(const std::string& path);
std::string TempFolderFile(const std::string& name, int* err);

std::string SystemErrorText(int error);
std::string DisplayPath(const std::string& path);

#ifdef _WIN32
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::wstring WidenText(const std::string& text);
#endif

#endif
