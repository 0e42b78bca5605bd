// The search, the match list and the description pane against the shipped set, the reflow of
// the descriptions, records that cannot be parsed, Enter, and the layout rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "code/code.h"
#include "containers.h"
#include "support/globals.h"
#include "support/fake_view.h"
#include "support/filebytes.h"
#include "mainwin/mainwin.h"
#include "base/clock.h"
#include "base/msgbox.h"

using namespace testfiles;

namespace {

// The store loaded from the shipped set, before each test (some change it).
void LoadShipped(const ScratchDir& dir) {
  ResourceFile = dir.Path("tavlo.exe");
  CacheFile = dir.Path("tavlo_cache.tmp");
  WriteFile(ResourceFile, ShippedProgram());
  FakeMainView view;
  MainWindow window(view);
  window.LoadBinaryResource();
  ASSERT_EQ(RecordCount, 350) << view.result;
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Boxes.clear();
    InstallMsgBox(RecordBox);
    ResetGlobalState();
    LoadShipped(dir_);
  }
  void TearDown() override {
    InstallMsgBox(nullptr);
    ResetGlobalState();
  }
  void Search(const std::string& text) {
    view_.search = text;
    window_.txtSearch_Change();
  }
  std::string FirstLine() const {
    return view_.result.substr(0, view_.result.find("\r\n"));
  }

  ScratchDir dir_;
  FakeMainView view_;
  MainWindow window_{view_};
};

