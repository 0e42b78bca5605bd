// frmMake, the real window under Wine: its buttons make and dump a container, its settings go
// to the registry when it is unloaded and come back at its next loading.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "code/code.h"
#include "win/makewin_win.h"
#include "win/menus_win.h"
#include "base/msgbox.h"
#include "base/app.h"
#include "regc/regc.h"

namespace {

int RefuseBox(const std::string& prompt, unsigned, const std::string& title) {
  ADD_FAILURE() << "unexpected box " << title << ": " << prompt;
  return kMsgBoxIdOk;
}

std::function<void()> pending_steps;

// Runs the test's steps from inside the modal showing.
void CALLBACK RunSteps(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto steps = std::move(pending_steps);
  pending_steps = nullptr;
  steps();
}

void ShowModalAndDo(HWND owner, std::function<void()> steps) {
  pending_steps = std::move(steps);
  SetTimer(nullptr, 0, 10, RunSteps);
  frmMakeShowModal(owner);
}

std::string Text(int id) {
  char text[8192] = {};
  GetWindowTextA(GetDlgItem(frmMakeWindow(), id), text, sizeof text);
  return text;
}

void SetText(int id, const std::string& text) {
  SetWindowTextA(GetDlgItem(frmMakeWindow(), id), text.c_str());
}

void Click(int id) {
  SendMessageA(GetDlgItem(frmMakeWindow(), id), BM_CLICK, 0, 0);
}

class MakeWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallMsgBox(RefuseBox);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tavlo-make-" + std::to_string(std::random_device()());
    CreateDirectoryA(folder_.c_str(), nullptr);
    ResourceFile = folder_ + "\\tavlo.exe";
    ASSERT_TRUE(CopyFileA(TAVLO_FIXTURES "\\host.bin", ResourceFile.c_str(), FALSE));
    uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, kPrefsKey);  // as frmMain does
    RegcClose(key);
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    frmMakeUnload();
    DestroyWindow(owner_);
    DeleteFileA(ResourceFile.c_str());
    RemoveDirectoryA(folder_.c_str());
    InstallMsgBox(nullptr);
  }

  std::string folder_;
  HWND owner_ = nullptr;
};

TEST_F(MakeWinTest, TheButtonsMakeAndDumpAndCloseHides) {
  std::string make_log, dump_log;
  bool log_focused = false, owner_disabled = false;
  ShowModalAndDo(owner_, [&] {
    EXPECT_EQ(Text(kFrmMakeLogId), "Ready.");
    owner_disabled = !IsWindowEnabled(owner_);
    SetText(kFrmMakeDataDirId, TAVLO_FIXTURES);
    SetText(kFrmMakeDataFileId, "small.txt");
    Click(kFrmMakeMakeId);
    make_log = Text(kFrmMakeLogId);
    Click(kFrmMakeDumpId);
    dump_log = Text(kFrmMakeLogId);
    log_focused = GetFocus() == GetDlgItem(frmMakeWindow(), kFrmMakeLogId);
    Click(kFrmMakeCloseId);
  });
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_NE(make_log.find("21 records, 7 codes in data file.\r\n"), std::string::npos) << make_log;
  EXPECT_NE(make_log.find("BinResClose OK\r\n"), std::string::npos) << make_log;
  EXPECT_EQ(dump_log.rfind("Binary Resource File: " + ResourceFile + "\r\n", 0), 0u) << dump_log;
  EXPECT_NE(dump_log.find("\r\nKeyCnt=7\r\n"), std::string::npos) << dump_log;
  EXPECT_TRUE(log_focused);
  EXPECT_TRUE(frmMakeLoaded()) << "Close only hides it";
  EXPECT_FALSE(IsWindowVisible(frmMakeWindow()));
}

TEST_F(MakeWinTest, ClosingFromTheTitleBarUnloadsAndSavesTheSettings) {
  ShowModalAndDo(owner_, [&] {
    SetText(kFrmMakeDataDirId, "C:\\data");
    SetText(kFrmMakeDataFileId, "codes.txt");
    SendMessageA(frmMakeWindow(), WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(frmMakeLoaded());
  EXPECT_EQ(MakeWindowLoaded, kFalse);
  std::string dir, file;
  ShowModalAndDo(owner_, [&] {
    dir = Text(kFrmMakeDataDirId);
    file = Text(kFrmMakeDataFileId);
    Click(kFrmMakeCloseId);
  });
  EXPECT_EQ(dir, "C:\\data");
  EXPECT_EQ(file, "codes.txt");
  EXPECT_EQ(MakeWindowLoaded, kTrue);
}

TEST(Menus, EachItemShowsItsShortcutAfterATab) {
  HMENU bar = frmMainMenuBar();
  const struct {
    int menu;
    int id;
    const char* caption;
  } cases[] = {
      {0, kMnuFileExit, "E&xit...\tF3"},
      {1, kMnuHelpVersion, "&Version..."},
      {1, kMnuHelpUsing, "&Using TAVLO...\tF1"},
  };
  char text[64];
  GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&File");
  GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Help");
  for (const auto& c : cases) {
    GetMenuStringA(GetSubMenu(bar, c.menu), c.id, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, c.caption);
  }
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), static_cast<UINT>(kMnuHelpVersion));
  DestroyMenu(bar);
}

// Find by Words stands first, set off by a separator; the printing items and Exit keep their
// order below it, and no two items share a mnemonic.
TEST(Menus, FindByWordsStandsAboveThePrintingItems) {
  HMENU bar = frmMainMenuBar();
  HMENU file = GetSubMenu(bar, 0);
  const struct {
    int id;  // 0: a separator
    const char* caption;
  } items[] = {
      {kMnuFileFindWords, "Find by &Words...\tCtrl+Shift+F"},
      {0, ""},
      {kMnuFilePrintList, "&Print Matched List\tCtrl+P"},
      {kMnuFilePrintDescription, "Print &Description\tF4"},
      {kMnuFilePrinterFont, "Printer &Font...\tCtrl+F"},
      {kMnuFileExit, "E&xit...\tF3"},
  };
  ASSERT_EQ(GetMenuItemCount(file), 6);
  std::string mnemonics;
  for (int i = 0; i < 6; ++i) {
    char text[64] = "";
    GetMenuStringA(file, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(GetMenuItemID(file, i), static_cast<UINT>(items[i].id)) << i;
    EXPECT_STREQ(text, items[i].caption) << i;
    EXPECT_EQ((GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0,
              items[i].id == 0)
        << i;
    const char* amp = std::strchr(text, '&');
    if (amp != nullptr) {
      const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(amp[1])));
      EXPECT_EQ(mnemonics.find(key), std::string::npos) << text;
      mnemonics += key;
    }
  }
  DestroyMenu(bar);
}

}  // namespace
