#include "win/code_win.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/msgbox.h"
#include "code/code.h"
#include "win/mainwin_win.h"

namespace {

// The running program's full path, however long it is, in UTF-8 as the files layer takes it.
std::string ProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0)
      return "";
    if (n < buffer.size())
      return Narrow(std::wstring(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

// An environment variable's value in UTF-8; empty when it is unset.
std::string EnvPath(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? Narrow(value) : std::string();
}

}  // namespace

void Main() {
  CodeFacts facts;
  facts.program_path = ProgramPath();
  facts.tmp = EnvPath(L"TMP");
  facts.temp = EnvPath(L"TEMP");
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
  InstallMsgBox(Win32MsgBox);
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
