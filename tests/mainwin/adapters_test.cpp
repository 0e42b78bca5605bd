// frmMain's start and close with its preferences, its Help commands, the maintenance key and
// the ruler, over the window's real logic with a recording window and the file-backed store.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "code/code.h"
#include "support/globals.h"
#include "support/fake_view.h"
#include "mainwin/mainwin_adapters.h"
#include "mainwin/mainwin_store.h"
#include "resbuild/resbuild.h"
#include "support/settings_env.h"

namespace {

const std::string kFixtures = TAVLO_RESBUILD_FIXTURES;

class FrmMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobalState();
    ResourceFile = (env_.folder() / "tavlo.exe").string();
    CacheFile = (env_.folder() / "tavlo_cache.tmp").string();
    std::filesystem::copy_file(kFixtures + "/host.bin", ResourceFile);
    bool built = false;
    MakeBinaryResource(ResourceFile, kFixtures + "/small.txt", {}, nullptr, &built);
    ASSERT_TRUE(built);
  }

  SettingsEnv env_;
  FakeMainView view_;
  MainWindow main_{view_};
  FakeRegcView frame_{RegcRect{0, 0, 10755, 6870}};
  int make_unloads_ = 0;
  FrmMainPrefs prefs_{main_, frame_, [this] { ++make_unloads_; }};
};

TEST_F(FrmMainTest, TheLastSearchIsSearchedAndSelectedAtStart) {
  PrefStore("LastSearch", "9");
  PrefsFormLoad(prefs_);
  EXPECT_EQ(RecordCount, 7);
  EXPECT_EQ(view_.search, "9");
  EXPECT_EQ(view_.ListTexts().size(), 3u) << "the heading, 9 and 900";
  EXPECT_EQ(view_.calls.back(), "select-search");
  EXPECT_TRUE(SettingsEnv::Boxes().empty());
}

TEST_F(FrmMainTest, DebugOneTimesTheLoadAndEverySearchAndIsWrittenBack) {
  PrefStore("Debug", 1);
  PrefStore("LastSearch", "9");
  PrefsFormLoad(prefs_);
  view_.search = "10";
  main_.txtSearch_Change();
  ASSERT_EQ(SettingsEnv::Boxes().size(), 3u);
  EXPECT_EQ(SettingsEnv::Boxes()[0].rfind("Debug: LoadBinaryResource took ", 0), 0u);
  EXPECT_EQ(SettingsEnv::Boxes()[1].rfind("tavlo: Debug: Search took ", 0), 0u);
  EXPECT_EQ(SettingsEnv::Boxes()[2].rfind("tavlo: Debug: Search took ", 0), 0u);
  PrefsFormUnload(prefs_);
  EXPECT_EQ(PrefLong("Debug"), 1);
}

TEST_F(FrmMainTest, TheRulerDraggedAndDroppedIsWhatTheNextStartRestores) {
  PrefStore("Ruler", 3000);
  PrefsFormLoad(prefs_);
  EXPECT_EQ(view_.placed[int(MainControl::kLstMatches)].width, 2970);
  EXPECT_EQ(view_.placed[int(MainControl::kTxtResult)].left, 3000 + 75 + 30);

  lstMatches_DragOver(main_, 4000);
  EXPECT_EQ(view_.placed[int(MainControl::kLstMatches)].width, 3970);
  EXPECT_EQ(view_.placed[int(MainControl::kPicRuler)].left, 3000) << "not moved before the drop";
  Form_DragDrop(main_);
  EXPECT_EQ(view_.placed[int(MainControl::kPicRuler)].left, 4000);
  PrefsFormUnload(prefs_);
  EXPECT_EQ(PrefLong("Ruler"), 4000);
  EXPECT_EQ(make_unloads_, 0);
}

TEST_F(FrmMainTest, HelpAndVersionShowTheirTextsAndClearTheSelection) {
  PrefStore("LastSearch", "KXCC");
  PrefsFormLoad(prefs_);
  ASSERT_GE(view_.selected, 0);
  FrmMainAbout about(main_);
  mnuHelpUsing_Click(about);
  EXPECT_EQ(view_.result, AboutHelpText());
  EXPECT_EQ(view_.selected, -1);
  EXPECT_EQ(view_.ListTexts().size(), 5u) << "the list stays";

  AboutVersionInfo info{"tavlo", 2, 7, 1, "3 March 2002", "Copyright"};
  mnuHelpVersion_Click(about, info, VersionText);
  const std::string first = view_.result;
  EXPECT_NE(first.find("\r\n\r\nTavlo test description set, edition 1: a version line"),
            std::string::npos);
  EXPECT_EQ(first.find('~'), std::string::npos);
  mnuHelpVersion_Click(about, info, VersionText);
  EXPECT_EQ(view_.result, first);
  EXPECT_EQ(view_.calls.back(), "focus-search");
}

TEST_F(FrmMainTest, TheMaintenanceKeyReloadsAndSearchesAgain) {
  PrefStore("LastSearch", "KXRC_TEN");
  PrefsFormLoad(prefs_);
  int shown = 0;
  FrmMainMake host(main_, [&] {
    ++shown;
    view_.items.clear();
    return true;
  });
  MakeMaintenanceKey(host);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(MakeWindowLoaded, kTrue);
  EXPECT_EQ(view_.ListTexts().size(), 2u) << "searched again after the reload";
  PrefsFormUnload(prefs_);
  EXPECT_EQ(make_unloads_, 1);
}

}  // namespace
