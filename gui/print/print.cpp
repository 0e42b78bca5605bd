#include "print/print.h"

#include <algorithm>

#include "base/msgbox.h"

namespace {

const char kLineEnd[] = "\r\n";

// Shows the printer error report for a failure, with the normal pointer.
void ReportPrinterError(PrintView& view, const PrintFailure& failure, const char* title) {
  view.SetBusyPointer(false);
  MsgBox("Printer error:\r\n\r\n(" + std::to_string(failure.number) + ") " + failure.description,
         kMsgBoxOkOnly | kMsgBoxExclamation, title);
}

// Runs one print job: the printer is prepared, the title and an empty line printed, then the
// body; whatever happens, the document is ended and the pointer is normal again.
template <typename Body>
void RunPrintJob(PrintView& view, const char* report_title, Body body) {
  view.SetBusyPointer(true);
  std::unique_ptr<Printer> printer = OpenDefaultPrinter();
  bool ok = PrinterInit(*printer) && printer->PrintLine(view.Title()) && printer->PrintLine("") &&
            body(*printer);
  if (!ok) {
    ReportPrinterError(view, printer->LastFailure(), report_title);
  }
  // After a report, a failure to end the document is passed over, so the report never repeats.
  if (!printer->EndDoc() && ok) {
    ReportPrinterError(view, printer->LastFailure(), report_title);
  }
  view.SetBusyPointer(false);
}

}  // namespace

bool PrinterInit(Printer& printer) {
  PrinterFont font = PrinterFontChoice;
  font.italic = false;  // the font dialog announces that italics are ignored
  return printer.SetUnitMillimetres() && printer.SetFont(font);
}

bool PrintWrappedLine(Printer& printer, const std::string& line, double width) {
  std::string rest = line + ' ';
  size_t n = std::min(rest.size(), kWrapSearchLimit);  // 1-based position of the candidate
  for (;;) {
    if (n == 0) {
      return true;
    }
    // From the right: the first space whose preceding text fits gives the longest piece.
    do {
      if (rest[n - 1] == ' ') {
        std::string piece = rest.substr(0, n - 1);
        double piece_width = 0;
        if (!printer.TextWidth(piece, piece_width)) {
          return false;
        }
        if (piece_width < width) {
          if (!printer.PrintLine(piece)) {
            return false;
          }
          rest.erase(0, n);
          n = std::min(rest.size() + 1, kWrapSearchLimit);
        }
      }
      --n;
    } while (n != 0);
    if (rest.empty()) {
      return true;
    }
    // No space fits: cut whatever the width.
    if (!printer.PrintLine(rest.substr(0, kWrapCutLength))) {
      return false;
    }
    rest.erase(0, std::min(rest.size(), kWrapCutLength));
    n = std::min(rest.size(), kWrapSearchLimit);
  }
}

void mnuFilePrint_Click(PrintView& view) {
  RunPrintJob(view, kPrintDescriptionTitle, [&view](Printer& printer) {
    double width = 0;
    if (!printer.PrintableWidth(width)) {
      return false;
    }
    // The appended line end makes the pane's last line print like every other.
    const std::string text = view.ResultText() + kLineEnd;
    size_t p = 0;
    for (;;) {
      size_t q = text.find(kLineEnd, p);
      if (q == std::string::npos) {
        return true;
      }
      std::string line = text.substr(p, q - p);
      line.erase(line.find_last_not_of(' ') + 1);  // npos + 1 == 0 clears an all-space line
      bool printed = line.empty() ? printer.PrintLine("") : PrintWrappedLine(printer, line, width);
      if (!printed) {
        return false;
      }
      p = q + 2;
    }
  });
}

void mnuFilePrintList_Click(PrintView& view) {
  RunPrintJob(view, kPrintListTitle, [&view](Printer& printer) {
    // The no-match line, or the one-match heading with its line, is not worth printing.
    int count = view.MatchListCount();
    if (count - 1 <= 1) {
      return true;
    }
    for (int i = 0; i < count; ++i) {
      if (!printer.PrintLine(view.MatchListLine(i))) {
        return false;
      }
    }
    return printer.PrintLine("");
  });
}
