// The print commands over the fake printer: the lines each job sends, the word wrap, the error
// report and the font dialog flow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/globals.h"
#include "support/fake_printer.h"
#include "print/fontdlg.h"
#include "base/msgbox.h"
#include "print/print.h"

namespace {

using Lines = std::vector<std::string>;

struct Box {
  std::string prompt;
  unsigned style;
  std::string title;
  bool busy_pointer;  // the pointer while the box was up
};
std::vector<Box> Boxes;
bool Busy = false;

int RecordBox(const std::string& prompt, unsigned style, const std::string& title) {
  Boxes.push_back({prompt, style, title, Busy});
  return kMsgBoxIdOk;
}

// The window as printing sees it, its busy pointer in Busy.
struct FakeView : FakePrintView {
  FakeView() {
    busy = &Busy;
  }
};

class PrintTest : public testing::Test {
 protected:
  void SetUp() override {
    Boxes.clear();
    Busy = false;
    InstallMsgBox(RecordBox);
    UseFakePrinter();
    ResetGlobalState();
  }
  void TearDown() override {
    InstallMsgBox(nullptr);
    InstallPrinter(nullptr);
  }
  // The lines after the title and its empty line.
  Lines PrintPane(const std::string& text, double width = 20) {
    UseFakePrinter(width);
    FakeView view;
    view.text = text;
    mnuFilePrint_Click(view);
    EXPECT_TRUE(Boxes.empty()) << Boxes.front().prompt;
    EXPECT_EQ(Fake.calls.back(), "end");
    EXPECT_FALSE(Busy);
    EXPECT_GE(Fake.lines.size(), 2u);
    EXPECT_EQ(Lines(Fake.lines.begin(), Fake.lines.begin() + 2), (Lines{"tavlo", ""}));
    return Lines(Fake.lines.begin() + 2, Fake.lines.end());
  }
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    out += s;
  }
  return out;
}

TEST_F(PrintTest, DescriptionLines) {
  const std::string w25(25, 'w');
  const std::string x80(80, 'x');
  struct Case {
    std::string text;
    Lines printed;
    const char* why;
  } cases[] = {
      {"", {""}, "the appended line end gives one empty line"},
      {"Hello  world   ", {"Hello  world"}, "fits: trailing spaces dropped, inner ones kept"},
      {"one\r\n   \r\ntwo\r\n", {"one", "", "two", ""}, "blank line; a final CRLF adds a line"},
      {"a\tb\tc", {"a\tb\tc"}, "tabs pass to the printer"},
      {"aaaa bbbb cccc dddd eeee ffff", {"aaaa bbbb cccc dddd", "eeee ffff"}, "last fitting space"},
      {"abcdefghij abcdefghi x", {"abcdefghij", "abcdefghi x"}, "a width equal to the page fails"},
      {"aaaaaaaaaa   bbbbbbbbbb", {"aaaaaaaaaa  ", "bbbbbbbbbb"}, "only the break's space dropped"},
      {std::string(200, 'x'), {x80, x80, std::string(40, 'x') + " "}, "no space: 80-char pieces"},
      {std::string(160, 'x'), {x80, x80, ""}, "the appended space alone is left"},
      {w25 + Repeat(" abcd", 15),
       {w25 + Repeat(" abcd", 11), " abcd abcd abcd", "abcd"},
       "first word too wide: 80 chars, then wrapped"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintPane(c.text), c.printed) << c.why;
  }
}

TEST_F(PrintTest, BreaksAreSearchedInTheFirst256CharactersOnly) {
  const std::string a80(80, 'a');
  EXPECT_EQ(PrintPane(std::string(400, 'a') + " b", 1000),
            (Lines{a80, a80, std::string(240, 'a') + " b"}));
}

// Positions are not 16-bit: the whole of a long pane is printed.
TEST_F(PrintTest, PaneLongerThan32767CharactersPrintsWhole) {
  Lines expected;
  std::string text;
  for (int i = 0; text.size() <= 40000; ++i) {
    std::string line = "line " + std::to_string(i) + " " + std::string(90, '-');
    expected.push_back(line);
    text += (i > 0 ? "\r\n" : "") + line;
  }
  EXPECT_EQ(PrintPane(text, 1000), expected);
  std::string one_line = Repeat("word ", 8000) + "end";
  Lines pieces = PrintPane(one_line, 20);
  EXPECT_EQ(pieces.size(), 2001u);
  EXPECT_EQ(pieces.back(), "end");
}

TEST_F(PrintTest, PrinterInitTakesTheChoiceWithoutItalic) {
  FakeView view;
  PrinterFontChoice = PrinterFont{"Courier New", 12, true, true};
  mnuFilePrint_Click(view);
  EXPECT_EQ(Fake.calls,
            (Lines{"mm", "font Courier New 12 bold", "line", "line", "width", "line", "end"}));
}

