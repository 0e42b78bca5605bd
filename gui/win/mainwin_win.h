// The main window over Win32: its view (MainViewWin32, the standard Edit, ListBox and Edit
// controls created as children of the window in the system's message font) and the window
// itself, frmMain, whose notifications become calls of its logic (gui/mainwin/): its menus,
// preferences (loaded as it opens, saved when it closes or the session ends), ruler and
// maintenance key through the adapters of gui/mainwin/mainwin_adapters.h.
//
// Operations:
//   MainViewWin32(window)       creates Label1, txtSearch, lstMatches, picRuler and txtResult
//   Control(control)            the child window of a control
//   IsSettingText()             true while SetSearchText runs (its EN_CHANGE is not a user's)
//   ResultBrush()               the window-colour brush the read-only pane is painted with
//   frmMainShow()               creates and shows the main window (not modal) and runs its
//                               Form_Load with the preferences; returns it
//   frmMainWindow()             the main window, or nullptr when it is not open
//   frmMain(), frmMainView()    its logic and its controls while it is open, else nullptr
//   frmMainPreviewKey(message)  the message loop's look at a key before the focused control:
//                               the shortcuts F3 and F1, the maintenance key and Enter
//                               (Form_KeyPress) wherever the focus is; true when the key was
//                               consumed and must not be dispatched
//   Win32MsgBox(prompt, style, title)   the MsgBox handler that shows a real modal box
#ifndef TAVLO_GUI_WIN_MAINWIN_WIN_H
#define TAVLO_GUI_WIN_MAINWIN_WIN_H

#include <windows.h>

#include <string>

#include "mainwin/mainwin.h"
#include "mainwin/mainwin_view.h"

// Child control identifiers of frmMain.
constexpr int kIdLabel1 = 101;
constexpr int kIdTxtSearch = 102;
constexpr int kIdLstMatches = 103;
constexpr int kIdPicRuler = 104;
constexpr int kIdTxtResult = 105;

class MainViewWin32 : public MainView {
 public:
  explicit MainViewWin32(HWND window);
  ~MainViewWin32() override;
  MainViewWin32(const MainViewWin32&) = delete;
  MainViewWin32& operator=(const MainViewWin32&) = delete;

  std::string SearchText() override;
  void SetSearchText(const std::string& text) override;
  void SelectAllSearchText() override;
  void FocusSearch() override;

  void ListClear() override;
  int ListAdd(const std::string& text) override;
  void ListSelect(int index) override;
  int ListSelected() override;
  bool ListSetTabStops(int dialog_units) override;
  void ListHoldRedraw(bool hold) override;

  void SetResultText(const std::string& text) override;
  std::string ResultText() override;

  std::string Title() override;
  void SetBusyPointer(bool busy) override;
  void Beep() override;
  bool IsVisible() override;
  bool IsMinimised() override;
  void InnerSize(float* width, float* height) override;
  void Place(MainControl control, const TwipsRect& rect) override;
  void SendRulerToBack() override;

  HWND Control(MainControl control) const;
  bool IsSettingText() const {
    return setting_text_;
  }
  bool IsBusy() const {
    return busy_;
  }
  HBRUSH ResultBrush() const {
    return GetSysColorBrush(COLOR_WINDOW);
  }

 private:
  HWND window_;
  HWND controls_[kMainControlCount] = {};
  HFONT font_ = nullptr;
  bool setting_text_ = false;
  bool busy_ = false;
};

constexpr const char* kFrmMainClass = "TavloMain";

HWND frmMainShow();
HWND frmMainWindow();
MainWindow* frmMain();
MainViewWin32* frmMainView();
bool frmMainPreviewKey(MSG* message);
int Win32MsgBox(const std::string& prompt, unsigned style, const std::string& title);

#endif
