// The print commands on the system's default printer, under Wine. Each case is started by
// print_check.sh, which sets up the spooler's queue for it (ready, missing or rejecting) and
// afterwards reads the printed document back; the lines each job sent are written to
// $TAVLO_PRINT_OUT/sent.txt for that comparison.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "print/fontdlg.h"
#include "print/print.h"
#include "support/globals.h"
#include "support/fake_printer.h"
#include "base/msgbox.h"
#include "win/printer_win.h"

namespace {

using Lines = std::vector<std::string>;

struct Box {
  std::string prompt;
  std::string title;
  bool busy_pointer;
};
std::vector<Box> Boxes;
bool Busy = false;

int RecordBox(const std::string& prompt, unsigned, const std::string& title) {
  Boxes.push_back({prompt, title, Busy});
  return kMsgBoxIdOk;
}

// The lines a job sent, and the widest of them against the printable width, both measured by
// the real printer.
Lines Sent;
double PageWidth = 0;
double WidestLine = 0;

// The real printer, with what it is asked to print noted on the way.
class NotingPrinter : public Printer {
 public:
  bool SetUnitMillimetres() override {
    return real_->SetUnitMillimetres();
  }
  bool SetFont(const PrinterFont& font) override {
    return real_->SetFont(font);
  }
  bool PrintableWidth(double& width) override {
    return real_->PrintableWidth(width) && (PageWidth = width, true);
  }
  bool TextWidth(const std::string& text, double& width) override {
    return real_->TextWidth(text, width);
  }
  bool PrintLine(const std::string& text) override {
    double width = 0;
    if (PageWidth == 0) {
      real_->PrintableWidth(PageWidth);  // the list job does not ask for it
    }
    if (real_->TextWidth(text, width) && width > WidestLine) {
      WidestLine = width;
    }
    Sent.push_back(text);
    return real_->PrintLine(text);
  }
  bool EndDoc() override {
    return real_->EndDoc();
  }
  PrintFailure LastFailure() const override {
    return real_->LastFailure();
  }

