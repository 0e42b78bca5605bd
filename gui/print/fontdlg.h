// The printer font choice through the system's font dialog.
//
// The dialog goes through a gate, like the message boxes: the Win32 layer installs a handler
// that shows the system's font chooser; tests install one that confirms, cancels or fails at
// once, because a modal dialog with nobody to close it would block the test forever.
//
// Operations:
//   ShowFontDialog(font, flags, failure)  shows the dialog preselected with font; true when the
//                                         user confirmed, font then holds the new choice; false
//                                         on cancel (failure.number kFontDialogCancelled) or any
//                                         other failure, font unchanged
//   InstallFontDialog(handler)            installs a handler (nullptr: the default); returns the
//                                         old one
//   mnuFilePrintFont_Click()              lets the user change PrinterFontChoice: confirmed
//                                         italics are announced (and kept), a cancel does
//                                         nothing, any other failure shows "Unexpected error"
// Default handler: reports a cancel at once.
#ifndef TAVLO_GUI_PRINT_FONTDLG_H
#define TAVLO_GUI_PRINT_FONTDLG_H

#include "print/printer.h"

// Chooser flags, numerically those of the system's font dialog.
constexpr unsigned kCfPrinterFonts = 0x00002;    // offer only the printer's fonts
constexpr unsigned kCfForceFontExist = 0x10000;  // refuse a face name that does not exist
constexpr long kFontDialogCancelled = 32755;     // the failure number of a cancel

constexpr const char* kPrinterFontTitle = "Printer Font";
constexpr const char* kItalicsIgnored = "The selection of italics has been ignored.";

using FontDialogHandler = bool (*)(PrinterFont& font, unsigned flags, PrintFailure& failure);

bool ShowFontDialog(PrinterFont& font, unsigned flags, PrintFailure& failure);
FontDialogHandler InstallFontDialog(FontDialogHandler handler);
void mnuFilePrintFont_Click();

#endif