TEST_F(PrintTest, MatchListPrintsOnlyWithThreeLinesOrMore) {
  struct Case {
    Lines list;
    Lines printed;
  } cases[] = {
      {{}, {"tavlo", ""}},
      {{"No match on 'E7'."}, {"tavlo", ""}},
      {{" One match:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED"}, {"tavlo", ""}},
      {{" 2 partial matches:", "2192\tx890\tKXRC_A", "2192\tx890\tKXRC_B"},
       {"tavlo", "", " 2 partial matches:", "2192\tx890\tKXRC_A", "2192\tx890\tKXRC_B", ""}},
  };
  for (const Case& c : cases) {
    UseFakePrinter();
    FakeView view;
    view.list = c.list;
    mnuFilePrintList_Click(view);
    EXPECT_EQ(Fake.lines, c.printed) << c.list.size() << " lines";
    EXPECT_EQ(Fake.calls.back(), "end");
    EXPECT_TRUE(Boxes.empty());
  }
}

TEST_F(PrintTest, AFailureIsReportedOnceAndTheDocumentEnded) {
  struct Case {
    bool list;
    // Operations: 1 unit, 2 font, 3 title, 4 empty line; then the description's 5 width,
    // 6 measure, 7 first line, 8 measure, 9 second line, or the list's 5 to 7 lines, 8 empty.
    int fail_at;
    bool fail_end;
    size_t lines_printed;
  } cases[] = {
      {false, 1, false, 0}, {false, 5, false, 2}, {false, 6, false, 2},
      {false, 9, false, 3}, {false, 0, true, 4},  {false, 6, true, 2},
      {true, 2, false, 0},  {true, 6, false, 3},  {true, 0, true, 6},
  };
  for (const Case& c : cases) {
    Boxes.clear();
    UseFakePrinter();
    Fake.fail_at = c.fail_at;
    Fake.fail_end = c.fail_end;
    FakeView view;
    view.text = "first line\r\nsecond line";
    view.list = {" 2 partial matches:", "1", "2"};
    if (c.list) {
      mnuFilePrintList_Click(view);
    } else {
      mnuFilePrint_Click(view);
    }
    std::string where = std::to_string(c.fail_at) + (c.list ? " list" : " description");
    ASSERT_EQ(Boxes.size(), 1u) << where;
    EXPECT_EQ(Boxes[0].prompt, "Printer error:\r\n\r\n(482) Printer error") << where;
    EXPECT_EQ(Boxes[0].style, 0x30u);
    EXPECT_EQ(Boxes[0].title, c.list ? "File - Print Match List" : "File - Print Description");
    EXPECT_FALSE(Boxes[0].busy_pointer) << where;
    EXPECT_FALSE(Busy) << where;
    EXPECT_EQ(Fake.calls.back(), "end") << where;
    EXPECT_EQ(Fake.lines.size(), c.lines_printed) << where;
  }
}

// The font dialog, as a test drives it: what it was shown, and what it answers.
struct DialogScript {
  bool confirm = true;
  PrinterFont chosen;
  PrintFailure failure;
  PrinterFont shown;
  unsigned flags = 0;
} Dialog;

bool ScriptedDialog(PrinterFont& font, unsigned flags, PrintFailure& failure) {
  Dialog.shown = font;
  Dialog.flags = flags;
  if (Dialog.confirm) {
    font = Dialog.chosen;
    return true;
  }
  failure = Dialog.failure;
  return false;
}

TEST_F(PrintTest, FontDialogOutcomes) {
  const PrinterFont current{"Arial", 10, false, true};
  const PrinterFont bold_italic{"Courier New", 12, true, true};
  const PrinterFont plain{"Tahoma", 9, false, false};
  struct Case {
    bool confirm;
    PrinterFont chosen;
    PrintFailure failure;
    PrinterFont kept;
    std::string box;  // the prompt of the one box shown, or "" for none
    unsigned style;
  } cases[] = {
      {true, bold_italic, {}, bold_italic, "The selection of italics has been ignored.", 0x40},
      {true, plain, {}, plain, "", 0},
      {false, plain, {32755, "Cancel was selected."}, current, "", 0},
      {false,
       plain,
       {4104, "No default printer."},
       current,
       "Unexpected error 4104:\r\n\r\nNo default printer.",
       0x30},
  };
  InstallFontDialog(ScriptedDialog);
  for (const Case& c : cases) {
    Boxes.clear();
    Dialog = DialogScript{c.confirm, c.chosen, c.failure, {}, 0};
    PrinterFontChoice = current;
    mnuFilePrintFont_Click();
    EXPECT_EQ(Dialog.flags, 0x10002u);
    EXPECT_EQ(Dialog.shown, current);  // preselected with the current choice
    EXPECT_EQ(PrinterFontChoice, c.kept);
    if (c.box.empty()) {
      EXPECT_TRUE(Boxes.empty()) << c.failure.number;
    } else {
      ASSERT_EQ(Boxes.size(), 1u);
      EXPECT_EQ(Boxes[0].prompt, c.box);
      EXPECT_EQ(Boxes[0].style, c.style);
      EXPECT_EQ(Boxes[0].title, "Printer Font");
    }
  }
  InstallFontDialog(nullptr);
}

}  // namespace
