// The real program under Wine around its load: a close or log-off that arrives while a start-up
// box is up, a reload that fails, a current cache that another process holds open without
// sharing, and a program folder and temporary folder named outside the ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/app.h"
#include "support/drive_win.h"
#include "win/mainwin_win.h"
#include "win/makewin_win.h"

namespace {

std::string RegText(const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, name, RRF_RT_ANY, nullptr, data, &size) != 0)
    return "(none)";
  return std::string(data);  // up to the terminating NUL, stored or not
}

long RegLong(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size))
    return -99;
  return static_cast<int32_t>(value);
}

void SetRegValue(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kPrefsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetRegText(const char* name, const std::string& text) {
  SetRegValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetRegLong(const char* name, DWORD value) {
  SetRegValue(name, REG_DWORD, &value, sizeof value);
}

// The visible message boxes of a process.
std::vector<HWND> Boxes(DWORD process_id) {
  struct Search {
    DWORD process_id;
    std::vector<HWND> found;
  } search{process_id, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        Search* s = reinterpret_cast<Search*>(data);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->process_id && std::string(name) == "#32770" && IsWindowVisible(window))
          s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TempFolderW() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

class LoadProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);
    const wchar_t* tmp = _wgetenv(L"TMP");
    tmp_ = tmp != nullptr ? tmp : L"";
  }
  void TearDown() override {
    _wputenv_s(L"TMP", tmp_.c_str());  // a test may point the programs' TMP elsewhere
    if (process_.hProcess != nullptr) {
      TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    tavlo_.End();
  }
  // Starts exe without waiting for its window.
  void Launch(const std::wstring& exe) {
    ASSERT_TRUE(LaunchProgram(exe, nullptr, &process_));
  }
  // Answers every box of the program with OK until it has ended; its exit code, or -1 when it
  // did not end within the time.
  long DismissUntilEnded(int timeout_ms) {
    for (int waited = 0; waited < timeout_ms; waited += 100) {
      if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
      }
      for (HWND box : Boxes(process_.dwProcessId))
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return -1;
  }

  PROCESS_INFORMATION process_{};
  RunningTavlo tavlo_;
  std::wstring tmp_;
};

// A close or a log-off while a start-up box is up waits for the load, then closes as a close
// does: no crash, and the values the load read are saved back as they were.
TEST_F(LoadProgramTest, ACloseOrLogOffDuringAStartUpBoxWaitsForTheLoad) {
  struct Case {
    const char* name;
    bool debug;    // else a garbage "PrinterFontSize" raises the settings module's box
    bool log_off;  // else WM_CLOSE, as "End task" sends it
  };
  const Case cases[] = {
      {"Debug box, close", true, false},
      {"Debug box, log-off", true, true},
      {"settings box, close", false, false},
      {"settings box, log-off", false, true},
  };
  const std::wstring exe = [] {
    std::string path = WindowsPath(TAVLO_DIST_EXE);
    return std::wstring(path.begin(), path.end());
  }();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);
    SetRegText("LastSearch", "2035");
    SetRegText("MainWindow", "1500,1200,12000,9000");
    SetRegLong("Ruler", 3000);
    SetRegText("PrinterFontName", "Courier New");
    if (c.debug)
      SetRegLong("Debug", 1);
    else
      SetRegText("PrinterFontSize", "not a number of points");
    Launch(exe);
    ASSERT_TRUE(Eventually([&] { return !Boxes(process_.dwProcessId).empty(); }, 90000))
        << "no start-up box";
    HWND window = FindTavlo(process_.dwProcessId, 5000);
    ASSERT_NE(window, nullptr);
    if (c.log_off) {
      EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
      SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    } else {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    Sleep(300);  // the close reaches the box's message loop
    EXPECT_EQ(DismissUntilEnded(20000), 0) << "ended normally";
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    EXPECT_EQ(RegText("LastSearch"), "2035");
    EXPECT_EQ(RegText("MainWindow"), "1500,1200,12000,9000");
    EXPECT_EQ(RegLong("Ruler"), 3000);
    EXPECT_EQ(RegText("PrinterFontName"), "Courier New");
    EXPECT_EQ(RegLong("Debug"), c.debug ? 1 : 0);
  }
}

