// MAKEWIN: frmMake, "Make Binary Resource", the maintenance window, without Win32. The Win32
// layer implements MakeView and turns the window's messages into the calls of MakeWindow.
//
// MakeWindow, the window's events:
//   Load(current_dir)    "Make.DataDir" (default current_dir), "Make.DataFile" (default
//                        "tavlodata-text.o") and "Make.Window" read; sets MakeWindowLoaded
//   Activate()           the log reads "Ready."
//   Resize(layout)       the log stretched to the window, margins as designed (never below 0)
//   cmdMake_Click()      MakeBinaryResource from DataDir\DataFile into ResourceFile
//   cmdDump_Click()      DumpBinaryResource of ResourceFile
//   cmdClose_Click()     hides the window, which ends the modal showing; it stays loaded
//   QueryUnload()        a close from the title bar: true to go on (Unload follows)
//   QueryCloseMain()     a close of the main window (title bar, Exit): true to go on
//   MayEndSession()      a log-off or shutdown may go on
//   Unload()             "Make.DataDir", "Make.DataFile", "Make.Window" written; clears
//                        MakeWindowLoaded (the settings are saved, nothing is left to unload)
//
// While a Make runs (it lets the window process events after each section) nothing may start
// another Make or Dump or close either window: the commands are disabled, a close of either
// window is held back and carried out when the Make has ended, and a log-off is refused.
// Everything is enabled again however the Make ended.
//
// The maintenance key of the main window (Form_KeyDown):
//   MakeIsMaintenanceKey(key, shift)   "M" (77) with exactly Shift+Ctrl+Alt (1+2+4), and
//                                      LowerCaseName true
//   MakeMaintenanceKey(host)           MakeWindowLoaded set, frmMake shown modally, then the
//                                      descriptions reloaded and, when loaded, searched again
//                                      (unless the main window has closed meanwhile)
#ifndef TAVLO_GUI_MAKEWIN_MAKEWIN_H
#define TAVLO_GUI_MAKEWIN_MAKEWIN_H

#include <cstdint>
#include <string>

#include "regc/regc.h"
#include "resbuild/resbuild.h"

constexpr const char* kMakeCaption = "Make Binary Resource";
constexpr const char* kMakeDataDirValue = "Make.DataDir";
constexpr const char* kMakeDataFileValue = "Make.DataFile";
constexpr const char* kMakeWindowValue = "Make.Window";
constexpr const char* kMakeDefaultDataFile = "tavlodata-text.o";
constexpr const char* kMakeReady = "Ready.";

// The maintenance window as its logic sees it. Sizes in twips.
class MakeView {
 public:
  virtual ~MakeView() = default;
  virtual RegcView& Frame() = 0;  // the window as a whole, for its placement
  virtual std::string DataDir() const = 0;
  virtual void SetDataDir(const std::string& text) = 0;
  virtual std::string DataFile() const = 0;
  virtual void SetDataFile(const std::string& text) = 0;
  virtual void ShowLog(const std::string& log) = 0;  // txtLog's text, repainted at once
  virtual void SetBusyPointer(bool busy) = 0;
  virtual void ProcessEvents() = 0;
  virtual void FocusLog() = 0;
  virtual void EnableCommands(bool enabled) = 0;  // cmdMake, cmdDump, cmdClose
  virtual void SetLogSize(float width, float height) = 0;
  virtual void Hide() = 0;             // ends the modal showing
  virtual void Close() = 0;            // a held close from the title bar, carried out
  virtual void CloseMainWindow() = 0;  // a held close of the main window, carried out
};

// What a resize looks at: the window and the designed offsets of the log and the data box.
struct MakeLayout {
  bool visible = true;
  bool minimised = false;
  float inner_width = 0;
  float inner_height = 0;
  float log_left = 0;
  float log_top = 0;
  float data_dir_top = 0;
};

class MakeWindow {
 public:
  // clock: the time of the Make's first log line (the local time when empty).
  explicit MakeWindow(MakeView& view, ResBuildClock clock = {});

  void Load(const std::string& current_dir);
  void Activate();
  void Resize(const MakeLayout& layout);
  void cmdMake_Click();
  void cmdDump_Click();
  void cmdClose_Click();
  bool QueryUnload();
  bool QueryCloseMain();
  bool MayEndSession() const;
  void Unload();
  bool Running() const {
    return running_;
  }

 private:
  class Guard;

  MakeView& view_;
  ResBuildClock clock_;
  bool running_ = false;
  bool held_close_ = false;
  bool held_main_close_ = false;
};

// The main window's side of the maintenance key.
class MakeHostView {
 public:
  virtual ~MakeHostView() = default;
  // Returns when it is hidden or closed: false when the main window was closed meanwhile (a
  // close held back during a Make and carried out after it), so nothing of it may be used.
  virtual bool ShowMakeWindowModal() = 0;
  virtual void LoadBinaryResource() = 0;
  virtual int RecordCount() const = 0;
  virtual void RunSearch() = 0;  // txtSearch_Change with the text in the search box
};

constexpr int kMakeKeyM = 77;
constexpr int kMakeShiftCtrlAlt = 1 + 2 + 4;

bool MakeIsMaintenanceKey(int key_code, int shift);
void MakeMaintenanceKey(MakeHostView& host);

#endif
