#include "code_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "code.h"
#include "main_win.h"
#include "text.h"

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