 private:
  std::unique_ptr<Printer> real_ = NewWinPrinter();
};

std::unique_ptr<Printer> NewNotingPrinter() {
  return std::make_unique<NotingPrinter>();
}

// The window as printing sees it, its busy pointer in Busy.
struct View : FakePrintView {
  View() {
    busy = &Busy;
  }
};

class RealPrinter : public testing::Test {
 protected:
  void SetUp() override {
    UseWinPrinting(nullptr);
    InstallPrinter(NewNotingPrinter);
    InstallMsgBox(RecordBox);
    Boxes.clear();
    Sent.clear();
    PageWidth = WidestLine = 0;
    ResetGlobalState();
  }
  void TearDown() override {
    InstallMsgBox(nullptr);
    const char* out = std::getenv("TAVLO_PRINT_OUT");
    if (out != nullptr) {
      std::ofstream file(std::string(out) + "/sent.txt", std::ios::binary);
      for (const std::string& line : Sent) {
        file << line << '\n';
      }
    }
  }
  void ExpectPrintedWithoutBox() {
    for (const Box& box : Boxes) {
      ADD_FAILURE() << box.title << ": " << box.prompt;
    }
    EXPECT_FALSE(Busy);
    EXPECT_GT(PageWidth, 150);  // millimetres of an A4 or letter page
    EXPECT_LT(PageWidth, 220);
    EXPECT_LT(WidestLine, PageWidth);
  }
};

// A description as the pane shows it: a first line with two tabs, long paragraphs.
const char kDescription[] =
    "Reason Code \t2035\tx'7F3'\r\n"
    "KXRC_NOT_AUTHORIZED\r\n"
    "\r\n"
    "The user the call runs under is not allowed to do what it asked. The authorization service "
    "refused the request: the object is protected, and the user identifier the queue manager "
    "checked holds none of the rights the call needs, neither directly nor through a group. "
    "Nothing was changed by the call.   \r\n"
    "\r\n"
    "Corrective action: Find out which user identifier the queue manager checked, and grant it "
    "the rights the call needs, or run the program under a user that holds them. Then try the "
    "call again.";

TEST_F(RealPrinter, Description) {
  View view;
  view.text = kDescription;
  mnuFilePrint_Click(view);
  ExpectPrintedWithoutBox();
  EXPECT_GT(Sent.size(), 10u);  // the long paragraphs were wrapped
}

TEST_F(RealPrinter, MatchList) {
  View view;
  view.list = {" 3 partial matches:", "2035\tx7F3\tKXRC_NOT_AUTHORIZED",
               "2217\tx8A9\tKXRC_CONNECTION_NOT_AUTHORIZED", "-1\txFFFFFFFF\tKXCC_UNKNOWN"};
  mnuFilePrintList_Click(view);
  ExpectPrintedWithoutBox();
  EXPECT_EQ(Sent.size(), 7u);
}

TEST_F(RealPrinter, TwoPageDescription) {
  View view;
  for (int i = 1; i <= 90; ++i) {
    view.text += "Line " + std::to_string(i) + " of a description that needs two pages.\r\n";
  }
  PrinterFontChoice.size = 12;
  mnuFilePrint_Click(view);
  ExpectPrintedWithoutBox();
}

TEST_F(RealPrinter, BoldTwelvePoint) {
  View view;
  view.text = "Bold twelve-point text.\r\nA second line of it.";
  PrinterFontChoice = PrinterFont{"Courier", 12, true, true};
  mnuFilePrint_Click(view);
  ExpectPrintedWithoutBox();
}

// With no printer, both commands and the font dialog report the missing default printer.
TEST_F(RealPrinter, NoPrinter) {
  View view;
  view.text = "Some text.";
  view.list = {" 2 partial matches:", "1\tx1\tKXCC_WARNING", "2\tx2\tKXCC_FAILED"};
  mnuFilePrint_Click(view);
  mnuFilePrintList_Click(view);
  mnuFilePrintFont_Click();
  const std::string no_printer = "(4104) No default printer is set up.";
  ASSERT_EQ(Boxes.size(), 3u);
  EXPECT_EQ(Boxes[0].prompt, "Printer error:\r\n\r\n" + no_printer);
  EXPECT_EQ(Boxes[0].title, "File - Print Description");
  EXPECT_EQ(Boxes[1].prompt, "Printer error:\r\n\r\n" + no_printer);
  EXPECT_EQ(Boxes[1].title, "File - Print Match List");
  EXPECT_EQ(Boxes[2].prompt, "Unexpected error 4104:\r\n\r\nNo default printer is set up.");
  EXPECT_EQ(Boxes[2].title, "Printer Font");
  for (const Box& box : Boxes) {
    EXPECT_FALSE(box.busy_pointer);
  }
  EXPECT_FALSE(Busy);
  EXPECT_EQ(PrinterFontChoice, kPrinterFontDefault);
}

// A queue that takes no jobs: only ending the document fails, and that is reported once.
TEST_F(RealPrinter, RejectingQueue) {
  View view;
  view.text = "Some text.";
  mnuFilePrint_Click(view);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].prompt.rfind("Printer error:\r\n\r\n(", 0), 0u) << Boxes[0].prompt;
  const std::string refused = ") The printer refused the job.";
  ASSERT_GT(Boxes[0].prompt.size(), refused.size());
  EXPECT_EQ(Boxes[0].prompt.substr(Boxes[0].prompt.size() - refused.size()), refused)
      << "the number kept, with a description that says what happened: " << Boxes[0].prompt;
  EXPECT_EQ(Boxes[0].title, "File - Print Description");
  EXPECT_FALSE(Boxes[0].busy_pointer);
  EXPECT_FALSE(Busy);
  EXPECT_EQ(Sent, (Lines{"tavlo", "", "Some text."}));
}

// Closes the font dialog of this process with the given button once it is up.
void PressInFontDialog(int button) {
  for (int i = 0; i < 100; ++i) {
    Sleep(100);
    HWND dialog = FindWindowA("#32770", nullptr);
    DWORD process = 0;
    if (dialog != nullptr && GetWindowThreadProcessId(dialog, &process) &&
        process == GetCurrentProcessId()) {
      PostMessageA(dialog, WM_COMMAND, button, 0);
      return;
    }
  }
}

// The dialog offers the printer's own fonts: "Courier" is one of them here.
TEST_F(RealPrinter, FontDialog) {
  PrinterFontChoice = PrinterFont{"Courier", 12, true, false};
  std::thread ok(PressInFontDialog, IDOK);
  mnuFilePrintFont_Click();
  ok.join();
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(PrinterFontChoice, (PrinterFont{"Courier", 12, true, false}));

  PrinterFontChoice.italic = true;  // confirmed italics are announced, and kept
  std::thread ok_italic(PressInFontDialog, IDOK);
  mnuFilePrintFont_Click();
  ok_italic.join();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].prompt, "The selection of italics has been ignored.");
  EXPECT_TRUE(PrinterFontChoice.italic);

  Boxes.clear();
  PrinterFontChoice = kPrinterFontDefault;
  std::thread cancel(PressInFontDialog, IDCANCEL);
  mnuFilePrintFont_Click();
  cancel.join();
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(PrinterFontChoice, kPrinterFontDefault);
}

}  // namespace
