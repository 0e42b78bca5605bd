// The Win32 layer under Wine: Main and the main window, the window adapter of the placement
// operations, and placement kept in the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <random>
#include <string>

#include "code/code.h"
#include "base/app.h"
#include "win/code_win.h"
#include "win/mainwin_win.h"
#include "base/msgbox.h"
#include "regc/regc.h"
#include "regc/regc_registry_win.h"
#include "win/regc_window_win.h"

namespace {

int RefuseBox(const std::string& prompt, unsigned, const std::string& title) {
  ADD_FAILURE() << "unexpected box " << title << ": " << prompt;
  return kMsgBoxIdOk;
}

// Runs the window messages that are waiting, and drops the quit message that closing the main
// window posts.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT)
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class WinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallMsgBox(RefuseBox);
    RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);  // each test starts as a first run
  }
  void TearDown() override {
    if (frmMainWindow() != nullptr)
      DestroyWindow(frmMainWindow());
    Pump();
    InstallMsgBox(nullptr);
  }
};

std::string Folder(const std::string& path) {
  return path.substr(0, path.rfind('\\'));
}

TEST_F(WinTest, MainSetsThePathsAndShowsTheMainWindow) {
  _putenv_s("TMP", "C:\\tavlo-test-tmp");
  Main();
  char own[MAX_PATH];
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  // This program's name, test_win, has no capital: it reads tavlo.exe in its own folder.
  EXPECT_EQ(LowerCaseName, kTrue);
  EXPECT_EQ(ResourceFile, Folder(own) + "\\tavlo.exe");
  EXPECT_EQ(CacheFile, "C:\\tavlo-test-tmp\\tavlo_cache.tmp");
  EXPECT_EQ(MakeWindowLoaded, kFalse);
  EXPECT_GT(TwipsPerPixelX, 0.0f);

  HWND window = frmMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "tavlo");
  RECT inner{};
  GetClientRect(window, &inner);
  EXPECT_EQ(inner.right, static_cast<LONG>(kFrmMainInnerWidthTwips / TwipsPerPixelX + 0.5f));
  EXPECT_EQ(inner.bottom, static_cast<LONG>(kFrmMainInnerHeightTwips / TwipsPerPixelY + 0.5f));

  DestroyWindow(window);
  EXPECT_EQ(frmMainWindow(), nullptr);
}

TEST_F(WinTest, WindowAdapterWorksInTwips) {
  HWND window = frmMainShow();
  ASSERT_NE(window, nullptr);
  RegcViewWin32 adapter(window, 15, 15);
  adapter.Move(RegcRect{1200, 900, 9600, 7200});
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 80);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
  RegcRect p = adapter.Placement();
  EXPECT_EQ(p.left, 1200);
  EXPECT_EQ(p.top, 900);
  EXPECT_EQ(p.width, 9600);
  EXPECT_EQ(p.height, 7200);
  EXPECT_EQ(adapter.State(), RegcWindowState::kNormal);

  RegcRect desktop = adapter.VisibleDesktop();
  EXPECT_EQ(desktop.width, 15.0f * GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_GT(desktop.height, 0.0f);

  ShowWindow(window, SW_MINIMIZE);
  Pump();
  EXPECT_EQ(adapter.State(), RegcWindowState::kMinimised);
  ShowWindow(window, SW_RESTORE);
  ShowWindow(window, SW_MAXIMIZE);
  Pump();
  EXPECT_EQ(adapter.State(), RegcWindowState::kMaximised);
}

// Save, move away, restore, through the registry itself.
TEST_F(WinTest, PlacementRoundTripsThroughTheRegistry) {
  InstallSettingsStore(&RegcRegistryStore());
  std::string path = "Software\\tavlo-tests\\win-" + std::to_string(std::random_device{}());
  HWND window = frmMainShow();
  ASSERT_NE(window, nullptr);
  RegcViewWin32 adapter(window, 15, 15);
  adapter.Move(RegcRect{1200, 900, 6000, 4500});

  uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, path);
  ASSERT_NE(key, 0u);
  RegcSaveWindow(key, "MainWindow", adapter);
  EXPECT_EQ(RegcQueryValue(key, "MainWindow", ""), "1200,900,6000,4500");

  adapter.Move(RegcRect{300, 300, 3000, 3000});
  RegcRestoreWindow(key, "MainWindow", adapter);
  RegcRect p = adapter.Placement();
  EXPECT_EQ(p.left, 1200);
  EXPECT_EQ(p.width, 6000);

  // A placement from a far larger screen: the window stays where the user can reach it.
  RegcWriteValueString(key, "MainWindow", "900000,900000,6000,4500");
  RegcRestoreWindow(key, "MainWindow", adapter);
  EXPECT_EQ(adapter.Placement().left, 1200);

  RegcClose(key);
  RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\tavlo-tests");
  InstallSettingsStore(nullptr);
}

// A key the module creates carries the class text "REG_DWORD".
TEST_F(WinTest, ACreatedKeyCarriesItsClassText) {
  InstallSettingsStore(&RegcRegistryStore());
  std::string top = "Software\\tavlo-tests\\class-" + std::to_string(std::random_device{}());
  uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, top + "\\Inner");
  ASSERT_NE(key, 0u);
  RegcClose(key);
  HKEY opened = nullptr;
  std::string leaf = top + "\\Inner";
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, leaf.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
  char key_class[64] = {};
  DWORD size = sizeof key_class;
  EXPECT_EQ(RegQueryInfoKeyA(opened, key_class, &size, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_STREQ(key_class, "REG_DWORD");
  RegCloseKey(opened);
  RegDeleteTreeA(HKEY_CURRENT_USER, top.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\tavlo-tests");
  InstallSettingsStore(nullptr);
}

}  // namespace