// What each search lists: heading (or the no-match line), the first and the last match line,
// and the first line of the pane (the selected match's description).
TEST_F(SearchTest, ListsAndShowsTheFirstMatch) {
  struct Case {
    const char* text;
    const char* heading;
    const char* first;
    const char* last;
    const char* pane;
  };
  const Case cases[] = {
      {"2035", " One match:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED", "2035\tx7F3\tKXRC_NOT_AUTHORIZED",
       "Reason Code \t2035\tx'7F3'"},
      {"7f3", " One match:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED", "2035\tx7F3\tKXRC_NOT_AUTHORIZED",
       "Reason Code \t2035\tx'7F3'"},
      {"203", " 9 partial matches:", "2030\tx7EE\tKXRC_MSG_TOO_BIG_FOR_Q",
       "2039\tx7F7\tKXRC_NOT_OPEN_FOR_OUTPUT", "Reason Code \t2030\tx'7EE'"},
      {"9", " 60 partial matches:", "2304\tx900\tKXRC_SELECTOR_OUT_OF_RANGE",
       "999\tx3E7\tKXRC_APPL_LAST", "Reason Code \t2304\tx'900'"},
      {"2192", " 2 partial matches:", "2192\tx890\tKXRC_STORAGE_MEDIUM_FULL",
       "2192\tx890\tKXRC_STORE_FULL", "Reason Code \t2192\tx'890'"},
      {"-1", " One match:", "-1\txFFFFFFFF\tKXCC_UNKNOWN", "-1\txFFFFFFFF\tKXCC_UNKNOWN",
       "Completion Code \t-1\tx'FFFFFFFF'"},
      {"0", " 2 partial matches:", "0\tx0\tKXCC_OK", "0\tx0\tKXRC_NONE",
       "Completion Code \t0\tx'0'"},
      {"1", " 31 partial matches:", "1\tx1\tKXCC_WARNING", "6129\tx17F1\tKXRC_REFERENCE_ERROR",
       "Completion Code \t1\tx'1'"},
      {"not_auth", " 2 partial matches:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED",
       "2217\tx8A9\tKXRC_CONNECTION_NOT_AUTHORIZED", "Reason Code \t2035\tx'7F3'"},
      {"ok", " 5 partial matches:", "0\tx0\tKXCC_OK", "2331\tx91B\tKXRC_MSG_TOKEN_ERROR",
       "Completion Code \t0\tx'0'"},
      {"e7", "No match on 'E7'.", nullptr, nullptr, ""},
      {"2035 ", "No match on '2035 '.", nullptr, nullptr, ""},
      {"x7f3", "No match on 'X7F3'.", nullptr, nullptr, ""},
      {"0x7f3", "No match on '0X7F3'.", nullptr, nullptr, ""},
      {"[", "No match on '['.", nullptr, nullptr, ""},
      {"]", "No match on ']'.", nullptr, nullptr, ""},
      {"[2035", "No match on '[2035'.", nullptr, nullptr, ""},
      {"!H[", "No match on '!H['.", nullptr, nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    view_.result = "untouched";
    Search(c.text);
    ASSERT_FALSE(view_.items.empty());
    EXPECT_EQ(view_.items.front(), c.heading);
    if (c.first == nullptr) {
      EXPECT_EQ(view_.items.size(), 1u);
      EXPECT_EQ(view_.selected, -1);
      EXPECT_EQ(view_.result, "");
      continue;
    }
    EXPECT_EQ(view_.items[1], c.first);
    EXPECT_EQ(view_.items.back(), c.last);
    EXPECT_EQ(view_.selected, 1);
    EXPECT_EQ(FirstLine(), c.pane);
  }
}

// Every search of the table above as a whole: each list line with its record number, and the
// description shown. Rewritten with TAVLO_UPDATE_GOLDEN=1 when a change is intended.
TEST_F(SearchTest, WholeOutcomesMatchTheGoldenFile) {
  const char* texts[] = {"",  "2035", "203", "9",        "2192", "-1",
                         "0", "1",    "e7",  "not_auth", "ok",   "_"};
  std::string out;
  for (const char* text : texts) {
    Search(text);
    out += "=== '" + std::string(text) + "': " + std::to_string(view_.items.size()) +
           " lines, selected " + std::to_string(view_.selected) + "\n";
    EXPECT_EQ(view_.items, window_.ShownLines()) << "the list renders the window's lines";
    EXPECT_EQ(view_.selected, window_.SelectedLine());
    for (std::size_t i = 0; i < view_.items.size(); ++i)
      out += view_.items[i] + " #" + std::to_string(window_.ShownRecords().at(i)) + "\n";
    out += "--- pane\n" + view_.result + "\n";
  }
  const std::string golden = std::string(TAVLO_MAINWIN_GOLDEN) + "/searches.txt";
  if (std::getenv("TAVLO_UPDATE_GOLDEN") != nullptr)
    WriteFile(golden, out);
  EXPECT_TRUE(ReadFile(golden) == out) << "differs from " << golden;
}

TEST_F(SearchTest, EmptyTextShowsThePrompt) {
  view_.items = {"old"};
  Search("");
  EXPECT_TRUE(view_.items.empty());
  EXPECT_EQ(view_.result,
            "Please enter a Completion Code, Reason Code or\r\npart of a Symbolic Name to search.");
}

// Every name holds "_", most of them several times: each is listed once.
TEST_F(SearchTest, UnderscoreListsEveryNameOnce) {
  Search("_");
  EXPECT_EQ(view_.items.front(), " 350 partial matches:");
  std::set<long> records(window_.ShownRecords().begin() + 1, window_.ShownRecords().end());
  EXPECT_EQ(records.size(), 350u);
  EXPECT_EQ(*records.begin(), 1);
  EXPECT_EQ(*records.rbegin(), 350);
  EXPECT_TRUE(std::is_sorted(view_.items.begin() + 1, view_.items.end(),
                             [](const auto& a, const auto& b) { return MatchLineLess(a, b); }));
}

TEST_F(SearchTest, SelectionShowsEachDescriptionAndEnterSearchesAgain) {
  Search("2192");
  std::string first = view_.result;
  view_.ListSelect(2);
  window_.lstMatches_Click();
  EXPECT_NE(view_.result, first);
  EXPECT_NE(view_.result.find("KXRC_STORE_FULL\r\n"), std::string::npos);
  std::string second = view_.result;
  view_.ListSelect(0);  // the heading shows nothing new
  window_.lstMatches_Click();
  EXPECT_EQ(view_.result, second);

  int key = 13;
  window_.Form_KeyPress(key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(view_.selected, 1);
  EXPECT_EQ(view_.result, first);
  key = 'a';
  window_.Form_KeyPress(key);
  EXPECT_EQ(key, 'a');
}

TEST_F(SearchTest, NothingLoadedOnlyClearsTheList) {
  std::int16_t saved = RecordCount;
  RecordCount = 0;
  view_.items = {"old"};
  view_.result = "load message";
  Search("2035");
  RecordCount = saved;
  EXPECT_TRUE(view_.items.empty());
  EXPECT_EQ(view_.result, "load message");
}

TEST_F(SearchTest, DebugModeTimesTheSearch) {
  DebugMode = kTrue;
  InstallClock([] {
    static std::uint32_t t = 100;
    return t += 3;
  });
  Search("2035");
  EXPECT_EQ(Boxes, (std::vector<std::string>{"tavlo|0|Debug: Search took 3ms\r\n"}));
}

TEST(ReflowTest, MarkersBecomeSpacesAndParagraphs) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  const Case cases[] = {
      {"A ~ B", "A B"},
      {"A~B", "A B"},
      {"A   ~   B", "A B"},
      {"A~~B", "A\r\n\r\nB"},
      {"A ~~ B", "A \r\n\r\n B"},
      {"A~~~B", "A\r\n\r\n B"},
      {"A ~ B ~~C", "A B \r\n\r\nC"},
      {"ends ~", "ends "},
      {"~", " "},
      {"~~Corrective action:", "\r\n\r\nCorrective action:"},
      {"a ~ ~b", "a b"},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReflowDescription(c.stored), c.shown) << c.stored;
}

// A small store set by hand: odd records, and more hits than records.
class HandStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordCount = 0;  // the shipped store is gone; SearchTest reloads it
    Records.assign(1, MessageRecord());
  }
  void Add(const std::string& text) {
    MessageRecord record;
    record.Text = text;
    Records.push_back(record);
    RecordCount = static_cast<std::int16_t>(Records.size() - 1);
  }
  FakeMainView view_;
  MainWindow window_{view_};
};

