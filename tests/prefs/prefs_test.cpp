// The main window's preferences over the file-backed settings store: what Form_Load reads and
// in which order it sets the window up, what Form_Unload writes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "code/code.h"
#include "prefs/prefs.h"
#include "printfont/printfont.h"
#include "support/globals.h"
#include "support/settings_env.h"

namespace {

class FakeMain final : public PrefsView {
 public:
  FakeRegcView frame{RegcRect{600, 450, 10755, 6870}};
  RulerLayout panes{0, 0, 4695, 5100, 75, 5520, 2415, 2880};
  std::string search;
  std::vector<std::string> calls;

  void SetCaption(const std::string& caption) override {
    calls.push_back("caption " + caption);
  }
  RegcView& Frame() override {
    return frame;
  }
  RulerLayout Panes() const override {
    RulerLayout p = panes;
    p.inner_width = frame.placement.width - 240;  // less the frame
    return p;
  }
  void SetPanes(const RulerLayout& p) override {
    panes = p;
    calls.push_back("panes");
  }
  void RulerToBack() override {
    calls.push_back("ruler to back");
  }
  void LoadBinaryResource() override {
    calls.push_back("load");
  }
  void SetListTabStops() override {
    calls.push_back("tab stops");
  }
  std::string SearchText() const override {
    return search;
  }
  void SetSearchText(const std::string& text) override {
    search = text;
    calls.push_back("search " + text);
  }
  void SelectSearchText() override {
    calls.push_back("select");
  }
  void UnloadMakeWindow() override {
    calls.push_back("unload frmMake");
  }
};

class PrefsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobalState();
  }

  SettingsEnv env_;
  FakeMain main_;
};

TEST_F(PrefsTest, FirstRunCreatesTheKeyAndOpensWithDefaults) {
  PrefsFormLoad(main_);
  EXPECT_EQ(main_.calls, (std::vector<std::string>{"caption tavlo", "panes", "ruler to back",
                                                   "load", "tab stops", "search ", "select"}));
  uint32_t key = RegcOpenRead(kRegcCurrentUser, kPrefsKey);
  EXPECT_NE(key, 0u) << "the key exists after the first load";
  RegcClose(key);
  EXPECT_EQ(PrefText("LastSearch"), "(none)") << "nothing is written until the window closes";
  EXPECT_EQ(main_.frame.moves, 0);
  EXPECT_EQ(DebugMode, 0);
  EXPECT_EQ(PrinterFontChoice, kPrinterFontDefault);
  EXPECT_EQ(main_.panes.ruler_left, 4695 + 30);  // two pixels right of the list
  EXPECT_EQ(main_.panes.pane_left, 4695 + 30 + 75 + 30);
  EXPECT_EQ(main_.panes.list_width, 4695);
  EXPECT_TRUE(SettingsEnv::Boxes().empty());
}

TEST_F(PrefsTest, ACloseWritesEveryValueAndTheNextLoadRestoresThem) {
  PrefsFormLoad(main_);  // creates the key
  main_.calls.clear();
  MakeWindowLoaded = kTrue;
  main_.search = "2035";
  main_.panes.ruler_left = 3000.5f;  // a half goes to the even neighbour
  main_.frame.placement = {1200, 900, 9600, 7200};
  PrinterFontChoice = {"Courier New", 11.5f, true, true};
  PrefsFormUnload(main_);
  EXPECT_EQ(main_.calls, std::vector<std::string>{"unload frmMake"});
  EXPECT_EQ(PrefText("MainWindow"), "1200,900,9600,7200");
  EXPECT_EQ(PrefLong("Ruler"), 3000);
  EXPECT_EQ(PrefText("LastSearch"), "2035");
  EXPECT_EQ(PrefText("PrinterFontName"), "Courier New");
  EXPECT_EQ(PrefLong("PrinterFontSize"), 12);
  EXPECT_EQ(PrefLong("PrinterFontBold"), -1);
  EXPECT_EQ(PrefLong("Debug"), 0);

  FakeMain next;
  PrinterFontChoice = kPrinterFontDefault;
  PrefsFormLoad(next);
  EXPECT_EQ(next.search, "2035");
  EXPECT_EQ(next.calls.back(), "select");
  EXPECT_EQ(next.frame.placement.left, 1200);
  EXPECT_EQ(next.frame.placement.height, 7200);
  EXPECT_EQ(next.panes.ruler_left, 3000);
  EXPECT_EQ(PrinterFontChoice, (PrinterFont{"Courier New", 12, true, false}));
}

// A resize moves no ruler, so a window made narrower can leave it out of reach; the close
// stores it where the next start puts it, and that start restores exactly what was stored.
TEST_F(PrefsTest, TheRulerIsStoredWhereTheNextStartPutsIt) {
  PrefsFormLoad(main_);  // creates the key
  const struct {
    float ruler_left;
    int32_t stored;
    const char* why;
  } cases[] = {
      {3000, 3000, "within reach: where it stands"},
      {9000, 5445, "past the narrowed window: the pane's 30 pixels kept"},
      {100, 2880, "left of the search box: at its right edge"},
  };
  for (const auto& c : cases) {
    main_.frame.placement = {0, 0, 6240, 4000};  // 6000 twips inside
    main_.panes.ruler_left = c.ruler_left;
    PrefsFormUnload(main_);
    EXPECT_EQ(PrefLong("Ruler"), c.stored) << c.why;
    FakeMain next;
    PrefsFormLoad(next);
    EXPECT_EQ(next.panes.ruler_left, c.stored) << c.why;
    PrefsFormUnload(next);
    EXPECT_EQ(PrefLong("Ruler"), c.stored) << c.why << ": written back unchanged";
  }
}

