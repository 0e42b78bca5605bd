// The Win32 printer and font dialog behind the print commands.
//
// Operations:
//   NewWinPrinter()          a printer on the system's default printer (printer.h): its device
//                            context is taken at the first operation, each printer object is one
//                            document, started by the first printed line
//   WinFontDialog(...)       the system's font chooser, as a font-dialog handler (fontdlg.h)
//   UseWinPrinting(owner)    installs both as the printer factory and the font-dialog handler;
//                            owner is the window the font dialog belongs to
//   CommonDialogErrorText(n) our text for an extended error of the common dialogs, which the
//                            system has no text for ("" for a number we do not know)
//
// On paper, tab characters advance to the next multiple of 24 dialog units (six average
// character widths of the printer font), as the match list's tab stops do on the screen; widths
// are measured the same way. A new page begins when the next line would pass the page's foot.
#ifndef TAVLO_GUI_WIN_PRINTER_WIN_H
#define TAVLO_GUI_WIN_PRINTER_WIN_H

#include <windows.h>

#include <memory>
#include <string>

#include "print/printer.h"

std::unique_ptr<Printer> NewWinPrinter();
bool WinFontDialog(PrinterFont& font, unsigned flags, PrintFailure& failure);
void UseWinPrinting(HWND owner);
std::string CommonDialogErrorText(unsigned long number);

#endif
