// Printing from the main window: the description pane and the match list, on the default
// printer (printer.h), in the printer font the user chose.
//
// Operations:
//   PrinterInit(printer)                prepares a new job: millimetres and the current choice
//                                       (PrinterFontChoice) with its bold flag, italic off
//   PrintWrappedLine(printer, line, w)  prints one non-empty line word-wrapped to width w
//   mnuFilePrint_Click(view)            prints the title, an empty line and the pane's text,
//                                       each line trimmed of trailing spaces and word-wrapped
//   mnuFilePrintList_Click(view)        prints the title, an empty line and, when the list
//                                       holds three lines or more, every line and an empty line
//
// Both commands show the busy pointer while they run and the normal one afterwards on every
// path. The first failing printer operation ends the printing: the printer error report
// ("Printer error:" box, titled after the command) is shown and the document is still ended.
// A failure to end the document is reported too, unless a report was shown already.
//
// Word wrap of a line L: one space is appended; searching from the right over at most the first
// 256 characters, the first space whose preceding text is narrower than w (strictly) breaks the
// line there; that text is printed, the space dropped, and the rest wrapped the same way. With
// no such space the first 80 characters are printed whatever their width. Positions are unbounded:
// a pane text of any length is printed whole.
#ifndef TAVLO_GUI_PRINT_PRINT_H
#define TAVLO_GUI_PRINT_PRINT_H

#include <string>

#include "print/printer.h"

constexpr size_t kWrapSearchLimit = 256;  // characters searched for a break
constexpr size_t kWrapCutLength = 80;     // piece length of a line without a fitting space

constexpr const char* kPrintDescriptionTitle = "File - Print Description";
constexpr const char* kPrintListTitle = "File - Print Match List";

// What the print commands read from the main window.
class PrintView {
 public:
  virtual ~PrintView() = default;
  virtual std::string Title() = 0;                   // the window's title
  virtual std::string ResultText() = 0;              // the description pane's whole text
  virtual int MatchListCount() = 0;                  // lines in the match list
  virtual std::string MatchListLine(int index) = 0;  // line index (0 = first) as it stands
  virtual void SetBusyPointer(bool busy) = 0;        // busy or normal mouse pointer
};

bool PrinterInit(Printer& printer);
bool PrintWrappedLine(Printer& printer, const std::string& line, double width);
void mnuFilePrint_Click(PrintView& view);
void mnuFilePrintList_Click(PrintView& view);

#endif
