#include "main_win.h"

#include <cmath>

#include "app.h"
#include "code.h"
#include "code_win.h"
#include "msgbox.h"

namespace {

HWND main_window = nullptr;

int ToPixels(float twips, float twips_per_pixel) {
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

LRESULT CALLBACK frmMainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      main_window = nullptr;
      PostQuitMessage(0);  // closing the main window ends the program
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

bool RegisterFrmMain(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, kFrmMainClass, &wc))
    return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = frmMainProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFrmMainClass;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

int Win32MsgBox(const std::string& prompt, unsigned style, const std::string& title) {
  return MessageBoxA(main_window, prompt.c_str(), title.c_str(), style);
}

HWND frmMainWindow() {
  return main_window;
}

HWND frmMainShow() {
  if (main_window != nullptr)
    return main_window;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterFrmMain(instance))
    return nullptr;

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT outer{0, 0, ToPixels(kFrmMainInnerWidthTwips, TwipsPerPixelX),
             ToPixels(kFrmMainInnerHeightTwips, TwipsPerPixelY)};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  main_window = CreateWindowExA(0, kFrmMainClass, kAppTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, instance, nullptr);
  if (main_window == nullptr)
    return nullptr;
  ShowWindow(main_window, SW_SHOWNORMAL);
  UpdateWindow(main_window);
  return main_window;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetMsgBoxHandler(Win32MsgBox);
  Main();
  if (frmMainWindow() == nullptr)
    return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