TEST_F(PrefsTest, NothingIsWrittenWithoutTheKey) {
  MakeWindowLoaded = kTrue;
  PrefsFormUnload(main_);
  EXPECT_EQ(RegcOpenRead(kRegcCurrentUser, kPrefsKey), 0u);
  EXPECT_EQ(main_.calls, std::vector<std::string>{"unload frmMake"});
  EXPECT_TRUE(SettingsEnv::Boxes().empty());
}

TEST_F(PrefsTest, StoredFontSizesOutsideSixToSeventyTwoBecomeTen) {
  const struct {
    int32_t stored;
    float size;
  } cases[] = {{5, 10}, {6, 6}, {72, 72}, {73, 10}};
  for (const auto& c : cases) {
    PrefStore("PrinterFontSize", c.stored);
    FakeMain window;
    PrefsFormLoad(window);
    EXPECT_EQ(PrinterFontChoice.size, c.size) << c.stored;
  }
}

TEST_F(PrefsTest, FontSizesAreSavedRoundedHalvesToEven) {
  PrefStore("Debug", 0);  // the key exists
  const struct {
    float size;
    int32_t stored;
  } cases[] = {{10.5f, 10}, {11.5f, 12}, {9.25f, 9}};
  for (const auto& c : cases) {
    PrinterFontChoice.size = c.size;
    PrefsFormUnload(main_);
    EXPECT_EQ(PrefLong("PrinterFontSize"), c.stored) << c.size;
  }
}

TEST_F(PrefsTest, OnlyANormalWindowSavesItsPlacement) {
  PrefStore("MainWindow", "1,2,3000,4000");
  const struct {
    RegcWindowState state;
    const char* stored;
  } cases[] = {
      {RegcWindowState::kMaximised, "1,2,3000,4000"},
      {RegcWindowState::kMinimised, "1,2,3000,4000"},
      {RegcWindowState::kNormal, "1200,900,9600,7200"},
  };
  main_.frame.placement = {1200, 900, 9600, 7200};
  for (const auto& c : cases) {
    main_.frame.state = c.state;
    PrefsFormUnload(main_);
    EXPECT_EQ(PrefText("MainWindow"), c.stored);
  }
}

TEST_F(PrefsTest, StoredPlacementsThatCannotBeAppliedLeaveTheWindow) {
  const struct {
    const char* stored;
    bool moved;
    RegcRect placement;
  } cases[] = {
      {"100,100,5000,0", false, {600, 450, 10755, 6870}},      // height 0: nothing stored
      {"150,300,4500,3000,77", true, {150, 300, 4500, 3000}},  // a fifth field is ignored
      {"1200,900,9600,7200", true, {1200, 900, 9600, 7200}},
  };
  for (const auto& c : cases) {
    PrefStore("MainWindow", c.stored);
    FakeMain window;
    PrefsFormLoad(window);
    EXPECT_EQ(window.frame.moves, c.moved ? 1 : 0) << c.stored;
    EXPECT_EQ(window.frame.placement.left, c.placement.left) << c.stored;
    EXPECT_EQ(window.frame.placement.height, c.placement.height) << c.stored;
  }
}

TEST_F(PrefsTest, DebugIsHeldInSixteenBitsAndWrittenBack) {
  const struct {
    int32_t stored;
    int16_t debug;
  } cases[] = {
      {1, 1},
      {0, 0},
      {-1, -1},
      {32767, 32767},
      {70000, 32767},  // beyond 16 bits stays on rather than wrapping (70000
                       // would wrap to 4464)
      {65536, 32767},  // and never wraps to off
      {-70000, -32768},
  };
  for (const auto& c : cases) {
    PrefStore("Debug", c.stored);
    FakeMain window;
    PrefsFormLoad(window);
    EXPECT_EQ(DebugMode, c.debug) << c.stored;
    PrefsFormUnload(window);
    EXPECT_EQ(PrefLong("Debug"), c.debug) << c.stored;
  }
}

TEST_F(PrefsTest, TheRulerIsPlacedFromItsStoredEdgeWithinReach) {
  // The window restored to 6240 twips wide has 6000 inside: the pane keeps 30 pixels (450)
  // and the gap when the ruler stands at 6000 - 450 - 30 - 75 = 5445 or further left, and the
  // search box ends at 2880.
  PrefStore("MainWindow", "0,0,6240,4000");
  const struct {
    int32_t ruler;
    bool used;
    float placed;
    const char* why;
  } cases[] = {
      {3000, true, 3000, "list 2970 wide, pane 30 twips right of the ruler"},
      {2880, true, 2880, "at the search box's right edge"},
      {240, true, 2880, "under the list: moved to the search box's edge"},
      {31, true, 2880, "a 1-pixel list: moved to the search box's edge"},
      {30, false, 4725, "not more than the list's edge plus two pixels"},
      {-500, false, 4725, "left of the list"},
      {5445, true, 5445, "the pane just 30 pixels wide"},
      {5894, true, 5445, "pane's edge one twip inside the window: moved left"},
      {5895, false, 4725, "pane's edge on the window's right edge"},
      {9000, false, 4725, "fits the designed window, not the restored one"},
      {0, false, 4725, "nothing stored"},
  };
  for (const auto& c : cases) {
    PrefStore("Ruler", c.ruler);
    FakeMain window;
    PrefsFormLoad(window);
    EXPECT_EQ(window.panes.ruler_left, c.placed) << c.why;
    EXPECT_EQ(window.panes.list_width, c.placed - 30) << c.why;
    EXPECT_EQ(window.panes.pane_left, c.placed + 75 + 30) << c.why;
    EXPECT_EQ(RulerPlaceStored(window.panes, c.ruler, 15), c.used) << c.why;
  }
}

}  // namespace
