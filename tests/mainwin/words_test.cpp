// Find by Words: the codes found and their order, the same as tavlo-apropos prints for the same
// words (its golden outputs), and what the list and the pane show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app.h"
#include "code/code.h"
#include "containers.h"
#include "mainwin/mainwin.h"
#include "mainwin/mainwin_print.h"
#include "mainwin/mainwin_words.h"
#include "resbuild/resbuild.h"
#include "support/apropos_golden.h"
#include "support/fake_printer.h"
#include "support/fake_view.h"
#include "support/filebytes.h"
#include "support/globals.h"

using namespace testfiles;

namespace {

std::vector<std::string> AproposLines(const std::string& golden) {
  return AproposGoldenLines(std::string(TAVLO_APROPOS_GOLDEN) + "/" + golden);
}

class FindByWordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobalState();
    Load(ShippedProgram());
  }
  void TearDown() override {
    ResetGlobalState();
  }
  // The window's store from a program file's bytes.
  void Load(const std::string& program) {
    ResourceFile = dir_.Path("tavlo.exe");
    CacheFile = dir_.Path("tavlo_cache.tmp");
    WriteFile(ResourceFile, program);
    window_.LoadBinaryResource();
    ASSERT_GT(RecordCount, 0) << view_.result;
  }
  // A program file carrying the container built from a description text.
  std::string Built(const std::string& text_file) {
    const std::string path = dir_.Path("built.exe");
    WriteFile(path, HostBytes());
    bool complete = false;
    ResBuildTime fixed;
    MakeBinaryResource(
        path, text_file, [fixed] { return fixed; }, nullptr, &complete);
    EXPECT_TRUE(complete) << text_file;
    return ReadFile(path);
  }
  void Find(const std::string& text) {
    view_.search = text;
    mnuFileFindWords_Click(window_);
  }

  ScratchDir dir_;
  FakeMainView view_;
  MainWindow window_{view_};
};

TEST_F(FindByWordsTest, ListsTheCodesInTavloAproposOrder) {
  const struct {
    const char* text_file;  // nullptr: the shipped set
    const char* words;
    const char* golden;
    const char* why;
  } cases[] = {
      {nullptr, "queue full", "queue_full.txt", "names first, then headlines, ties by value"},
      {nullptr, "QuEuE FuLL", "queue_full.txt", "any case"},
      {nullptr, "not authorized", "found_on_path.txt", "a word in no name"},
      {nullptr, "trigger", "many_sections.txt", "one word, many codes"},
      {TAVLO_APROPOS_FIXTURES "/rank.txt", "alpha beta", "rank.txt",
       "name, headline, title line and deep text weigh as in tavlo-apropos"},
  };
  for (const auto& c : cases) {
    if (c.text_file != nullptr)
      Load(Built(c.text_file));
    const std::vector<std::string> expected = AproposLines(c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    Find(c.words);
    std::vector<std::string> lines = view_.ListTexts();
    ASSERT_FALSE(lines.empty()) << c.why;
    EXPECT_EQ(lines[0], " " + std::to_string(expected.size()) + " matches on descriptions:")
        << c.why;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected) << c.why;
    EXPECT_EQ(window_.SelectedLine(), 1) << c.why;
    EXPECT_EQ(view_.result, FormatDescription(window_.ShownRecords()[1])) << c.why;
  }
}

TEST_F(FindByWordsTest, ShowsOneMatchNoMatchOrANote) {
  const struct {
    const char* words;
    std::vector<std::string> list;
    const char* pane;  // nullptr: the first match's description
    const char* why;
  } cases[] = {
      {"kxcc_unknown",
       {" One match on descriptions:", "-1\txFFFFFFFF\tKXCC_UNKNOWN"},
       nullptr,
       "one match has a heading of its own"},
      {"queue overflowed",
       {"No match in the descriptions for 'queue overflowed'."},
       "",
       "nothing holds both words"},
      {" queue\tfull~the ",
       {"No match in the descriptions for 'queue full~the'."},
       "",
       "a word across a line end matches nothing, as in tavlo-apropos"},
      {"", {}, kFindWordsNote, "an empty box"},
      {"is to of", {}, kFindWordsNote, "short words find nearly every code"},
  };
  for (const auto& c : cases) {
    Find(c.words);
    EXPECT_EQ(view_.ListTexts(), c.list) << c.why;
    if (c.pane == nullptr)
      EXPECT_EQ(view_.result, FormatDescription(window_.ShownRecords()[1])) << c.why;
    else
      EXPECT_EQ(view_.result, c.pane) << c.why;
  }
}

// The list is the window's: printing prints it, and typing runs the search of the box again.
TEST_F(FindByWordsTest, PrintsItsListAndGivesWayToTheSearch) {
  Find("pageset");
  const std::vector<std::string> shown = view_.ListTexts();
  ASSERT_GE(shown.size(), 3u);
  UseFakePrinter();
  frmMainPrintCommand(kMnuFilePrintList, view_, window_.ShownLines());
  std::vector<std::string> printed{"tavlo", ""};
  printed.insert(printed.end(), shown.begin(), shown.end());
  printed.push_back("");
  EXPECT_EQ(Fake.lines, printed);

  view_.search = "2035";
  window_.txtSearch_Change();
  EXPECT_EQ(view_.ListTexts(),
            (std::vector<std::string>{" One match:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED"}));
}

}  // namespace
