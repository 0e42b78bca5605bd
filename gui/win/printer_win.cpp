#include "win/printer_win.h"

#include <commdlg.h>

#include <cmath>
#include <cstring>

#include "base/files.h"
#include "print/fontdlg.h"

namespace {

constexpr int kTabStopDialogUnits = 24;  // the match list's tab-stop spacing
constexpr const char* kDocumentName = "tavlo";
// What a failed end of the document reports, beside the system's error number.
constexpr const char* kRefusedJob = "The printer refused the job.";

HWND FontDialogOwner = nullptr;

// A device context for the default printer, or nullptr with the failure filled in.
HDC DefaultPrinterDc(PrintFailure& failure) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  BOOL ok = PrintDlgA(&dialog);
  if (dialog.hDevMode != nullptr) {
    GlobalFree(dialog.hDevMode);
  }
  if (dialog.hDevNames != nullptr) {
    GlobalFree(dialog.hDevNames);
  }
  if (ok && dialog.hDC != nullptr) {
    return dialog.hDC;
  }
  DWORD number = CommDlgExtendedError();
  failure = {static_cast<long>(number), CommonDialogErrorText(number)};
  if (failure.description.empty()) {
    failure.description = "The default printer could not be opened.";
  }
  return nullptr;
}

// The default printer as one document. Widths are in the device's dots, or in millimetres once
// SetUnitMillimetres was called.
class PrinterWin32 : public Printer {
 public:
  ~PrinterWin32() override {
    if (in_document_) {
      AbortDoc(dc_);
    }
    if (dc_ != nullptr) {
      SelectObject(dc_, GetStockObject(DEVICE_DEFAULT_FONT));
      DeleteDC(dc_);
    }
    if (font_ != nullptr) {
      DeleteObject(font_);
    }
  }

  bool SetUnitMillimetres() override {
    if (!Open()) {
      return false;
    }
    millimetres_ = true;
    return true;
  }

  bool SetFont(const PrinterFont& choice) override {
    if (!Open()) {
      return false;
    }
    LOGFONTA font{};
    font.lfHeight = -MulDiv(static_cast<int>(std::lround(choice.size * 10)),
                            GetDeviceCaps(dc_, LOGPIXELSY), 720);
    font.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = choice.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    std::strncpy(font.lfFaceName, choice.name.c_str(), LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectA(&font);
    if (created == nullptr) {
      return FailWithLastError("The printer font could not be made.");
    }
    SelectObject(dc_, created);
    if (font_ != nullptr) {
      DeleteObject(font_);
    }
    font_ = created;
    return Measure();
  }

  bool PrintableWidth(double& width) override {
    if (!Open()) {
      return false;
    }
    width = ToUnit(GetDeviceCaps(dc_, HORZRES));
    return true;
  }

  bool TextWidth(const std::string& text, double& width) override {
    if (!Open()) {
      return false;
    }
    // Measured piece by piece, as TabbedTextOutA places them: the system's tabbed extent holds
    // only 16 bits, which a long line in a large font on a fine printer can pass.
    long x = 0;
    size_t start = 0;
    for (;;) {
      size_t tab = text.find('\t', start);
      size_t end = tab == std::string::npos ? text.size() : tab;
      SIZE size{};
      if (end > start &&
          !GetTextExtentPoint32A(dc_, text.data() + start, static_cast<int>(end - start), &size)) {
        return FailWithLastError("The printer could not measure a text.");
      }
      x += size.cx;
      if (tab == std::string::npos) {
        break;
      }
      x = tab_stop_ > 0 ? (x / tab_stop_ + 1) * tab_stop_ : x;
      start = tab + 1;
    }
    width = ToUnit(x);
    return true;
  }

  bool PrintLine(const std::string& text) override {
    if (!Open() || !BeginPage()) {
      return false;
    }
    // A new page when this line would pass the foot of the printable area.
    if (y_ > 0 && y_ + line_height_ > GetDeviceCaps(dc_, VERTRES)) {
      if (::EndPage(dc_) <= 0) {
        return FailWithLastError("The printer could not end a page.");
      }
      in_page_ = false;
      if (!BeginPage()) {
        return false;
      }
    }
    if (!text.empty() && TabbedTextOutA(dc_, 0, y_, text.data(), static_cast<int>(text.size()), 1,
                                        &tab_stop_, 0) == 0) {
      return FailWithLastError("The printer could not print a line.");
    }
    y_ += line_height_;
    return true;
  }

  bool EndDoc() override {
    if (dc_ == nullptr) {
      return Open();  // nothing was printed; fails as the other operations did
    }
    if (!in_document_) {
      return true;
    }
    in_document_ = false;
    if (in_page_) {
      in_page_ = false;
      if (::EndPage(dc_) <= 0) {
        AbortDoc(dc_);
        return FailWithLastError("The printer could not end a page.");
      }
    }
    // Every line went out, so a failure here is the spooler turning the job away (a queue that
    // rejects jobs); the system's text for its number ("Invalid handle.") would not say so.
    if (::EndDoc(dc_) <= 0) {
      failure_ = {static_cast<long>(GetLastError()), kRefusedJob};
      return false;
    }
    return true;
  }

  PrintFailure LastFailure() const override {
    return failure_;
  }

 private:
  bool Open() {
    if (dc_ != nullptr) {
      return true;
    }
    dc_ = DefaultPrinterDc(failure_);
    return dc_ != nullptr && Measure();
  }

  // Line height and tab stops of the current font.
  bool Measure() {
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(dc_, &metrics)) {
      return FailWithLastError("The printer font could not be measured.");
    }
    line_height_ = metrics.tmHeight + metrics.tmExternalLeading;
    // Dialog units are a quarter of the average width of the letters, as the system computes it.
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    int average = metrics.tmAveCharWidth;
    if (GetTextExtentPoint32A(dc_, kLetters, 52, &size) && size.cx > 0) {
      average = (size.cx / 26 + 1) / 2;
    }
    tab_stop_ = kTabStopDialogUnits * average / 4;
    return true;
  }

