// frmMain's controls as a MainView (gui/mainwin/mainwin_view.h): the standard Edit, ListBox
// and Edit controls, created as children of the main window in the system's message font.
//
// Operations:
//   Win32MainView(window)     creates Label1, txtSearch, lstMatches, picRuler and txtResult
//   Control(control)          the child window of a control
//   IsSettingText()           true while SetSearchText runs (its EN_CHANGE is not a user's)
//   ResultBrush()             the window-colour brush the read-only pane is painted with
#ifndef TAVLO_GUI_WIN_MAINVIEW_WIN_H
#define TAVLO_GUI_WIN_MAINVIEW_WIN_H

#include <windows.h>

#include <string>

#include "mainwin_view.h"

// Child control identifiers of frmMain.
constexpr int kIdLabel1 = 101;
constexpr int kIdTxtSearch = 102;
constexpr int kIdLstMatches = 103;
constexpr int kIdPicRuler = 104;
constexpr int kIdTxtResult = 105;

class Win32MainView : public MainView {
 public:
  explicit Win32MainView(HWND window);
  ~Win32MainView() override;
  Win32MainView(const Win32MainView&) = delete;
  Win32MainView& operator=(const Win32MainView&) = delete;

  std::string SearchText() override;
  void SetSearchText(const std::string& text) override;
  void SelectAllSearchText() override;
  void FocusSearch() override;

  void ListClear() override;
  int ListAdd(const std::string& text) override;
  void ListSetItemData(int index, long data) override;
  long ListItemData(int index) override;
  int ListCount() override;
  std::string ListText(int index) override;
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

#endif
