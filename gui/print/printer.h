// The printer the print commands write to: the system's default printer, one document at a
// time.
//
// A print command takes a new Printer from OpenDefaultPrinter, sets it up, prints its lines and
// ends the document; the document begins with the first printed line. Lines are printed one
// under the other from the top left of the printable area; the printer starts a new page by
// itself when the next line does not fit.
//
// Operations (each returns true on success; on failure false, and LastFailure() tells why):
//   SetUnitMillimetres()       widths are given and measured in millimetres from now on
//   SetFont(font)              face name, size in points, bold and italic flags of the print
//   PrintableWidth(width)      width of the page's printable area
//   TextWidth(text, width)     printed width of a text in the current font
//   PrintLine(text)            prints one line and moves to the next; "" prints an empty line
//   EndDoc()                   ends the document, which sends it to the printer
//   LastFailure()              number and description of the last failure
//
// The gate:
//   OpenDefaultPrinter()       a new printer from the installed factory
//   InstallPrinter(f)          installs a factory (nullptr: the default); returns the old one
// Default factory: a printer with no device, whose every operation fails with
// kPrinterFailureNoDevice.
#ifndef TAVLO_GUI_PRINT_PRINTER_H
#define TAVLO_GUI_PRINT_PRINTER_H

#include <memory>
#include <string>

#include "printfont/printfont.h"

// Why a printer operation failed: a number (the system's error number, or a number of the
// printing interface) and its description.
struct PrintFailure {
  long number = 0;
  std::string description;
};

constexpr long kPrinterFailureNoDevice = 484;  // no printer on this platform

class Printer {
 public:
  virtual ~Printer() = default;
  virtual bool SetUnitMillimetres() = 0;
  virtual bool SetFont(const PrinterFont& font) = 0;
  virtual bool PrintableWidth(double& width) = 0;
  virtual bool TextWidth(const std::string& text, double& width) = 0;
  virtual bool PrintLine(const std::string& text) = 0;
  virtual bool EndDoc() = 0;
  virtual PrintFailure LastFailure() const = 0;
};

using PrinterFactory = std::unique_ptr<Printer> (*)();

std::unique_ptr<Printer> OpenDefaultPrinter();
PrinterFactory InstallPrinter(PrinterFactory factory);

#endif