  bool BeginPage() {
    if (!in_document_) {
      DOCINFOA info{};
      info.cbSize = sizeof info;
      info.lpszDocName = kDocumentName;
      if (StartDocA(dc_, &info) <= 0) {
        return FailWithLastError("The printer could not start the document.");
      }
      in_document_ = true;
    }
    if (!in_page_) {
      if (::StartPage(dc_) <= 0) {
        return FailWithLastError("The printer could not start a page.");
      }
      in_page_ = true;
      y_ = 0;
    }
    return true;
  }

  double ToUnit(long dots) const {
    if (!millimetres_) {
      return dots;
    }
    return dots * 25.4 / GetDeviceCaps(dc_, LOGPIXELSX);
  }

  bool FailWithLastError(const char* what) {
    DWORD number = GetLastError();
    std::string text = number != 0 ? SystemErrorText(static_cast<int>(number)) : "";
    failure_ = {static_cast<long>(number), text.empty() ? what : text};
    return false;
  }

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  bool millimetres_ = false;
  bool in_document_ = false;
  bool in_page_ = false;
  int y_ = 0;
  int line_height_ = 0;
  int tab_stop_ = 0;
  PrintFailure failure_;
};

}  // namespace

std::unique_ptr<Printer> NewWinPrinter() {
  return std::make_unique<PrinterWin32>();
}

bool WinFontDialog(PrinterFont& font, unsigned flags, PrintFailure& failure) {
  // The dialog lists the printer's fonts, so it needs the printer.
  HDC printer = DefaultPrinterDc(failure);
  if (printer == nullptr) {
    return false;
  }
  // The dialog reads the preselected height in the screen's pixels, whatever device it lists.
  HDC screen = GetDC(nullptr);
  LOGFONTA chosen{};
  chosen.lfHeight = -MulDiv(static_cast<int>(std::lround(font.size * 10)),
                            GetDeviceCaps(screen, LOGPIXELSY), 720);
  ReleaseDC(nullptr, screen);
  chosen.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  chosen.lfItalic = font.italic ? TRUE : FALSE;
  chosen.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(chosen.lfFaceName, font.name.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = FontDialogOwner;
  dialog.hDC = printer;
  dialog.lpLogFont = &chosen;
  dialog.Flags = flags | CF_INITTOLOGFONTSTRUCT;
  BOOL ok = ChooseFontA(&dialog);
  DWORD number = ok ? 0 : CommDlgExtendedError();
  DeleteDC(printer);
  if (ok) {
    font.name = chosen.lfFaceName;
    font.size = static_cast<float>(dialog.iPointSize) / 10;
    font.bold = chosen.lfWeight >= FW_SEMIBOLD;
    font.italic = chosen.lfItalic != 0;
    return true;
  }
  if (number == 0) {
    failure = {kFontDialogCancelled, "Cancel was selected."};
  } else {
    failure = {static_cast<long>(number), CommonDialogErrorText(number)};
    if (failure.description.empty()) {
      failure.description = "The font dialog failed.";
    }
  }
  return false;
}

void UseWinPrinting(HWND owner) {
  FontDialogOwner = owner;
  InstallPrinter(NewWinPrinter);
  InstallFontDialog(WinFontDialog);
}

std::string CommonDialogErrorText(unsigned long number) {
  switch (number) {
    case CDERR_INITIALIZATION:
      return "The dialog could not be initialised (out of memory?).";
    case CDERR_MEMALLOCFAILURE:
    case CDERR_MEMLOCKFAILURE:
      return "The dialog ran out of memory.";
    case PDERR_CREATEICFAILURE:
      return "The printer's device context could not be created.";
    case PDERR_DEFAULTDIFFERENT:
    case PDERR_DNDMMISMATCH:
      return "The printer settings do not match the printer.";
    case PDERR_GETDEVMODEFAIL:
    case PDERR_INITFAILURE:
    case PDERR_LOADDRVFAILURE:
      return "The printer driver could not be loaded.";
    case PDERR_NODEFAULTPRN:
      return "No default printer is set up.";
    case PDERR_NODEVICES:
      return "No printer is installed.";
    case PDERR_PRINTERNOTFOUND:
      return "The default printer was not found.";
    case PDERR_RETDEFFAILURE:
      return "The default printer could not be returned.";
    case CFERR_NOFONTS:
      return "No fonts are available for the printer.";
    case CFERR_MAXLESSTHANMIN:
      return "The font size range is empty.";
    default:
      return "";
  }
}
