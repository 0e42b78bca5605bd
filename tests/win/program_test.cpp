// The real program under Wine, started as its own process and driven from here: its
// preferences in the registry across two starts and a log-off, the Help menu, the ruler dragged
// with the mouse and dropped beyond both edges, Tab through the controls, a placement off every
// screen, and the maintenance key in a copy under another lower-case name.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "about/about.h"
#include "base/app.h"
#include "support/drive_win.h"
#include "win/makewin_win.h"
#include "win/mainwin_win.h"

namespace {

std::string RegText(const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, name, RRF_RT_ANY, nullptr, data, &size) != 0)
    return "(none)";
  return std::string(data, size);
}

long RegLong(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size))
    return -99;
  return static_cast<int32_t>(value);
}

void SetRegText(const char* name, const std::string& text) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kPrefsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size()));
  RegCloseKey(key);
}

void SetRegLong(const char* name, DWORD value) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kPrefsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

RECT ChildRect(HWND window, int id) {
  RECT r{};
  GetWindowRect(Child(window, id), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string Text(HWND window) {
  char text[1 << 16] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// One key typed on the real keyboard into the window brought to the front, Shift held or not.
void PressKey(HWND window, WORD key, bool shift = false) {
  SetForegroundWindow(window);
  INPUT keys[4] = {};
  int n = 0;
  auto add = [&](WORD code, DWORD flags) {
    keys[n].type = INPUT_KEYBOARD;
    keys[n].ki.wVk = code;
    keys[n].ki.dwFlags = flags;
    ++n;
  };
  if (shift)
    add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift)
    add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(n, keys, sizeof(INPUT));
}

// The control that has the keyboard focus in the program's window thread.
HWND Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
    return nullptr;
  return info.hwndFocus;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);
  }
  void TearDown() override {
    tavlo_.End();
  }

  void Start(const std::string& exe = WindowsPath(TAVLO_DIST_EXE), const char* folder = nullptr) {
    ASSERT_TRUE(tavlo_.Start(exe, folder)) << exe;
  }
  // Closes the window as its title bar does; true when the program ended.
  bool Close() {
    return tavlo_.Close(10000);
  }

  RunningTavlo tavlo_;
  HWND& window_ = tavlo_.window;
  PROCESS_INFORMATION& process_ = tavlo_.process;
};

TEST_F(ProgramTest, AFirstRunCreatesTheKeyAndExitWritesEveryValue) {
  Start();
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPrefsKey, 0, KEY_READ, &key), 0);
  RegCloseKey(key);
  EXPECT_EQ(RegText("LastSearch"), "(none)") << "nothing written before the close";
  TypeSearch(window_, "2035");
  SetWindowPos(window_, nullptr, 100, 80, 800, 600, SWP_NOZORDER);
  // F3, File's "Exit...", closes without asking.
  PostMessageA(Child(window_, kIdTxtSearch), WM_KEYDOWN, VK_F3, 0);
  window_ = nullptr;
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(RegText("LastSearch"), "2035");
  EXPECT_EQ(RegText("MainWindow"), "1500,1200,12000,9000");
  EXPECT_EQ(RegLong("Ruler"), 4695 + 30);
  EXPECT_EQ(RegLong("Debug"), 0);
  EXPECT_EQ(RegText("PrinterFontName"), "Arial");
  EXPECT_EQ(RegLong("PrinterFontSize"), 10);
  EXPECT_EQ(RegLong("PrinterFontBold"), 0);
}

TEST_F(ProgramTest, ASecondStartRestoresWindowRulerAndSearch) {
  SetRegText("LastSearch", "7f3");
  SetRegText("MainWindow", "1500,1200,12000,9000");
  SetRegLong("Ruler", 3000);
  Start();
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 800);
  HWND search = Child(window_, kIdTxtSearch);
  EXPECT_EQ(Text(search), "7f3");
  DWORD selection = static_cast<DWORD>(SendMessageA(search, EM_GETSEL, 0, 0));
  EXPECT_EQ(selection, MAKELONG(0, 3)) << "the whole search text selected";
  EXPECT_EQ(ListLines(window_).size(), 2u);
  EXPECT_EQ(ChildRect(window_, kIdPicRuler).left, 200);
  EXPECT_EQ(ChildRect(window_, kIdLstMatches).right, 198);
  EXPECT_EQ(ChildRect(window_, kIdTxtResult).left, 207);
}

