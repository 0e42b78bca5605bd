#include "support/drive_win.h"

#include "win/mainwin_win.h"

namespace {

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (std::string(name) == "TavloMain" &&
      (search->process_id == 0 || owner == search->process_id)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindTavlo(DWORD process_id, int timeout_ms) {
  for (int waited = 0; waited <= timeout_ms; waited += 50) {
    Search search{process_id, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr && IsWindowVisible(search.found)) {
      // Answered only from the program's message loop, so once its start-up is over.
      DWORD_PTR result = 0;
      SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout_ms),
                          &result);
      return search.found;
    }
    Sleep(50);
  }
  return nullptr;
}

HWND Child(HWND window, int id) {
  return GetDlgItem(window, id);
}

void TypeSearch(HWND window, const std::string& text) {
  SendMessageA(Child(window, kIdTxtSearch), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Narrow1252(const std::wstring& text) {
  if (text.empty())
    return "";
  int n = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

void PressKeys(HWND window, const std::vector<WORD>& chord) {
  SetForegroundWindow(window);
  const std::size_t n = chord.size();
  std::vector<INPUT> keys(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    keys[i].type = keys[2 * n - 1 - i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = keys[2 * n - 1 - i].ki.wVk = chord[i];
    keys[2 * n - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void PressMaintenanceKey(HWND window) {
  PressKeys(window, {VK_SHIFT, VK_CONTROL, VK_MENU, 'M'});
}

// Across processes the list hands its texts over as UTF-16.
std::vector<std::string> ListLines(HWND window) {
  HWND list = Child(window, kIdLstMatches);
  std::vector<std::string> lines;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    n = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    lines.push_back(Narrow1252(text));
  }
  return lines;
}

int ListSelection(HWND window) {
  return static_cast<int>(SendMessageW(Child(window, kIdLstMatches), LB_GETCURSEL, 0, 0));
}

std::string PaneText(HWND window) {
  HWND pane = Child(window, kIdTxtResult);
  LRESULT n = SendMessageW(pane, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  n = SendMessageW(pane, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return Narrow1252(text);
}

namespace {

int StartWaitMs() {
  static bool first = true;
  int wait = first ? 90000 : 30000;
  first = false;
  return wait;
}

}  // namespace

bool LaunchProgram(const std::wstring& exe, const wchar_t* folder, PROCESS_INFORMATION* process) {
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, process)) {
    *process = {};
    return false;
  }
  return true;
}

namespace {

// A path in the system's ANSI code page, as the narrow calls take it, in UTF-16.
std::wstring WideFromAnsi(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1)
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  return wide;
}

}  // namespace

bool RunningTavlo::Start(const std::string& exe, const char* folder) {
  End();
  const std::wstring wide_folder = folder != nullptr ? WideFromAnsi(folder) : L"";
  if (!LaunchProgram(WideFromAnsi(exe), folder != nullptr ? wide_folder.c_str() : nullptr,
                     &process))
    return false;
  window = FindTavlo(process.dwProcessId, StartWaitMs());
  return window != nullptr;
}

bool RunningTavlo::Close(int wait_ms) {
  if (window != nullptr)
    PostMessageA(window, WM_CLOSE, 0, 0);
  window = nullptr;
  return process.hProcess == nullptr ||
         WaitForSingleObject(process.hProcess, static_cast<DWORD>(wait_ms)) == WAIT_OBJECT_0;
}

void RunningTavlo::End(int wait_ms) {
  if (process.hProcess == nullptr)
    return;
  if (!Close(wait_ms))
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  process = {};
}

std::string WindowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path[0] == '\\' ? "Z:" + path : path;
}

bool Eventually(const std::function<bool()>& condition, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 10) {
    if (condition())
      return true;
    Sleep(10);
  }
  return condition();
}