TEST_F(HandStoreTest, UnusualRecordsAreShownNotFatal) {
  Add("3|77|KXRC_ODD|Some ~ text");
  Add("2|12|KXRC_SHORT");
  Add("x|12|KXRC_BAD_TYPE|t");
  Add("2|99999999999|KXRC_BIG|t");
  Add("0|5|kxrc_zero|a|b");
  struct Case {
    int record;
    const char* line;
    const char* description;
  };
  const Case cases[] = {
      {1, "77\tx4D\tKXRC_ODD",
       "Unknown message type 3 for message 1!\r\n\t77\tx'4D'\r\nKXRC_ODD\r\n\r\nSome text\r\n"},
      {2, "Record 2 cannot be read.", "Record 2 cannot be read.\r\n\r\n2|12|KXRC_SHORT\r\n"},
      {3, "Record 3 cannot be read.", "Record 3 cannot be read.\r\n\r\nx|12|KXRC_BAD_TYPE|t\r\n"},
      {4, "Record 4 cannot be read.",
       "Record 4 cannot be read.\r\n\r\n2|99999999999|KXRC_BIG|t\r\n"},
      {5, "5\tx5\tkxrc_zero",
       "Unknown message type 0 for message 5!\r\n\t5\tx'5'\r\nKXRC_ZERO\r\n\r\na|b\r\n"},
      {6, "Record 6 cannot be read.", "Record 6 cannot be read.\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    EXPECT_EQ(MatchLine(c.record), c.line);
    EXPECT_EQ(FormatDescription(c.record), c.description);
    EXPECT_EQ(FormatDescription(c.record), c.description) << "parsed once, shown again";
  }
  // Listed by a search like any other record.
  SymbolicKeys = "!\"[KXRC_ODD]!#[KXRC_SHORT]";
  NumericKeys.clear();
  view_.search = "kxrc";
  window_.txtSearch_Change();
  EXPECT_EQ(view_.ListTexts(), (std::vector<std::string>{" 2 partial matches:", "77\tx4D\tKXRC_ODD",
                                                         "Record 2 cannot be read."}));
}

// Both keys of a record can begin with the text: the hits outnumber the records.
TEST_F(HandStoreTest, MoreHitsThanRecords) {
  Add("2|16|KXRC_SIXTEEN|t");
  NumericKeys = "!\"[16]!\"[10]";
  SymbolicKeys = "!\"[KXRC_SIXTEEN]";
  view_.search = "1";
  window_.txtSearch_Change();
  EXPECT_EQ(Matches, (std::vector<int>{1, 1}));
  EXPECT_EQ(view_.ListTexts(),
            (std::vector<std::string>{" 2 partial matches:", "16\tx10\tKXRC_SIXTEEN",
                                      "16\tx10\tKXRC_SIXTEEN"}));
}

TEST(MatchOrderTest, OneCaseInsensitiveRule) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {" One match:", "-1\txFFFFFFFF\tKXCC_UNKNOWN"},
      {"-1\txFFFFFFFF\tKXCC_UNKNOWN", "0\tx0\tKXCC_OK"},
      {"2\tx2\tKXCC_FAILED", "2001\tx7D1\tKXRC_ALIAS_BASE_Q_TYPE_ERROR"},
      {"2304\tx900\tA", "900\tx384\tB"},
      {"1\tx1\tKX_A", "1\tx1\tKXA"},
      {"1\tx1\ta", "1\tx1\tB"},
      {"Record 2 cannot be read.", "record 3"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(MatchLineLess(c.before, c.after)) << c.before << " / " << c.after;
    EXPECT_FALSE(MatchLineLess(c.after, c.before)) << c.before << " / " << c.after;
  }
  EXPECT_FALSE(MatchLineLess("1\tx1\tKXA", "1\tx1\tkxa"));
  EXPECT_EQ(UpperCase1252("not_auth \xe9\xff\x9a"), "NOT_AUTH \xc9\x9f\x8a");
}

