// PrefsWin32: the main window as the preferences see it (PrefsWindow), over its Win32 controls.
// The descriptions' load and the list's tab stops are the main window's own steps, passed in.
#ifndef TAVLO_GUI_WIN_PREFS_WIN_H
#define TAVLO_GUI_WIN_PREFS_WIN_H

#include <windows.h>

#include <functional>

#include "prefs.h"
#include "regc_window_win.h"

struct PrefsWin32Controls {
  HWND main = nullptr;
  HWND search = nullptr;  // txtSearch
  HWND ruler = nullptr;   // picRuler, attached with RulerWin32Attach
};

class PrefsWin32 final : public PrefsWindow {
 public:
  PrefsWin32(const PrefsWin32Controls& controls, std::function<void()> load_binary_resource,
             std::function<void()> set_list_tab_stops);

  void SetCaption(const std::string& caption) override;
  RegcWindow& Frame() override {
    return frame_;
  }
  RulerLayout Panes() const override;
  void SetPanes(const RulerLayout& panes) override;
  void RulerToBack() override;
  void LoadBinaryResource() override;
  void SetListTabStops() override;
  std::string SearchText() const override;
  void SetSearchText(const std::string& text) override;
  void SelectSearchText() override;
  void UnloadMakeWindow() override;

 private:
  PrefsWin32Controls c_;
  RegcWin32Window frame_;
  std::function<void()> load_;
  std::function<void()> tab_stops_;
};

#endif
