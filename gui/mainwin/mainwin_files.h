// The file operations of the start-up load: facts about a file, a copy that keeps the
// last-write time, a replace that is atomic, and the platform's error texts. One
// implementation per platform (mainwin_files_posix.cpp, mainwin_files_win.cpp), chosen in
// CMake; tests derive from it to make single operations fail or to count them.
//
// Every operation returns 0 on success or the platform's error number (errno on POSIX,
// GetLastError on Windows), which ErrorText describes in the platform's own words.
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_FILES_H
#define TAVLO_GUI_MAINWIN_MAINWIN_FILES_H

#include <cstdint>
#include <string>

struct FileFacts {
  std::int64_t size = 0;
  std::int64_t write_time = 0;  // last-write time in the platform's finest unit
};

class CacheFiles {
 public:
  virtual ~CacheFiles() = default;
  virtual int Stat(const std::string& path, FileFacts* facts);
  // The error of Stat means the file or its folder does not exist.
  virtual bool IsMissing(int error);
  // Copies from over to (created or truncated) and gives to the last-write time of from.
  virtual int Copy(const std::string& from, const std::string& to);
  // Puts from in the place of to in one step; to may exist.
  virtual int Replace(const std::string& from, const std::string& to);
  // The error of Replace means another process holds the target open.
  virtual bool IsInUse(int error);
  virtual int Remove(const std::string& path);
  // A name beside path that no other running process uses.
  virtual std::string TempName(const std::string& path);
  // The platform's description of an error number, without a trailing line break.
  virtual std::string ErrorText(int error);
};

// The one instance for the platform the program runs on.
CacheFiles& PlatformFiles();

#endif
