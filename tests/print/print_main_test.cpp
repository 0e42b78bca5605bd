// The File menu's printing items on the main window as its logic sees it.
#include <gtest/gtest.h>

#include "base/app.h"
#include "support/fake_printer.h"
#include "support/fake_view.h"
#include "print/fontdlg.h"
#include "mainwin/mainwin_print.h"

namespace {

int DialogShown = 0;

bool CountingDialog(PrinterFont&, unsigned, PrintFailure& failure) {
  ++DialogShown;
  failure = {kFontDialogCancelled, "Cancel was selected."};
  return false;
}

TEST(PrintMain, EachItemRunsItsCommandOnTheWindow) {
  struct Case {
    int id;
    bool handled;
    std::vector<std::string> printed;
    int dialogs;
  } cases[] = {
      {kMnuFilePrintList, true, {"tavlo", "", " 2 partial matches:", "1", "2", ""}, 0},
      {kMnuFilePrintDescription, true, {"tavlo", "", "The pane."}, 0},
      {kMnuFilePrinterFont, true, {}, 1},
      {kMnuFileExit, false, {}, 0},
  };
  InstallFontDialog(CountingDialog);
  for (const Case& c : cases) {
    UseFakePrinter();
    DialogShown = 0;
    FakeMainView view;
    view.result = "The pane.";
    const std::vector<std::string> lines{" 2 partial matches:", "1", "2"};
    EXPECT_EQ(frmMainPrintCommand(c.id, view, lines), c.handled) << c.id;
    EXPECT_EQ(Fake.lines, c.printed) << c.id;
    EXPECT_EQ(DialogShown, c.dialogs) << c.id;
    if (!c.printed.empty()) {
      EXPECT_EQ(view.calls, (std::vector<std::string>{"busy", "normal"})) << c.id;
    }
  }
  InstallFontDialog(nullptr);
  InstallPrinter(nullptr);
}

}  // namespace
