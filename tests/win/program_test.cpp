// The real program under Wine, started as its own process and driven from here: its
// preferences in the registry across two starts and a log-off, the Help menu, the ruler dragged
// with the mouse, and the maintenance key in a copy under another lower-case name.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
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

}  // namespace
