#include "win/code_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "base/msgbox.h"
#include "base/text.h"
#include "code/code.h"
#include "win/mainwin_win.h"

namespace {

// The running program's full path, however long it is.
std::string ProgramPath() {
  std::vector<char> buffer(MAX_PATH);
  while (true) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0)
      return "";
    if (n < buffer.size())
      return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

void Main() {
  CodeFacts facts;
  facts.program_path = ProgramPath();
  facts.tmp = EnvText("TMP");
  facts.temp = EnvText("TEMP");
  HDC screen = GetDC(nullptr);
  if (screen != nullptr) {
    facts.dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
    facts.dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  CodeStartup(facts);
  frmMainShow();
}

// The program: CODE's start-up, then the main window's message loop until it closes.
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
