// Under Wine: the real program, driven from this process through its controls (the lists and
// descriptions of a few searches, the keyboard in the list, Enter, a resize that would shrink
// the pane under 30 pixels), and the load's Windows file operations. The logic itself is tested
// natively.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/app.h"
#include "code/code.h"
#include "support/apropos_golden.h"
#include "support/drive_win.h"
#include "support/fake_view.h"
#include "win/mainwin_win.h"
#include "mainwin/mainwin.h"

namespace {

RECT ChildRect(HWND window, int id) {
  RECT r{};
  HWND child = Child(window, id);
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class TavloProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A cache folder of the tests' own, so that the first start also makes the cache.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Of this test program's own: CTest runs the tests side by side.
    cache_dir_ = std::string(temp) + "tavlo-mainwin-wine-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(cache_dir_.c_str(), nullptr);
    DeleteFileA((cache_dir_ + "\\tavlo_cache.tmp").c_str());
    _putenv_s("TMP", cache_dir_.c_str());
    // A first run: no preferences from an earlier start.
    RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);

    ASSERT_TRUE(tavlo_.Start(WindowsPath(TAVLO_DIST_EXE))) << "no main window";
    window_ = tavlo_.window;
  }
  static void TearDownTestSuite() {
    tavlo_.End();
    DeleteFileA((cache_dir_ + "\\tavlo_cache.tmp").c_str());
    RemoveDirectoryA(cache_dir_.c_str());
  }
  void SetUp() override {
    ASSERT_NE(window_, nullptr);
  }

  static RunningTavlo tavlo_;
  static HWND window_;
  static std::string cache_dir_;
};

RunningTavlo TavloProgram::tavlo_;
HWND TavloProgram::window_ = nullptr;
std::string TavloProgram::cache_dir_;