// A folder of the test's own, removed with what it holds; with foreign, named outside the ANSI
// code page (Cyrillic).
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& tag, bool foreign = false)
      : path_(TempFolderW() + L"tavlo " + tag + (foreign ? L" \x0434\x0438\x0440 " : L" ") +
              std::to_wstring(GetCurrentProcessId())) {
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
  }
  std::wstring File(const wchar_t* name) const {
    return path_ + L"\\" + name;
  }
  const std::wstring& Path() const {
    return path_;
  }

 private:
  std::wstring path_;
};

std::wstring DistExe() {
  std::string path = WindowsPath(TAVLO_DIST_EXE);
  return std::wstring(path.begin(), path.end());
}

// The reload after the maintenance window is a load too: a close during its "Debug" box waits
// for it and its search, then closes.
TEST_F(LoadProgramTest, ACloseDuringTheReloadBoxWaitsForTheReload) {
  ScratchFolder folder(L"reload-box");
  ASSERT_TRUE(CopyFileW(DistExe().c_str(), folder.File(L"tavlo.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(DistExe().c_str(), folder.File(L"maint.exe").c_str(), FALSE));
  SetRegLong("Debug", 1);
  Launch(folder.File(L"maint.exe"));
  ASSERT_TRUE(Eventually([&] { return !Boxes(process_.dwProcessId).empty(); }, 90000));
  for (HWND box : Boxes(process_.dwProcessId))
    PostMessageA(box, WM_COMMAND, IDOK, 0);  // the start-up's timing
  HWND window = FindTavlo(process_.dwProcessId, 10000);
  ASSERT_NE(window, nullptr);
  PressMaintenanceKey(window);
  HWND make = nullptr;
  ASSERT_TRUE(Eventually([&] {
    make = FindWindowA("TavloMake", "Make Binary Resource");
    return make != nullptr && IsWindowVisible(make);
  }));
  PostMessageA(GetDlgItem(make, kFrmMakeCloseId), BM_CLICK, 0, 0);
  ASSERT_TRUE(Eventually([&] { return !Boxes(process_.dwProcessId).empty(); }, 10000))
      << "no box of the reload";
  PostMessageA(window, WM_CLOSE, 0, 0);
  Sleep(300);
  EXPECT_EQ(DismissUntilEnded(20000), 0) << "ended normally";
  EXPECT_EQ(RegLong("Debug"), 1);
}

// Each control's text in UTF-16, as another process reads it.
std::wstring TextW(HWND control) {
  wchar_t text[4096] = {};
  SendMessageW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
  return text;
}

// The program in a Cyrillic folder, its cache in another (a user name in another script puts
// the temporary folder there), run as a lower-case copy beside tavlo.exe: it loads, searches,
// shows its version, makes its cache there, and its maintenance window builds tavlo.exe from
// the data file in that folder and reloads from it.
TEST_F(LoadProgramTest, AProgramFolderNamedInCyrillicLoadsAndMakes) {
  ScratchFolder program(L"prog", true);
  ScratchFolder temp(L"temp", true);
  ASSERT_TRUE(CopyFileW(DistExe().c_str(), program.File(L"tavlo.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(DistExe().c_str(), program.File(L"maint.exe").c_str(), FALSE));
  const std::string data = TAVLO_FIXTURES "\\small.txt";
  ASSERT_TRUE(CopyFileW(std::wstring(data.begin(), data.end()).c_str(),
                        program.File(L"tavlodata-text.o").c_str(), FALSE));
  _wputenv_s(L"TMP", temp.Path().c_str());
  ASSERT_TRUE(LaunchProgram(program.File(L"maint.exe"), program.Path().c_str(), &process_));
  HWND window = FindTavlo(process_.dwProcessId, 90000);
  ASSERT_NE(window, nullptr);
  TypeSearch(window, "2035");
  EXPECT_EQ(ListLines(window).size(), 2u) << PaneText(window);
  EXPECT_EQ(PaneText(window).rfind("Reason Code \t2035", 0), 0u) << PaneText(window);
  EXPECT_NE(GetFileAttributesW(temp.File(L"tavlo_cache.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  PostMessageA(window, WM_COMMAND, kMnuHelpVersion, 0);
  EXPECT_TRUE(Eventually([&] {
    return PaneText(window).find("Version 2.7.1, 3 March 2002") != std::string::npos;
  })) << PaneText(window);

  PressMaintenanceKey(window);
  HWND make = nullptr;
  ASSERT_TRUE(Eventually([&] {
    make = FindWindowA("TavloMake", "Make Binary Resource");
    return make != nullptr && IsWindowVisible(make);
  }));
  EXPECT_EQ(TextW(GetDlgItem(make, kFrmMakeDataDirId)), program.Path()) << "the current folder";
  SendMessageA(GetDlgItem(make, kFrmMakeMakeId), BM_CLICK, 0, 0);
  std::wstring log = TextW(GetDlgItem(make, kFrmMakeLogId));
  EXPECT_NE(log.find(L"BinResClose OK\r\n"), std::wstring::npos);
  EXPECT_NE(log.find(program.File(L"tavlo.exe")), std::wstring::npos) << "the path shown whole";
  PostMessageA(GetDlgItem(make, kFrmMakeCloseId), BM_CLICK, 0, 0);
  EXPECT_TRUE(Eventually([&] {
    TypeSearch(window, "KXRC_T");
    return ListLines(window).size() == 2u;  // the small set's codes only
  })) << PaneText(window);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
}

// Another process (this one) holds the current cache open without sharing: the program reads a
// copy of its own and finds its descriptions.
TEST_F(LoadProgramTest, ACurrentCacheHeldOpenWithoutSharingStillLoads) {
  ScratchFolder temp(L"locked");
  _wputenv_s(L"TMP", temp.Path().c_str());
  std::string dist = WindowsPath(TAVLO_DIST_EXE);
  ASSERT_TRUE(tavlo_.Start(dist));  // makes the cache current
  ASSERT_TRUE(tavlo_.Close());
  HANDLE held = CreateFileW(temp.File(L"tavlo_cache.tmp").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(tavlo_.Start(dist));
  TypeSearch(tavlo_.window, "2035");
  EXPECT_EQ(ListLines(tavlo_.window).size(), 2u) << PaneText(tavlo_.window);
  ASSERT_TRUE(tavlo_.Close());
  CloseHandle(held);
}

// After the maintenance window, the main window reloads; when that load fails (here the program
// file is gone), the list is emptied with it instead of keeping lines of dropped descriptions.
TEST_F(LoadProgramTest, AFailedReloadEmptiesTheList) {
  ScratchFolder folder(L"reload");
  ASSERT_TRUE(CopyFileW(DistExe().c_str(), folder.File(L"tavlo.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(DistExe().c_str(), folder.File(L"maint.exe").c_str(), FALSE));
  Launch(folder.File(L"maint.exe"));
  HWND window = FindTavlo(process_.dwProcessId, 90000);
  ASSERT_NE(window, nullptr);
  TypeSearch(window, "2035");
  ASSERT_EQ(ListLines(window).size(), 2u);
  PressMaintenanceKey(window);
  HWND make = nullptr;
  ASSERT_TRUE(Eventually([&] {
    make = FindWindowA("TavloMake", "Make Binary Resource");
    return make != nullptr && IsWindowVisible(make);
  }));
  ASSERT_TRUE(DeleteFileW(folder.File(L"tavlo.exe").c_str()));
  PostMessageA(GetDlgItem(make, kFrmMakeCloseId), BM_CLICK, 0, 0);
  EXPECT_TRUE(Eventually([&] {
    return PaneText(window).find("Runtime Error") != std::string::npos;
  })) << PaneText(window);
  EXPECT_TRUE(ListLines(window).empty());
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
}

}  // namespace
