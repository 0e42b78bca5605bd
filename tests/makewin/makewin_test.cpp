// The maintenance window's logic with a recording view over the file-backed settings store: its
// settings, the Make and the Dump through the window operations, the guard while a Make runs,
// and the maintenance key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "code/code.h"
#include "makewin/makewin.h"
#include "base/app.h"
#include "support/globals.h"
#include "support/settings_env.h"

namespace {

const std::string kFixtures = TAVLO_RESBUILD_FIXTURES;
const std::string kGolden = TAVLO_RESBUILD_GOLDEN;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
    text.replace(at, from.size(), to), at += to.size();
  return text;
}

class FakeMainView final : public MakeView {
 public:
  FakeRegcView frame{RegcRect{300, 300, 7620, 5760}};
  std::string dir, file, log;
  std::vector<std::string> calls;
  std::function<void()> on_events;  // what the user does while the Make lets events through

  RegcView& Frame() override {
    return frame;
  }
  std::string DataDir() const override {
    return dir;
  }
  void SetDataDir(const std::string& text) override {
    dir = text;
  }
  std::string DataFile() const override {
    return file;
  }
  void SetDataFile(const std::string& text) override {
    file = text;
  }
  void ShowLog(const std::string& text) override {
    log = text;
    calls.push_back("log");
  }
  void SetBusyPointer(bool busy) override {
    calls.push_back(busy ? "busy" : "normal");
  }
  void ProcessEvents() override {
    if (calls.empty() || calls.back() != "events")
      calls.push_back("events");
    if (on_events)
      on_events();
  }
  void FocusLog() override {
    calls.push_back("focus log");
  }
  void EnableCommands(bool enabled) override {
    calls.push_back(enabled ? "enable" : "disable");
  }
  void SetLogSize(float width, float height) override {
    calls.push_back("log " + std::to_string(int(width)) + "x" + std::to_string(int(height)));
  }
  void Hide() override {
    calls.push_back("hide");
  }
  void Close() override {
    calls.push_back("close");
  }
  void CloseMainWindow() override {
    calls.push_back("close main");
  }
};

ResBuildTime Clock() {
  return ResBuildTime{2026, 12, 6, 14, 5, 9};
}

class MakeWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobalState();
    ResourceFile = (env_.folder() / "tavlo.exe").string();
    std::filesystem::copy_file(kFixtures + "/host.bin", ResourceFile);
    uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, kPrefsKey);  // as the main window does
    RegcClose(key);
  }
  void Loaded() {
    window_.Load("C:\\Work");
    view_.dir = kFixtures;
    view_.file = "small.txt";
    view_.calls.clear();
  }
  std::string Golden(const std::string& name) {
    return Replace(Replace(ReadFile(kGolden + "/" + name), "@RES@", ResourceFile), "@DATA@",
                   ResBuildDataPath(kFixtures, "small.txt"));
  }

  SettingsEnv env_;
  FakeMainView view_;
  MakeWindow window_{view_, Clock};
};

TEST_F(MakeWinTest, SettingsDefaultOnTheFirstShowingAndSurviveAnUnload) {
  window_.Load("C:\\Work");
  EXPECT_EQ(view_.dir, "C:\\Work");
  EXPECT_EQ(view_.file, "tavlodata-text.o");
  EXPECT_EQ(MakeWindowLoaded, kTrue);
  view_.dir = "D:\\Data";
  view_.file = "codes.txt";
  view_.frame.placement = {600, 450, 9000, 6000};
  window_.Unload();
  EXPECT_EQ(MakeWindowLoaded, kFalse);

  FakeMainView again;
  MakeWindow next(again);
  next.Load("C:\\Elsewhere");
  EXPECT_EQ(again.dir, "D:\\Data");
  EXPECT_EQ(again.file, "codes.txt");
  EXPECT_EQ(again.frame.placement.width, 9000);
  EXPECT_TRUE(SettingsEnv::Boxes().empty());
}

TEST_F(MakeWinTest, ActivateSaysReadyAndResizeStretchesTheLog) {
  window_.Activate();
  EXPECT_EQ(view_.log, "Ready.");
  const struct {
    MakeLayout layout;
    const char* call;
  } cases[] = {
      {{true, false, 7380, 5070, 60, 1200, 60}, "log 7260x3810"},
      {{true, false, 9000, 5070, 60, 1200, 60}, "log 8880x3810"},
      {{true, false, 100, 1000, 60, 1200, 60}, "log 0x0"},  // smaller than the margins
      {{false, false, 9000, 5070, 60, 1200, 60}, nullptr},  // hidden
      {{true, true, 9000, 5070, 60, 1200, 60}, nullptr},    // minimised
  };
  for (const auto& c : cases) {
    view_.calls.clear();
    window_.Resize(c.layout);
    EXPECT_EQ(view_.calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{});
  }
}

