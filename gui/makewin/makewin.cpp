#include "makewin/makewin.h"

#include "code/code.h"
#include "base/app.h"

namespace {

// The Make's and the Dump's window operations, passed on to the view.
class BuildWindow final : public ResBuildView {
 public:
  explicit BuildWindow(MakeView& view) : view_(view) {}
  void SetBusyPointer(bool busy) override {
    view_.SetBusyPointer(busy);
  }
  void ShowLog(const std::string& log) override {
    view_.ShowLog(log);
  }
  void ProcessEvents() override {
    view_.ProcessEvents();
  }
  void FocusLog() override {
    view_.FocusLog();
  }

 private:
  MakeView& view_;
};

}  // namespace

// Marks a Make or Dump as running with the commands disabled; on the way out, however it is
// left, enables them again and carries out a close that was held back meanwhile.
class MakeWindow::Guard {
 public:
  explicit Guard(MakeWindow& window) : w_(window) {
    w_.running_ = true;
    w_.view_.EnableCommands(false);
  }
  ~Guard() {
    w_.running_ = false;
    w_.view_.EnableCommands(true);
    if (w_.held_main_close_) {
      w_.held_main_close_ = w_.held_close_ = false;
      w_.view_.CloseMainWindow();
    } else if (w_.held_close_) {
      w_.held_close_ = false;
      w_.view_.Close();
    }
  }

 private:
  MakeWindow& w_;
};

MakeWindow::MakeWindow(MakeView& view, ResBuildClock clock)
    : view_(view), clock_(std::move(clock)) {}

void MakeWindow::Load(const std::string& current_dir) {
  uint32_t key = RegcOpenRead(kRegcCurrentUser, kPrefsKey);
  view_.SetDataDir(RegcQueryValue(key, kMakeDataDirValue, current_dir));
  view_.SetDataFile(RegcQueryValue(key, kMakeDataFileValue, kMakeDefaultDataFile));
  RegcRestoreWindow(key, kMakeWindowValue, view_.Frame());
  RegcClose(key);
  MakeWindowLoaded = kTrue;
}

void MakeWindow::Activate() {
  view_.ShowLog(kMakeReady);
}

void MakeWindow::Resize(const MakeLayout& l) {
  if (!l.visible || l.minimised)
    return;
  // A window made smaller than the margins gives the log no room rather than a negative size.
  float width = l.inner_width - 2 * l.log_left;
  float height = l.inner_height - l.log_top - l.data_dir_top;
  view_.SetLogSize(width > 0 ? width : 0, height > 0 ? height : 0);
}

void MakeWindow::cmdMake_Click() {
  if (running_)
    return;
  Guard guard(*this);
  BuildWindow window(view_);
  MakeBinaryResource(ResourceFile, ResBuildDataPath(view_.DataDir(), view_.DataFile()), clock_,
                     &window);
}

void MakeWindow::cmdDump_Click() {
  if (running_)
    return;
  Guard guard(*this);
  BuildWindow window(view_);
  DumpBinaryResource(ResourceFile, &window);
}

void MakeWindow::cmdClose_Click() {
  if (running_)
    return;
  view_.Hide();
}

bool MakeWindow::QueryUnload() {
  if (!running_)
    return true;
  held_close_ = true;
  return false;
}

bool MakeWindow::QueryCloseMain() {
  if (!running_)
    return true;
  held_main_close_ = true;
  return false;
}

bool MakeWindow::MayEndSession() const {
  return !running_;
}

void MakeWindow::Unload() {
  // Written whatever the open gave: the main window created the key when it loaded.
  uint32_t key = RegcOpenWrite(kRegcCurrentUser, kPrefsKey);
  RegcWriteValueString(key, kMakeDataDirValue, view_.DataDir());
  RegcWriteValueString(key, kMakeDataFileValue, view_.DataFile());
  RegcSaveWindow(key, kMakeWindowValue, view_.Frame());
  RegcClose(key);
  MakeWindowLoaded = kFalse;
}

bool MakeIsMaintenanceKey(int key_code, int shift) {
  return key_code == kMakeKeyM && shift == kMakeShiftCtrlAlt && LowerCaseName != kFalse;
}

void MakeMaintenanceKey(MakeHostView& host) {
  MakeWindowLoaded = kTrue;
  if (!host.ShowMakeWindowModal())
    return;
  host.LoadBinaryResource();
  if (host.RecordCount() > 0)
    host.RunSearch();
}
