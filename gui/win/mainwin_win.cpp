#include "win/mainwin_win.h"

#include <memory>
#include <vector>

#include "base/app.h"
#include "base/msgbox.h"
#include "base/twips.h"
#include "code/code.h"
#include "mainwin/mainwin.h"
#include "mainwin/mainwin_adapters.h"
#include "mainwin/mainwin_print.h"
#include "mainwin/mainwin_store.h"
#include "mainwin/mainwin_words.h"
#include "prefs/closing.h"
#include "win/look_win.h"
#include "win/makewin_win.h"
#include "win/menus_win.h"
#include "win/printer_win.h"
#include "win/regc_window_win.h"
#include "win/ruler_win.h"
#include "win/version_win.h"

// The view: frmMain's controls.

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

MainViewWin32::MainViewWin32(HWND window) : window_(window) {
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

MainViewWin32::~MainViewWin32() {
  if (font_ != nullptr)
    DeleteObject(font_);
}

HWND MainViewWin32::Control(MainControl control) const {
  return controls_[static_cast<int>(control)];
}

std::string MainViewWin32::SearchText() {
  return WindowText(Control(MainControl::kTxtSearch));
}

void MainViewWin32::SetSearchText(const std::string& text) {
  setting_text_ = true;
  SetWindowTextA(Control(MainControl::kTxtSearch), text.c_str());
  setting_text_ = false;
}

void MainViewWin32::SelectAllSearchText() {
  SendMessageA(Control(MainControl::kTxtSearch), EM_SETSEL, 0, -1);
}

void MainViewWin32::FocusSearch() {
  SetFocus(Control(MainControl::kTxtSearch));
}

void MainViewWin32::ListClear() {
  SendMessageA(Control(MainControl::kLstMatches), LB_RESETCONTENT, 0, 0);
}

int MainViewWin32::ListAdd(const std::string& text) {
  return static_cast<int>(SendMessageA(Control(MainControl::kLstMatches), LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(text.c_str())));
}

void MainViewWin32::ListSelect(int index) {
  SendMessageA(Control(MainControl::kLstMatches), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int MainViewWin32::ListSelected() {
  LRESULT index = SendMessageA(Control(MainControl::kLstMatches), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool MainViewWin32::ListSetTabStops(int dialog_units) {
  INT stops[1] = {dialog_units};
  return SendMessageA(Control(MainControl::kLstMatches), LB_SETTABSTOPS, 1,
                      reinterpret_cast<LPARAM>(stops)) != 0;
}

// Without this, every added line would redraw the list and its scroll bar.
void MainViewWin32::ListHoldRedraw(bool hold) {
  HWND list = Control(MainControl::kLstMatches);
  SendMessageA(list, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
  if (!hold)
    InvalidateRect(list, nullptr, TRUE);
}

void MainViewWin32::SetResultText(const std::string& text) {
  HWND pane = Control(MainControl::kTxtResult);
  SetWindowTextA(pane, text.c_str());
  UpdateWindow(pane);  // visible now, while the caller keeps working
}

std::string MainViewWin32::ResultText() {
  return WindowText(Control(MainControl::kTxtResult));
}

std::string MainViewWin32::Title() {
  return WindowText(window_);
}

void MainViewWin32::SetBusyPointer(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

void MainViewWin32::Beep() {
  MessageBeep(MB_OK);
}

bool MainViewWin32::IsVisible() {
  return IsWindowVisible(window_) != FALSE;
}

bool MainViewWin32::IsMinimised() {
  return IsIconic(window_) != FALSE;
}

void MainViewWin32::InnerSize(float* width, float* height) {
  RECT inner{};
  GetClientRect(window_, &inner);
  *width = static_cast<float>(inner.right) * TwipsPerPixelX;
  *height = static_cast<float>(inner.bottom) * TwipsPerPixelY;
}

void MainViewWin32::Place(MainControl control, const TwipsRect& rect) {
  MoveWindow(Control(control), TwipsToPixels(rect.left, TwipsPerPixelX),
             TwipsToPixels(rect.top, TwipsPerPixelY), TwipsToPixels(rect.width, TwipsPerPixelX),
             TwipsToPixels(rect.height, TwipsPerPixelY), TRUE);
}

void MainViewWin32::SendRulerToBack() {
  SetWindowPos(Control(MainControl::kPicRuler), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The window: frmMain itself.

namespace {

HWND main_window = nullptr;
std::unique_ptr<MainViewWin32> main_view;
std::unique_ptr<MainWindow> main_logic;
std::unique_ptr<RegcViewWin32> main_frame;
std::unique_ptr<FrmMainPrefs> main_prefs;
bool main_unloaded = false;
// A close or log-off during Form_Load waits for the load's end (its boxes run message loops).
LoadingClose main_closing;

// Form_Unload, once: the preferences saved, frmMake unloaded.
void FormUnload() {
  if (main_prefs == nullptr || main_unloaded)
    return;
  main_unloaded = true;
  PrefsFormUnload(*main_prefs);
}

// A close request: held back while a Make runs (it is carried out when the Make has ended).
bool MayClose() {
  MakeWindow* make = frmMakeLogic();
  return make == nullptr || make->QueryCloseMain();
}

void MenuCommand(int id) {
  if (frmMainPrintCommand(id, *main_view, main_logic->ShownLines()))
    return;
  FrmMainAbout about(*main_logic);
  switch (id) {
    case kMnuFileFindWords:
      mnuFileFindWords_Click(*main_logic);
      break;
    case kMnuFileExit:
      PostMessageA(main_window, WM_CLOSE, 0, 0);  // without asking
      break;
    case kMnuHelpVersion:
      mnuHelpVersion_Click(about, VersionInfoOfProgram(), VersionText);
      break;
    case kMnuHelpUsing:
      mnuHelpUsing_Click(about);
      break;
  }
}

// A menu item or a control's notification; false when it is left to the system.
bool OnCommand(WPARAM wparam, LPARAM lparam) {
  if (main_logic == nullptr)
    return false;
  int id = LOWORD(wparam);
  int code = HIWORD(wparam);
  if (lparam == 0) {  // a menu item or its shortcut
    MenuCommand(id);
    return true;
  }
  if (id == kIdTxtSearch && code == EN_CHANGE && !main_view->IsSettingText()) {
    main_logic->txtSearch_Change();
    return true;
  }
  if (id == kIdLstMatches && code == LBN_SELCHANGE) {
    main_logic->lstMatches_Click();
    return true;
  }
  return false;
}

// The read-only pane keeps the colours of a text the user reads, not of a disabled one; 0 for
// any other static control, which the system paints.
LRESULT OnColorStatic(HDC dc, HWND control) {
  if (main_view == nullptr || control != main_view->Control(MainControl::kTxtResult))
    return 0;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(main_view->ResultBrush());
}

void OnDestroy() {
  frmMakeUnload();  // a window destroyed without a close still takes frmMake along
  main_prefs.reset();
  main_frame.reset();
  main_logic.reset();
  main_view.reset();
  main_window = nullptr;
  PostQuitMessage(0);  // closing the main window ends the program
}

// The controls' notifications become the logic's events; everything else is the system's.
LRESULT CALLBACK frmMainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wparam, lparam))
        return 0;
      break;
    case WM_SIZE:
      if (main_logic != nullptr)
        main_logic->Form_Resize();
      return 0;
    case WM_SETFOCUS:
      if (main_view != nullptr)
        main_view->FocusSearch();
      return 0;
    case WM_SETCURSOR:
      if (main_view != nullptr && main_view->IsBusy()) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (LRESULT brush =
              OnColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam))) {
        return brush;
      }
      break;
    case WM_CLOSE:
      if (main_closing.RequestClose() && MayClose()) {
        FormUnload();
        DestroyWindow(window);
      }
      return 0;
    case WM_QUERYENDSESSION:
      // Refused while a Make runs: its window must not go while the Make writes to it.
      return frmMakeLogic() == nullptr || frmMakeLogic()->MayEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      // The session ends: the program will not see WM_CLOSE, so it saves as a close does; during
      // the load, once the load has ended.
      if (wparam != FALSE && main_closing.RequestClose())
        FormUnload();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterFrmMain(HINSTANCE instance) {
  return LookRegisterClass(instance, kFrmMainClass, frmMainProc);
}

}  // namespace

int Win32MsgBox(const std::string& prompt, unsigned style, const std::string& title) {
  return MessageBoxA(main_window, prompt.c_str(), title.c_str(), style);
}

HWND frmMainWindow() {
  return main_window;
}

MainWindow* frmMain() {
  return main_logic.get();
}

MainViewWin32* frmMainView() {
  return main_view.get();
}

// Form_KeyDown: the maintenance key, Shift+Ctrl+Alt+M (with Alt held, a system key).
bool MaintenanceKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
    return false;
  int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) + (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) +
              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  if (!MakeIsMaintenanceKey(static_cast<int>(message.wParam), shift))
    return false;
  bool reloading = false;
  FrmMainMake host(*main_logic, [&reloading] {
    frmMakeShowModal(main_window);
    if (main_window == nullptr)
      return false;  // a close held back during a Make may have closed it
    // The reload and its search follow; a close during their boxes waits for them.
    main_closing.BeginLoad();
    reloading = true;
    return true;
  });
  MakeMaintenanceKey(host);
  if (reloading && main_closing.EndLoad())
    PostMessageA(main_window, WM_CLOSE, 0, 0);
  return true;
}

// Tab and Shift+Tab move the focus through the search box, the list and the pane, as in a
// dialog; the window is no dialog, so no one else does it, and the read-only pane has no use
// for a tab character. With Ctrl or Alt held the key is left to the system.
bool TabKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 ||
      GetKeyState(VK_MENU) < 0) {
    return false;
  }
  MainControl from = MainControl::kLabel1;  // the window itself or a control out of the round
  for (int i = 0; i < kMainControlCount; ++i) {
    if (main_view->Control(static_cast<MainControl>(i)) == message.hwnd)
      from = static_cast<MainControl>(i);
  }
  MainControl to = MainTabNext(from, GetKeyState(VK_SHIFT) < 0);
  HWND control = main_view->Control(to);
  SetFocus(control);
  if (to == MainControl::kTxtSearch)
    SendMessageA(control, EM_SETSEL, 0, -1);  // a dialog's edit box comes with its text selected
  return true;
}

bool frmMainPreviewKey(MSG* message) {
  if (main_logic == nullptr ||
      (message->hwnd != main_window && !IsChild(main_window, message->hwnd))) {
    return false;
  }
  if (TranslateAcceleratorA(main_window, frmMainAccelerators(), message))
    return true;
  if (MaintenanceKey(*message))
    return true;
  if (TabKey(*message))
    return true;
  if (message->message != WM_CHAR)
    return false;
  int key = static_cast<int>(message->wParam);
  main_logic->Form_KeyPress(key);
  if (key == 0)
    return true;
  message->wParam = static_cast<WPARAM>(key);
  return false;
}

HWND frmMainShow() {
  if (main_window != nullptr)
    return main_window;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterFrmMain(instance))
    return nullptr;

  main_window = LookCreateTopLevel(kFrmMainClass, kAppTitle, kFrmMainInnerWidthTwips,
                                   kFrmMainInnerHeightTwips, nullptr, frmMainMenuBar());
  if (main_window == nullptr)
    return nullptr;
  UseWinPrinting(main_window);
  main_view = std::make_unique<MainViewWin32>(main_window);
  main_logic = std::make_unique<MainWindow>(*main_view);
  main_frame = std::make_unique<RegcViewWin32>(main_window, TwipsPerPixelX, TwipsPerPixelY);
  main_prefs = std::make_unique<FrmMainPrefs>(
      *main_logic, *main_frame, frmMakeUnload,
      [](const std::string& caption) { SetWindowTextA(main_window, caption.c_str()); });
  main_unloaded = false;
  MainWindow& logic = *main_logic;
  RulerWin32Attach(main_view->Control(MainControl::kPicRuler),
                   main_view->Control(MainControl::kLstMatches),
                   main_view->Control(MainControl::kTxtResult),
                   RulerWin32Events{[&logic](float x) { lstMatches_DragOver(logic, x); },
                                    [&logic](float x) { txtResult_DragOver(logic, x); },
                                    [&logic] { Form_DragDrop(logic); }});
  ShowWindow(main_window, SW_SHOWNORMAL);
  UpdateWindow(main_window);
  // Loaded while shown, so that "Initialising..." and the busy pointer are seen.
  main_closing.BeginLoad();
  PrefsFormLoad(*main_prefs);
  main_logic->Form_Resize();
  main_view->FocusSearch();
  if (main_closing.EndLoad())
    PostMessageA(main_window, WM_CLOSE, 0, 0);  // held during the load: a close as any other
  return main_window;
}