// Runs first (the tests run in order): the start-up's empty search, and the cache it made.
TEST_F(TavloProgram, StartsWithThePrompt) {
  EXPECT_TRUE(ListLines(window_).empty());
  EXPECT_EQ(PaneText(window_),
            "Please enter a Completion Code, Reason Code or\r\npart of a Symbolic Name to search.");
  EXPECT_NE(GetFileAttributesA((cache_dir_ + "\\tavlo_cache.tmp").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(TavloProgram, TypingListsAndShows) {
  struct Case {
    const char* text;
    std::size_t lines;
    const char* first;
    const char* last;
    const char* pane_start;
  };
  const Case cases[] = {
      {"2035", 2, " One match:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED",
       "Reason Code \t2035\tx'7F3'\r\nKXRC_NOT_AUTHORIZED\r\n\r\nThe authorization service refused "
       "the request"},
      {"9", 61, " 60 partial matches:", "999\tx3E7\tKXRC_APPL_LAST",
       "Reason Code \t2304\tx'900'\r\nKXRC_SELECTOR_OUT_OF_RANGE\r\n"},
      {"-1", 2, " One match:", "-1\txFFFFFFFF\tKXCC_UNKNOWN", "Completion Code \t-1\tx'FFFFFFFF'"},
      {"e7", 1, "No match on 'E7'.", "No match on 'E7'.", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TypeSearch(window_, c.text);
    std::vector<std::string> lines = ListLines(window_);
    ASSERT_EQ(lines.size(), c.lines);
    EXPECT_EQ(lines.front(), c.first);
    EXPECT_EQ(lines.back(), c.last);
    EXPECT_EQ(ListSelection(window_), c.lines > 1 ? 1 : -1);
    EXPECT_EQ(PaneText(window_).substr(0, std::string(c.pane_start).size()), c.pane_start);
  }
}

TEST_F(TavloProgram, ArrowKeysShowEachDescriptionAndEnterSearchesAgain) {
  TypeSearch(window_, "2192");
  std::string first = PaneText(window_);
  HWND list = Child(window_, kIdLstMatches);
  PostMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(list, WM_KEYUP, VK_DOWN, 0xC0000001);
  ASSERT_TRUE(Eventually([&] { return ListSelection(window_) == 2; }));
  EXPECT_NE(PaneText(window_).find("\r\nKXRC_STORE_FULL\r\n"), std::string::npos);

  // Enter, posted to the list, reaches the window: the same list again, its first match shown.
  PostMessageA(list, WM_CHAR, 13, 1);
  ASSERT_TRUE(Eventually([&] { return ListSelection(window_) == 1; }));
  EXPECT_EQ(PaneText(window_), first);
  EXPECT_EQ(ListLines(window_).size(), 3u);
}

// Find by Words with its real shortcut: the codes that tavlo-apropos prints for the same words,
// in its order, the first one's description shown; typing searches as before.
TEST_F(TavloProgram, CtrlShiftFFindsByWordsAsTavloAproposDoes) {
  const std::vector<std::string> expected =
      AproposGoldenLines(WindowsPath(TAVLO_APROPOS_GOLDEN "/queue_full.txt"));
  ASSERT_EQ(expected.size(), 16u);
  TypeSearch(window_, "queue full");
  ASSERT_EQ(ListLines(window_), std::vector<std::string>{"No match on 'QUEUE FULL'."});
  PressKeys(window_, {VK_CONTROL, VK_SHIFT, 'F'});
  ASSERT_TRUE(Eventually([&] { return ListLines(window_).size() == 17; }));
  std::vector<std::string> lines = ListLines(window_);
  EXPECT_EQ(lines[0], " 16 matches on descriptions:");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);
  EXPECT_EQ(ListSelection(window_), 1);
  const std::string shown = "Reason Code \t2053\tx'805'\r\nKXRC_Q_FULL\r\n";
  EXPECT_EQ(PaneText(window_).substr(0, shown.size()), shown);

  TypeSearch(window_, "2035");
  EXPECT_EQ(ListLines(window_),
            (std::vector<std::string>{" One match:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED"}));
}

TEST_F(TavloProgram, ResizeKeepsThePaneAboveThirtyPixels) {
  RECT pane = ChildRect(window_, kIdTxtResult);
  RECT list = ChildRect(window_, kIdLstMatches);
  RECT ruler = ChildRect(window_, kIdPicRuler);
  EXPECT_EQ(ruler.left, list.right + 2);  // the first run's ruler, 2 pixels right of the list
  EXPECT_EQ(pane.left, ruler.right + 2);
  RECT inner{};
  GetClientRect(window_, &inner);
  EXPECT_EQ(pane.right, inner.right);  // stretched to the window

  // An inner width 20 pixels past the pane's left edge: the pane keeps its width.
  RECT outer{0, 0, pane.left + 20, inner.bottom};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  RECT narrow = ChildRect(window_, kIdTxtResult);
  EXPECT_EQ(narrow.right - narrow.left, pane.right - pane.left);
  EXPECT_EQ(ChildRect(window_, kIdLstMatches).right, list.right);

  // Wider again: the pane follows, the list keeps its width and the ruler its place.
  outer = RECT{0, 0, inner.right + 100, inner.bottom + 50};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(window_, &inner);
  RECT wide = ChildRect(window_, kIdTxtResult);
  EXPECT_EQ(wide.right, inner.right);
  EXPECT_EQ(ChildRect(window_, kIdLstMatches).right, list.right);
  EXPECT_EQ(ChildRect(window_, kIdPicRuler).left, ruler.left);
  EXPECT_EQ(ChildRect(window_, kIdPicRuler).bottom, ChildRect(window_, kIdLstMatches).bottom);
}

}  // namespace

// The load's Windows file operations, in this process with a recording window: the system's
// error numbers and texts, and a cache that another program holds open.
class WindowsLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "tavlo-mainwin-load-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir_.c_str(), nullptr);
    ResourceFile = dir_ + "\\tavlo.exe";
    CacheFile = dir_ + "\\tavlo_cache.tmp";
    DeleteFileA(CacheFile.c_str());
    ASSERT_TRUE(CopyFileA(WindowsPath(TAVLO_DIST_EXE).c_str(), ResourceFile.c_str(), FALSE));
  }
  void TearDown() override {
    DeleteFileA(CacheFile.c_str());
    DeleteFileA(ResourceFile.c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  static std::string SystemText(DWORD error) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string out = text;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
      out.pop_back();
    return out;
  }

  std::string dir_;
  FakeMainView view_;
  MainWindow window_{view_};
};

TEST_F(WindowsLoad, FailuresCarryTheSystemsNumbers) {
  struct Case {
    const char* name;
    std::string resource, cache, file;
    DWORD error;
  };
  const Case cases[] = {
      {"no program file", dir_ + "\\none.exe", dir_ + "\\tavlo_cache.tmp", dir_ + "\\none.exe",
       ERROR_FILE_NOT_FOUND},
      // A cache folder that does not exist: the cache counts as missing, the copy fails.
      {"no cache folder", dir_ + "\\tavlo.exe", dir_ + "\\none\\tavlo_cache.tmp",
       dir_ + "\\none\\tavlo_cache.tmp", ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResourceFile = c.resource;
    CacheFile = c.cache;
    window_.LoadBinaryResource();
    EXPECT_EQ(view_.result, "File: " + c.file + "\r\nRuntime Error " + std::to_string(c.error) +
                                ": " + SystemText(c.error));
    EXPECT_EQ(RecordCount, 0);
  }
}

TEST_F(WindowsLoad, ACacheHeldOpenIsLeftAloneAndAnOwnCopyRead) {
  FILE* held = std::fopen(CacheFile.c_str(), "wb");
  ASSERT_NE(held, nullptr);
  std::fputs("old", held);
  std::fflush(held);
  window_.LoadBinaryResource();
  std::fclose(held);
  EXPECT_EQ(RecordCount, 350) << view_.result;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(CacheFile.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 3u);
  // This run's own copy is gone again.
  std::string own = CacheFile + "." + std::to_string(GetCurrentProcessId()) + ".new";
  EXPECT_EQ(GetFileAttributesA(own.c_str()), INVALID_FILE_ATTRIBUTES);
  // Free again, the next load puts the fresh cache in place.
  window_.LoadBinaryResource();
  ASSERT_TRUE(GetFileAttributesExA(CacheFile.c_str(), GetFileExInfoStandard, &data));
  EXPECT_GT(data.nFileSizeLow, 3u);
}
