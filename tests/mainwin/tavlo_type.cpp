// tavlo-type TEXT: sets the search text of the running tavlo, as if typed, and waits until the
// window has repainted. Exit status 1 when no tavlo window appeared within 20 seconds.
#include <windows.h>

#include <string>

#include "support/drive_win.h"

int main(int argc, char** argv) {
  HWND window = FindTavlo(0, 20000);
  if (window == nullptr)
    return 1;
  TypeSearch(window, argc > 1 ? argv[1] : "");
  // Focus back in the search box, caret at its end, as after typing.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return 0;
}
