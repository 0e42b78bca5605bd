// RESBUILD: the maintenance window's Make and Dump, without the window. Both work on the
// container of the program file through BINRES and return the log text (CR LF line ends) that
// the window shows; the few window operations they need go through ResBuildView.
//
// Operations:
//   MakeBinaryResource(resource_file, data_path, clock, window, complete)
//       read the description text at data_path and build the container of resource_file:
//       "3.n" (version text), "1".."K" (code records), "KeyCnt", "NumericKeys", "SymbolicKeys"
//   DumpBinaryResource(resource_file, window)   list every resource of the container
//   ResBuildDataPath(dir, file)                dir + the platform's path separator + file
//   ResBuildLocalClock()                       the local date and time
//   ResBuildTimeStamp(time)                    "HH:MM:SS dd mmmm yyyy", English month names
//   ResBuildPercent(used, capacity)            used*100/capacity in single precision, "%.7g"
//
// The Make builds into a copy of the file that resource_file names (through symbolic links):
// beside it (that file + ".mkres"), or in the temporary folder when its folder cannot take
// the copy. Only when every resource was appended, the container closed, and the container
// holds what the main window's load needs (the version notice "3.1" from "[DI1,Version]", at
// least one code, no resource the load reads longer than a get returns) does the copy go in: by a
// rename when it lies beside a plain file with one name, otherwise written back into the file
// itself, so that symbolic and hard links keep naming the rebuilt file. On any failure the file
// stays byte for byte as it was; the log names the step that failed. The data file and the
// container are closed on every path. A UTF-8 byte-order mark before the data file's first line is
// skipped.
//
// Log lines: see the log texts in resbuild.cpp; failures never leave this module as anything
// but log lines (and the complete flag).
#ifndef TAVLO_GUI_RESBUILD_H
#define TAVLO_GUI_RESBUILD_H

#include <functional>
#include <string>

// Index capacity the Make opens the container with.
constexpr int kResBuildIndexLen = 4200;

struct ResBuildTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

using ResBuildClock = std::function<ResBuildTime()>;

// Window operations of the Make and the Dump; the Win32 layer implements them, tests record
// them. Without a window (nullptr) they do nothing.
class ResBuildView {
 public:
  virtual ~ResBuildView() = default;
  virtual void SetBusyPointer(bool busy) = 0;
  virtual void ShowLog(const std::string& log) = 0;  // set txtLog and repaint it at once
  virtual void ProcessEvents() = 0;
  virtual void FocusLog() = 0;
};

// complete (optional) is set true only when the resource file was replaced by the new build.
std::string MakeBinaryResource(const std::string& resource_file, const std::string& data_path,
                               const ResBuildClock& clock, ResBuildView* window = nullptr,
                               bool* complete = nullptr);

// complete (optional) is set true when every resource was listed and the container closed.
std::string DumpBinaryResource(const std::string& resource_file, ResBuildView* window = nullptr,
                               bool* complete = nullptr);

std::string ResBuildDataPath(const std::string& dir, const std::string& file);
ResBuildTime ResBuildLocalClock();
std::string ResBuildTimeStamp(const ResBuildTime& t);
std::string ResBuildPercent(long used, long capacity);

#endif
