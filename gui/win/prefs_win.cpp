#include "prefs_win.h"

#include <utility>

#include "code.h"
#include "make_win.h"
#include "ruler_win.h"

PrefsWin32::PrefsWin32(const PrefsWin32Controls& controls,
                       std::function<void()> load_binary_resource,
                       std::function<void()> set_list_tab_stops)
    : c_(controls),
      frame_(controls.main, TwipsPerPixelX, TwipsPerPixelY),
      load_(std::move(load_binary_resource)),
      tab_stops_(std::move(set_list_tab_stops)) {}

void PrefsWin32::SetCaption(const std::string& caption) {
  SetWindowTextA(c_.main, caption.c_str());
}

RulerLayout PrefsWin32::Panes() const {
  return RulerWin32Layout(c_.ruler);
}

void PrefsWin32::SetPanes(const RulerLayout& panes) {
  RulerWin32Apply(c_.ruler, panes);
}

void PrefsWin32::RulerToBack() {
  SetWindowPos(c_.ruler, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PrefsWin32::LoadBinaryResource() {
  if (load_)
    load_();
}

void PrefsWin32::SetListTabStops() {
  if (tab_stops_)
    tab_stops_();
}

std::string PrefsWin32::SearchText() const {
  int n = GetWindowTextLengthA(c_.search);
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  n = GetWindowTextA(c_.search, text.data(), n + 1);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return text;
}

void PrefsWin32::SetSearchText(const std::string& text) {
  // The edit control reports the change to the main window, which searches.
  SetWindowTextA(c_.search, text.c_str());
}

void PrefsWin32::SelectSearchText() {
  SendMessageA(c_.search, EM_SETSEL, 0, GetWindowTextLengthA(c_.search));
}

void PrefsWin32::UnloadMakeWindow() {
  frmMakeUnload();
}
