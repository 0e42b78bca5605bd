#include "print/fontdlg.h"

#include "base/msgbox.h"

namespace {

constexpr unsigned kMsgBoxIconInformation = 0x40;  // numerically the Windows message box's

bool CancelAtOnce(PrinterFont&, unsigned, PrintFailure& failure) {
  failure = {kFontDialogCancelled, "Cancel was selected."};
  return false;
}

FontDialogHandler current_handler = CancelAtOnce;

}  // namespace

bool ShowFontDialog(PrinterFont& font, unsigned flags, PrintFailure& failure) {
  return current_handler(font, flags, failure);
}

FontDialogHandler InstallFontDialog(FontDialogHandler handler) {
  FontDialogHandler old = current_handler;
  current_handler = handler != nullptr ? handler : CancelAtOnce;
  return old;
}

void mnuFilePrintFont_Click() {
  PrintFailure failure;
  if (ShowFontDialog(PrinterFontChoice, kCfPrinterFonts | kCfForceFontExist, failure)) {
    // The italic flag stays in the choice, so the dialog preselects it and says this again.
    if (PrinterFontChoice.italic) {
      MsgBox(kItalicsIgnored, kMsgBoxOkOnly | kMsgBoxIconInformation, kPrinterFontTitle);
    }
    return;
  }
  if (failure.number == kFontDialogCancelled) {
    return;
  }
  MsgBox("Unexpected error " + std::to_string(failure.number) + ":\r\n\r\n" + failure.description,
         kMsgBoxOkOnly | kMsgBoxExclamation, kPrinterFontTitle);
}