TEST_F(MakeWinTest, MakeAndDumpRunThroughTheWindow) {
  Loaded();
  window_.cmdMake_Click();
  EXPECT_EQ(view_.log, Golden("make-small.log"));
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"disable", "busy", "log", "events", "normal",
                                                   "log", "enable"}));
  view_.calls.clear();
  window_.cmdDump_Click();
  EXPECT_EQ(view_.log, Golden("dump-small.log"));
  EXPECT_EQ(view_.calls,
            (std::vector<std::string>{"disable", "busy", "normal", "log", "focus log", "enable"}));
  window_.cmdClose_Click();
  EXPECT_EQ(view_.calls.back(), "hide");
}

TEST_F(MakeWinTest, WhileAMakeRunsNothingStartsAndClosesAreHeldBack) {
  const struct {
    std::function<bool(MakeWindow&)> request;
    const char* after;  // what is carried out once the Make has ended
  } cases[] = {
      {[](MakeWindow& w) { return w.QueryUnload(); }, "close"},
      {[](MakeWindow& w) { return w.QueryCloseMain(); }, "close main"},
      {[](MakeWindow& w) { return w.MayEndSession(); }, "enable"},
      {[](MakeWindow& w) {
         return w.cmdMake_Click(), w.cmdDump_Click(), w.cmdClose_Click(), false;
       },
       "enable"},
  };
  for (const auto& c : cases) {
    Loaded();
    int answers = 0;
    view_.on_events = [&] { answers += c.request(window_) ? 1 : 0; };
    window_.cmdMake_Click();
    EXPECT_GT(view_.calls.size(), 3u);
    EXPECT_EQ(answers, 0) << "refused or held while the Make runs";
    EXPECT_EQ(view_.calls.back(), c.after);
    EXPECT_EQ(std::count(view_.calls.begin(), view_.calls.end(), "busy"), 1) << "one Make only";
    EXPECT_EQ(std::count(view_.calls.begin(), view_.calls.end(), "hide"), 0);
    EXPECT_FALSE(window_.Running());
    EXPECT_TRUE(window_.QueryUnload() && window_.QueryCloseMain() && window_.MayEndSession());
  }
}

TEST_F(MakeWinTest, TheMaintenanceKeyIsShiftCtrlAltMUnderALowerCaseName) {
  const struct {
    int key, shift;
    int16_t lower;
    bool is_key;
  } cases[] = {
      {77, 7, kTrue, true},   {77, 7, kFalse, false}, {77, 3, kTrue, false},
      {77, 15, kTrue, false}, {78, 7, kTrue, false},
  };
  for (const auto& c : cases) {
    LowerCaseName = c.lower;
    EXPECT_EQ(MakeIsMaintenanceKey(c.key, c.shift), c.is_key) << c.key << " " << c.shift;
  }
}

TEST_F(MakeWinTest, TheMaintenanceKeyShowsTheWindowThenReloadsAndSearches) {
  struct Host final : MakeHostView {
    std::vector<std::string> calls;
    int records = 0;
    bool main_stays = true;
    bool ShowMakeWindowModal() override {
      calls.push_back(MakeWindowLoaded ? "show (loaded)" : "show");
      return main_stays;
    }
    void LoadBinaryResource() override {
      calls.push_back("load");
    }
    int RecordCount() const override {
      return records;
    }
    void RunSearch() override {
      calls.push_back("search");
    }
  };
  Host loaded;
  loaded.records = 347;
  MakeMaintenanceKey(loaded);
  EXPECT_EQ(loaded.calls, (std::vector<std::string>{"show (loaded)", "load", "search"}));
  Host empty;
  MakeMaintenanceKey(empty);
  EXPECT_EQ(empty.calls, (std::vector<std::string>{"show (loaded)", "load"}));
  Host closed;  // the main window closed while frmMake was shown
  closed.main_stays = false;
  MakeMaintenanceKey(closed);
  EXPECT_EQ(closed.calls, (std::vector<std::string>{"show (loaded)"}));
}

}  // namespace
