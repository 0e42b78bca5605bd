// The running program: starting the real tavlo.exe under Wine and waiting for its window
// (RunningTavlo), and driving it from another process through its standard controls, as a
// user's tools do: find the main window, set the search text, read the list and the pane back.
#ifndef TAVLO_TESTS_SUPPORT_DRIVE_WIN_H
#define TAVLO_TESTS_SUPPORT_DRIVE_WIN_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The program as its own process. Start runs exe in folder (the test's own when nullptr) and
// waits for its main window: the first start of a test program waits up to 90 s, for a cold
// Wine prefix on a loaded machine, later ones 30 s. Close posts WM_CLOSE, as the title bar does,
// and waits for the end; End also kills a program that does not end in time and lets go of it
// (the destructor ends it too).
struct RunningTavlo {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;

  RunningTavlo() = default;
  RunningTavlo(const RunningTavlo&) = delete;
  RunningTavlo& operator=(const RunningTavlo&) = delete;
  ~RunningTavlo() {
    End();
  }
  // False when the program did not start or showed no main window in time.
  bool Start(const std::string& exe, const char* folder = nullptr);
  // True when the program ended within wait_ms.
  bool Close(int wait_ms = 20000);
  void End(int wait_ms = 20000);
};

// Starts exe (a path in any script) in folder (the caller's own when nullptr) without waiting
// for its window; false when it could not be started. The one place the tests start a program.
bool LaunchProgram(const std::wstring& exe, const wchar_t* folder, PROCESS_INFORMATION* process);
// A Unix path as Wine's drive Z: names it.
std::string WindowsPath(std::string path);
// Waits up to timeout_ms for a condition that posted input makes true.
bool Eventually(const std::function<bool()>& condition, int timeout_ms = 5000);

// The main window of a running tavlo (of any process when process_id is 0), once its start-up
// is over, waited for up to timeout_ms; nullptr if none came.
HWND FindTavlo(DWORD process_id, int timeout_ms);
HWND Child(HWND window, int id);
// WM_SETTEXT raises EN_CHANGE in the program before it returns: the search has run.
void TypeSearch(HWND window, const std::string& text);
// A chord typed on the real keyboard into the window brought to the front: the keys pressed in
// order, then let go in reverse order.
void PressKeys(HWND window, const std::vector<WORD>& chord);
// Shift+Ctrl+Alt+M so.
void PressMaintenanceKey(HWND window);
std::vector<std::string> ListLines(HWND window);
int ListSelection(HWND window);
std::string PaneText(HWND window);
// A text in Windows-1252 from one in UTF-16.
std::string Narrow1252(const std::wstring& text);

#endif
