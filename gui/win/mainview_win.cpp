#include "mainview_win.h"

#include <vector>

#include "code.h"
#include "look_win.h"
#include "twips.h"

namespace {

std::string WindowText(HWND control) {
  int n = GetWindowTextLengthA(control);
  if (n <= 0)
    return "";
  std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
  n = GetWindowTextA(control, buffer.data(), n + 1);
  return std::string(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace

Win32MainView::Win32MainView(HWND window) : window_(window) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  struct ControlPlan {
    MainControl control;
    DWORD ex_style;
    const char* window_class;
    const char* text;
    DWORD style;
    int id;
  };
  const ControlPlan plans[] = {
      {MainControl::kLabel1, 0, "STATIC", "Search for", SS_LEFT, kIdLabel1},
      {MainControl::kTxtSearch, WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL,
       kIdTxtSearch},
      {MainControl::kLstMatches, WS_EX_CLIENTEDGE, "LISTBOX", "",
       WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
       kIdLstMatches},
      {MainControl::kPicRuler, 0, "STATIC", "", SS_NOTIFY | SS_ETCHEDFRAME, kIdPicRuler},
      {MainControl::kTxtResult, WS_EX_CLIENTEDGE, "EDIT", "",
       WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kIdTxtResult},
  };
  font_ = LookMessageFont();
  for (const ControlPlan& plan : plans) {
    HWND control = CreateWindowExA(
        plan.ex_style, plan.window_class, plan.text, WS_CHILD | WS_VISIBLE | plan.style, 0, 0, 10,
        10, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(plan.id)), instance, nullptr);
    controls_[static_cast<int>(plan.control)] = control;
    if (control != nullptr && font_ != nullptr)
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  // No limit below the control's own on what the pane and the search box hold.
  SendMessageA(Control(MainControl::kTxtResult), EM_SETLIMITTEXT, 0, 0);
}

Win32MainView::~Win32MainView() {
  if (font_ != nullptr)
    DeleteObject(font_);
}

HWND Win32MainView::Control(MainControl control) const {
  return controls_[static_cast<int>(control)];
}

std::string Win32MainView::SearchText() {
  return WindowText(Control(MainControl::kTxtSearch));
}

void Win32MainView::SetSearchText(const std::string& text) {
  setting_text_ = true;
  SetWindowTextA(Control(MainControl::kTxtSearch), text.c_str());
  setting_text_ = false;
}

void Win32MainView::SelectAllSearchText() {
  SendMessageA(Control(MainControl::kTxtSearch), EM_SETSEL, 0, -1);
}

void Win32MainView::FocusSearch() {
  SetFocus(Control(MainControl::kTxtSearch));
}

void Win32MainView::ListClear() {
  SendMessageA(Control(MainControl::kLstMatches), LB_RESETCONTENT, 0, 0);
}

int Win32MainView::ListAdd(const std::string& text) {
  return static_cast<int>(SendMessageA(Control(MainControl::kLstMatches), LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(text.c_str())));
}

void Win32MainView::ListSetItemData(int index, long data) {
  SendMessageA(Control(MainControl::kLstMatches), LB_SETITEMDATA, static_cast<WPARAM>(index),
               static_cast<LPARAM>(data));
}

long Win32MainView::ListItemData(int index) {
  return static_cast<long>(SendMessageA(Control(MainControl::kLstMatches), LB_GETITEMDATA,
                                        static_cast<WPARAM>(index), 0));
}

int Win32MainView::ListCount() {
  return static_cast<int>(SendMessageA(Control(MainControl::kLstMatches), LB_GETCOUNT, 0, 0));
}

std::string Win32MainView::ListText(int index) {
  HWND list = Control(MainControl::kLstMatches);
  LRESULT n = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR)
    return "";
  std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
  n = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(buffer.data()));
  return n == LB_ERR ? std::string() : std::string(buffer.data(), static_cast<std::size_t>(n));
}

void Win32MainView::ListSelect(int index) {
  SendMessageA(Control(MainControl::kLstMatches), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32MainView::ListSelected() {
  LRESULT index = SendMessageA(Control(MainControl::kLstMatches), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool Win32MainView::ListSetTabStops(int dialog_units) {
  INT stops[1] = {dialog_units};
  return SendMessageA(Control(MainControl::kLstMatches), LB_SETTABSTOPS, 1,
                      reinterpret_cast<LPARAM>(stops)) != 0;
}

// Without this, every added line would redraw the list and its scroll bar.
void Win32MainView::ListHoldRedraw(bool hold) {
  HWND list = Control(MainControl::kLstMatches);
  SendMessageA(list, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
  if (!hold)
    InvalidateRect(list, nullptr, TRUE);
}

void Win32MainView::SetResultText(const std::string& text) {
  HWND pane = Control(MainControl::kTxtResult);
  SetWindowTextA(pane, text.c_str());
  UpdateWindow(pane);  // visible now, while the caller keeps working
}

std::string Win32MainView::ResultText() {
  return WindowText(Control(MainControl::kTxtResult));
}

std::string Win32MainView::Title() {
  return WindowText(window_);
}

void Win32MainView::SetBusyPointer(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

void Win32MainView::Beep() {
  MessageBeep(MB_OK);
}

bool Win32MainView::IsVisible() {
  return IsWindowVisible(window_) != FALSE;
}

bool Win32MainView::IsMinimised() {
  return IsIconic(window_) != FALSE;
}

void Win32MainView::InnerSize(float* width, float* height) {
  RECT inner{};
  GetClientRect(window_, &inner);
  *width = static_cast<float>(inner.right) * TwipsPerPixelX;
  *height = static_cast<float>(inner.bottom) * TwipsPerPixelY;
}

void Win32MainView::Place(MainControl control, const TwipsRect& rect) {
  MoveWindow(Control(control), TwipsToPixels(rect.left, TwipsPerPixelX),
             TwipsToPixels(rect.top, TwipsPerPixelY), TwipsToPixels(rect.width, TwipsPerPixelX),
             TwipsToPixels(rect.height, TwipsPerPixelY), TRUE);
}

void Win32MainView::SendRulerToBack() {
  SetWindowPos(Control(MainControl::kPicRuler), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