TEST_F(ProgramTest, ALogOffSavesThePreferences) {
  Start();
  TypeSearch(window_, "not_auth");
  EXPECT_EQ(SendMessageA(window_, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(RegText("LastSearch"), "not_auth");
}

TEST_F(ProgramTest, TheHelpMenuShowsHelpAndVersion) {
  Start();
  TypeSearch(window_, "KXCC");
  PostMessageA(Child(window_, kIdTxtSearch), WM_KEYDOWN, VK_F1, 0);  // the shortcut
  EXPECT_TRUE(Eventually([&] { return PaneText(window_) == AboutHelpText(); }));
  EXPECT_EQ(ListSelection(window_), -1);
  EXPECT_EQ(ListLines(window_).size(), 5u) << "the list stays";

  PostMessageA(window_, WM_COMMAND, kMnuHelpVersion, 0);
  std::string version;
  EXPECT_TRUE(Eventually([&] {
    version = PaneText(window_);
    return version.rfind("tavlo\r\n", 0) == 0;
  }));
  EXPECT_EQ(version.substr(0, version.find("____")),
            "tavlo\r\nVersion 2.7.1, 3 March 2002\r\n\r\nCopyright (C) 2002 The tavlo "
            "developers\r\n\r\nRegistry key for user preferences: "
            "HKEY_CURRENT_USER\\\r\nSoftware\\Harbex\\Zarvex Veltis Utilities\\Pindle\r\n");
  EXPECT_EQ(version.find('~'), std::string::npos);
  PostMessageA(window_, WM_COMMAND, kMnuHelpVersion, 0);
  PostMessageA(window_, WM_COMMAND, kMnuHelpVersion, 0);
  Sleep(200);
  EXPECT_EQ(PaneText(window_), version) << "the same text again";
}

TEST_F(ProgramTest, TheRulerIsDraggedOverTheListAndDroppedInTheGap) {
  Start();
  HWND ruler = Child(window_, kIdPicRuler);
  RECT before = ChildRect(window_, kIdPicRuler);
  // 100 pixels left of the ruler's own left edge, over the list.
  LPARAM at = MAKELPARAM(static_cast<WORD>(-100), 5);
  PostMessageA(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
  PostMessageA(ruler, WM_MOUSEMOVE, MK_LBUTTON, at);
  EXPECT_TRUE(
      Eventually([&] { return ChildRect(window_, kIdLstMatches).right == before.left - 100 - 2; }));
  EXPECT_EQ(ChildRect(window_, kIdPicRuler).left, before.left) << "not moved before the drop";
  PostMessageA(ruler, WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(Eventually(
      [&] { return ChildRect(window_, kIdPicRuler).left == before.left - 100 + 2 - 2; }));
  ASSERT_TRUE(Close());
  EXPECT_EQ(RegLong("Ruler"), (before.left - 100) * 15);
}

// Let go beyond the window's left edge after a drag over the list, then beyond its right edge
// after a drag over the pane: the ruler stops at the search box's right edge and where the pane
// keeps 30 pixels, and the close stores where it stands.
TEST_F(ProgramTest, TheRulerDroppedBeyondEitherEdgeStaysWithinReach) {
  Start();
  HWND ruler = Child(window_, kIdPicRuler);
  const RECT search = ChildRect(window_, kIdTxtSearch);
  RECT client{};
  GetClientRect(window_, &client);
  const struct {
    int over, release, ruler_left;
    const char* why;
  } drops[] = {
      {3, -20, static_cast<int>(search.right), "far left: at the search box's right edge"},
      {client.right - 3, client.right + 20, client.right - 37,
       "far right: the pane keeps 30 pixels and the 2-pixel gap"},
  };
  for (const auto& d : drops) {
    const int from = ChildRect(window_, kIdPicRuler).left;  // pointer positions are the ruler's
    auto at = [from](int x) { return MAKELPARAM(static_cast<WORD>(x - from), 5); };
    PostMessageA(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    PostMessageA(ruler, WM_MOUSEMOVE, MK_LBUTTON, at(d.over));
    PostMessageA(ruler, WM_LBUTTONUP, 0, at(d.release));
    EXPECT_TRUE(Eventually([&] { return ChildRect(window_, kIdPicRuler).left == d.ruler_left; }))
        << d.why << ": at " << ChildRect(window_, kIdPicRuler).left;
    RECT pane = ChildRect(window_, kIdTxtResult);
    EXPECT_GT(pane.left, search.right) << d.why << ": the pane leaves the search box free";
    EXPECT_LE(pane.right, client.right) << d.why << ": the pane stays in the window";
    EXPECT_EQ(ChildRect(window_, kIdLstMatches).right, d.ruler_left - 2) << d.why;
  }
  ASSERT_TRUE(Close());
  EXPECT_EQ(RegLong("Ruler"), (client.right - 37) * 15);
}

// Tab and Shift+Tab go round the search box, the list and the pane, from the read-only pane
// too; Enter there still searches again.
TEST_F(ProgramTest, TabAndShiftTabGoRoundTheControls) {
  SetRegText("LastSearch", "2035");
  Start();
  HWND search = Child(window_, kIdTxtSearch);
  HWND list = Child(window_, kIdLstMatches);
  HWND pane = Child(window_, kIdTxtResult);
  ASSERT_TRUE(Eventually([&] { return Focused(window_) == search; }));
  const std::string shown = PaneText(window_);
  const struct {
    bool shift;
    HWND to;
    const char* why;
  } steps[] = {
      {false, list, "Tab: search box to list"},
      {false, pane, "Tab: list to pane"},
      {false, search, "Tab: from the read-only pane round to the search box"},
      {true, pane, "Shift+Tab: search box to pane"},
      {true, list, "Shift+Tab: pane to list"},
      {false, pane, "Tab: list to pane again"},
  };
  for (const auto& step : steps) {
    PressKey(window_, VK_TAB, step.shift);
    EXPECT_TRUE(Eventually([&] { return Focused(window_) == step.to; }, 3000)) << step.why;
  }
  EXPECT_EQ(PaneText(window_), shown) << "no tab typed into the pane";
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  PressKey(window_, VK_RETURN);
  EXPECT_TRUE(Eventually([&] { return ListSelection(window_) == 1; }))
      << "Enter in the pane searches again and selects the match";
  EXPECT_EQ(ListLines(window_).size(), 2u);
}

// A stored placement whose title bar lies above every screen opens with it on the screen, and
// the close writes that back.
TEST_F(ProgramTest, APlacementWithTheTitleBarOffEveryScreenIsBroughtBack) {
  SetRegText("MainWindow", "0,-6600,9600,7200");
  Start();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor));
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.top, monitor.rcWork.top);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
  ASSERT_TRUE(Close());
  EXPECT_EQ(RegText("MainWindow"), "0," + std::to_string(monitor.rcWork.top * 15) + ",9600,7200");
}

class MaintenanceTest : public ProgramTest {
 protected:
  // maint.exe, a copy of the program under another lower-case name, beside tavlo.exe and the
  // small description set as tavlodata-text.o; started there, its maintenance window open.
  void SetUp() override {
    ProgramTest::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tavlo-maint-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    std::string dist = WindowsPath(TAVLO_DIST_EXE);
    ASSERT_TRUE(CopyFileA(dist.c_str(), (folder_ + "\\tavlo.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(dist.c_str(), (folder_ + "\\maint.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(TAVLO_FIXTURES "\\small.txt", (folder_ + "\\tavlodata-text.o").c_str(), FALSE));
    Start(folder_ + "\\maint.exe", folder_.c_str());

    PressMaintenanceKey(window_);
    ASSERT_TRUE(Eventually([&] {
      make_ = FindWindowA("TavloMake", "Make Binary Resource");
      return make_ != nullptr && IsWindowVisible(make_);
    }));
  }
  void TearDown() override {
    ProgramTest::TearDown();
    for (const char* name : {"tavlo.exe", "maint.exe", "tavlodata-text.o"})
      DeleteFileA((folder_ + "\\" + name).c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string folder_;
  HWND make_ = nullptr;
};

// The copy builds into tavlo.exe in its folder, then reloads from it.
TEST_F(MaintenanceTest, TheMaintenanceKeyMakesAndDumpsTavloExeBesideACopy) {
  const std::string& folder = folder_;
  HWND make = make_;
  EXPECT_EQ(Text(GetDlgItem(make, kFrmMakeDataDirId)), folder) << "the current directory";
  SendMessageA(GetDlgItem(make, kFrmMakeMakeId), BM_CLICK, 0, 0);
  std::string log = Text(GetDlgItem(make, kFrmMakeLogId));
  EXPECT_NE(log.find("Binary Resource File: " + folder + "\\tavlo.exe\r\n"), std::string::npos)
      << log;
  EXPECT_NE(log.find("BinResClose OK\r\n"), std::string::npos) << log;
  SendMessageA(GetDlgItem(make, kFrmMakeDumpId), BM_CLICK, 0, 0);
  log = Text(GetDlgItem(make, kFrmMakeLogId));
  EXPECT_NE(log.find("\r\nKeyCnt=7\r\n"), std::string::npos) << log;
  SendMessageA(GetDlgItem(make, kFrmMakeCloseId), BM_CLICK, 0, 0);

  // Reloaded from the new tavlo.exe: the small set's codes only.
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(window_) != FALSE; }));
  TypeSearch(window_, "KXRC_T");
  EXPECT_EQ(ListLines(window_).size(), 2u);
  ASSERT_TRUE(Close());
  EXPECT_EQ(RegText("Make.DataFile"), "tavlodata-text.o") << "frmMake saved on the way out";
}

// A close of the main window while a Make runs waits for the Make, then closes both windows.
TEST_F(MaintenanceTest, ACloseDuringAMakeWaitsForIt) {
  WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
  GetFileAttributesExA((folder_ + "\\tavlo.exe").c_str(), GetFileExInfoStandard, &before);
  Sleep(20);
  PostMessageA(GetDlgItem(make_, kFrmMakeMakeId), BM_CLICK, 0, 0);
  PostMessageA(window_, WM_CLOSE, 0, 0);  // reaches the program while the Make runs
  window_ = nullptr;
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(process_.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(RegText("Make.DataFile"), "tavlodata-text.o") << "frmMake saved";
  GetFileAttributesExA((folder_ + "\\tavlo.exe").c_str(), GetFileExInfoStandard, &after);
  EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), -1)
      << "the Make ended and put its build in place before the program closed";
}

// A Make whose container the load would refuse leaves tavlo.exe byte for byte as it was and
// says why; the same set saved with a byte-order mark is made and put in place.
TEST_F(MaintenanceTest, AMakeTheLoadWouldRefuseLeavesTavloExeAsItWas) {
  const std::string exe = folder_ + "\\tavlo.exe";
  const std::string data = folder_ + "\\tavlodata-text.o";
  const std::string before = FileBytes(exe);
  std::string random(200000, '\0');
  std::mt19937 bytes(26);
  for (char& c : random)
    c = static_cast<char>(bytes());
  const struct {
    std::string bytes;
    const char* why;
  } cases[] = {
      {"", "an empty data file"},
      {random, "200,000 random bytes"},
      {"[0,KXCC_OK]\nok\n[end]\n", "no version section"},
      {"[DI1,Version]\nv\n[0,KXCC_OK]\n" + std::string(40000, 'x') + "\n[end]\n",
       "a record longer than the load reads"},
  };
  HWND log_control = GetDlgItem(make_, kFrmMakeLogId);
  for (const auto& c : cases) {
    WriteBytes(data, c.bytes);
    SendMessageA(GetDlgItem(make_, kFrmMakeMakeId), BM_CLICK, 0, 0);
    std::string log = Text(log_control);
    EXPECT_NE(log.find("Binary Resource Error: Not put in place: "), std::string::npos)
        << c.why << "\n"
        << log;
    EXPECT_TRUE(FileBytes(exe) == before) << c.why << ": tavlo.exe changed";
  }
  WriteBytes(data, "\xEF\xBB\xBF" + FileBytes(TAVLO_FIXTURES "\\small.txt"));
  SendMessageA(GetDlgItem(make_, kFrmMakeMakeId), BM_CLICK, 0, 0);
  std::string log = Text(log_control);
  EXPECT_EQ(log.find("Not put in place"), std::string::npos) << log;
  EXPECT_NE(log.find("21 records, 7 codes in data file.\r\n"), std::string::npos) << log;
  SendMessageA(GetDlgItem(make_, kFrmMakeCloseId), BM_CLICK, 0, 0);
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(window_) != FALSE; }));
  TypeSearch(window_, "KXRC_T");
  EXPECT_EQ(ListLines(window_).size(), 2u) << "reloaded from the set made with the mark";
}

}  // namespace