TEST(LayoutTest, FirstRunPlacesTheRulerBesideTheList) {
  MainLayout layout = DesignedLayout();
  PlacePanes(&layout, 0, 15);
  EXPECT_EQ(layout[MainControl::kPicRuler].left, 4725);
  EXPECT_EQ(layout[MainControl::kTxtResult].left, 4830);
  EXPECT_EQ(layout[MainControl::kLstMatches].width, 4695);
  // A stored ruler position decides the list's width.
  layout = DesignedLayout();
  PlacePanes(&layout, 3000, 15);
  EXPECT_EQ(layout[MainControl::kLstMatches].width, 2970);
  EXPECT_EQ(layout[MainControl::kTxtResult].left, 3105);
}

TEST(LayoutTest, TabGoesRoundTheSearchBoxTheListAndThePane) {
  using C = MainControl;
  const struct {
    C from;
    bool backwards;
    C to;
    const char* why;
  } cases[] = {
      {C::kTxtSearch, false, C::kLstMatches, "search box to list"},
      {C::kLstMatches, false, C::kTxtResult, "list to pane"},
      {C::kTxtResult, false, C::kTxtSearch, "from the read-only pane round to the search box"},
      {C::kTxtSearch, true, C::kTxtResult, "Shift+Tab from the search box to the pane"},
      {C::kTxtResult, true, C::kLstMatches, "Shift+Tab from the pane to the list"},
      {C::kLstMatches, true, C::kTxtSearch, "Shift+Tab from the list to the search box"},
      {C::kPicRuler, false, C::kTxtSearch, "the ruler is out of the round: first control"},
      {C::kLabel1, true, C::kTxtResult, "from outside the round backwards: last control"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MainTabNext(c.from, c.backwards), c.to) << c.why;
}

TEST(LayoutTest, ResizeStretchesThePaneAndTheListWithGuards) {
  struct Case {
    float sw, sh;
    TwipsRect pane, list;
  };
  // From the first-run placement at 15 twips per pixel.
  const Case cases[] = {
      {10515, 6180, {4830, 60, 5685, 6090}, {0, 420, 4695, 5730}},
      {12000, 9000, {4830, 60, 7170, 8910}, {0, 420, 4695, 8550}},
      // 451 twips over the pane's left: just above 30 pixels (450 twips); 450 is not applied.
      {5281, 900, {4830, 60, 451, 810}, {0, 420, 4695, 450}},
      {5280, 480, {4830, 60, 2415, 615}, {0, 420, 4695, 450}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sw);
    MainLayout layout = DesignedLayout();
    PlacePanes(&layout, 0, 15);
    ResizeLayout(&layout, c.sw, c.sh, 15, 15);
    const TwipsRect& pane = layout[MainControl::kTxtResult];
    const TwipsRect& list = layout[MainControl::kLstMatches];
    EXPECT_EQ(pane.left, c.pane.left);
    EXPECT_EQ(pane.width, c.pane.width);
    EXPECT_EQ(pane.height, c.pane.height);
    EXPECT_EQ(list.width, c.list.width);
    EXPECT_EQ(list.height, c.list.height);
    EXPECT_EQ(layout[MainControl::kPicRuler].height, list.height);
    EXPECT_EQ(layout[MainControl::kPicRuler].left, 4725);
  }
}

TEST_F(SearchTest, FormLoadPlacesLoadsAndShowsThePrompt) {
  TwipsPerPixelX = TwipsPerPixelY = 15;
  view_.tab_stops_work = false;
  window_.Form_Load();
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"ruler-to-back", "busy", "normal", "tabstops 24",
                                                   "select-search"}));
  EXPECT_EQ(Boxes, (std::vector<std::string>{
                       "tavlo|48|AT_Setting=24\r\nSendMessage(ATList.hwnd, EM_SETTABSTOPS, 1, "
                       "Setting)) failed"}));
  EXPECT_EQ(view_.result,
            "Please enter a Completion Code, Reason Code or\r\npart of a Symbolic Name to search.");
  EXPECT_EQ(view_.placed[static_cast<int>(MainControl::kPicRuler)].left, 4725);

  // Resizing is ignored while minimised or hidden.
  view_.inner_width = 12000;
  view_.minimised = true;
  window_.Form_Resize();
  EXPECT_EQ(window_.Layout()[MainControl::kTxtResult].width, 2415);
  view_.minimised = false;
  window_.Form_Resize();
  EXPECT_EQ(view_.placed[static_cast<int>(MainControl::kTxtResult)].width, 7170);
}

}  // namespace
