// tavlo-menu COMMAND: drives the running tavlo for the screenshot script.
//   help        the Help menu's "Using TAVLO..."
//   version     the Help menu's "Version..."
//   find-words  the File menu's "Find by Words..." (the words typed first with --search)
//   make-dump   the maintenance key (Shift+Ctrl+Alt+M), then the maintenance window's Dump
// Exit status 1 when no tavlo window (or no maintenance window) appeared, 2 for another command.
#include <windows.h>

#include <string>

#include "base/app.h"
#include "support/drive_win.h"
#include "win/makewin_win.h"

namespace {

HWND WaitForMakeWindow() {
  for (int waited = 0; waited < 10000; waited += 50) {
    HWND make = FindWindowA("TavloMake", kMakeCaption);
    if (make != nullptr && IsWindowVisible(make))
      return make;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  HWND window = FindTavlo(0, 20000);
  if (window == nullptr)
    return 1;
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "help" || command == "version") {
    SendMessageA(window, WM_COMMAND, command == "help" ? kMnuHelpUsing : kMnuHelpVersion, 0);
  } else if (command == "find-words") {
    SendMessageA(window, WM_COMMAND, kMnuFileFindWords, 0);
  } else if (command == "make-dump") {
    PressMaintenanceKey(window);
    HWND make = WaitForMakeWindow();
    if (make == nullptr)
      return 1;
    SendMessageA(GetDlgItem(make, kFrmMakeDumpId), BM_CLICK, 0, 0);
  } else {
    return 2;
  }
  Sleep(300);
  return 0;
}
