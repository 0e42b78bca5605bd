#include "main_win.h"

#include <memory>

#include "app.h"
#include "code.h"
#include "code_win.h"
#include "frmmain.h"
#include "look_win.h"
#include "mainview_win.h"
#include "mainwin.h"
#include "mainwin_store.h"
#include "make_win.h"
#include "menus_win.h"
#include "msgbox.h"
#include "print_main.h"
#include "printer_win.h"
#include "regc_window_win.h"
#include "ruler_win.h"
#include "twips.h"
#include "version_win.h"

namespace {

HWND main_window = nullptr;
std::unique_ptr<Win32MainView> main_view;
std::unique_ptr<MainWindow> main_logic;
std::unique_ptr<RegcWin32Window> main_frame;
std::unique_ptr<FrmMainPrefs> main_prefs;
bool main_unloaded = false;

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
  if (frmMainPrintCommand(id, *main_view))
    return;
  FrmMainAbout about(*main_logic);
  switch (id) {
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

// The controls' notifications become the logic's events; everything else is the system's.
LRESULT CALLBACK frmMainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (main_logic != nullptr) {
        int id = LOWORD(wparam);
        int code = HIWORD(wparam);
        if (lparam == 0) {  // a menu item or its shortcut
          MenuCommand(id);
          return 0;
        }
        if (id == kIdTxtSearch && code == EN_CHANGE && !main_view->IsSettingText()) {
          main_logic->txtSearch_Change();
          return 0;
        }
        if (id == kIdLstMatches && code == LBN_SELCHANGE) {
          main_logic->lstMatches_Click();
          return 0;
        }
      }
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
      // The read-only pane keeps the colours of a text the user reads, not of a disabled one.
      if (main_view != nullptr &&
          reinterpret_cast<HWND>(lparam) == main_view->Control(MainControl::kTxtResult)) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(main_view->ResultBrush());
      }
      break;
    case WM_CLOSE:
      if (!MayClose())
        return 0;
      FormUnload();
      DestroyWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      // Refused while a Make runs: its window must not go while the Make writes to it.
      return frmMakeLogic() == nullptr || frmMakeLogic()->MayEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      // The session ends: the program will not see WM_CLOSE, so it saves as a close does.
      if (wparam != FALSE)
        FormUnload();
      return 0;
    case WM_DESTROY:
      frmMakeUnload();  // a window destroyed without a close still takes frmMake along
      main_prefs.reset();
      main_frame.reset();
      main_logic.reset();
      main_view.reset();
      main_window = nullptr;
      PostQuitMessage(0);  // closing the main window ends the program
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

Win32MainView* frmMainView() {
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
  FrmMainMake host(*main_logic, [] {
    frmMakeShowModal(main_window);
    return main_window != nullptr;  // a close held back during a Make may have closed it
  });
  MakeMaintenanceKey(host);
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

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT outer{0, 0, TwipsToPixels(kFrmMainInnerWidthTwips, TwipsPerPixelX),
             TwipsToPixels(kFrmMainInnerHeightTwips, TwipsPerPixelY)};
  AdjustWindowRectEx(&outer, style, TRUE, 0);
  main_window = CreateWindowExA(0, kFrmMainClass, kAppTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                frmMainMenuBar(), instance, nullptr);
  if (main_window == nullptr)
    return nullptr;
  UseWinPrinting(main_window);
  main_view = std::make_unique<Win32MainView>(main_window);
  main_logic = std::make_unique<MainWindow>(*main_view);
  main_frame = std::make_unique<RegcWin32Window>(main_window, TwipsPerPixelX, TwipsPerPixelY);
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
  PrefsFormLoad(*main_prefs);
  main_logic->Form_Resize();
  main_view->FocusSearch();
  return main_window;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetMsgBoxHandler(Win32MsgBox);
  Main();
  if (frmMainWindow() == nullptr)
    return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (frmMainPreviewKey(&message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
