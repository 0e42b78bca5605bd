// PRINTFONT: the printer font choice of the windowed tool — face name, size in points, bold and
// italic — held for the whole run. The main window loads it from the preferences when it opens
// and saves it when it closes; the font dialog of the print commands shows and changes it, and
// printing prepares the printer with it.
//
// State (process-wide):
//   PrinterFontChoice        the current choice; kPrinterFontDefault until the preferences load
//
// Operations:
//   PrinterFontSetName(font, name)    takes a face name; false (font unchanged) when the name is
//                                     empty or longer than kPrinterFontNameMax characters
//   PrinterFontSizeFromStored(v)      "PrinterFontSize" as read: v points, 10 when v is not 6..72
//   PrinterFontSizeToStored(size)     the size rounded to whole points, ties to even (10.5 -> 10,
//                                     11.5 -> 12), held within the 32-bit range
//   PrinterFontBoldFromStored(v)      "PrinterFontBold" as read: bold when v is not 0
//   PrinterFontBoldToStored(bold)     -1 when bold, 0 when not
//
// Italic is part of a choice made in the dialog but is not kept between runs.
#ifndef TAVLO_GUI_PRINTFONT_PRINTFONT_H
#define TAVLO_GUI_PRINTFONT_PRINTFONT_H

#include <cstddef>
#include <cstdint>
#include <string>

// Preference values of the choice, under the preferences key.
constexpr const char* kPrinterFontNameValue = "PrinterFontName";
constexpr const char* kPrinterFontSizeValue = "PrinterFontSize";
constexpr const char* kPrinterFontBoldValue = "PrinterFontBold";

constexpr const char* kPrinterFontDefaultName = "Arial";
constexpr int32_t kPrinterFontDefaultSize = 10;
constexpr int32_t kPrinterFontMinSize = 6;
constexpr int32_t kPrinterFontMaxSize = 72;
// Longest face name a Windows font description holds (32 bytes with the terminating NUL).
constexpr std::size_t kPrinterFontNameMax = 31;

struct PrinterFont {
  std::string name = kPrinterFontDefaultName;
  float size = kPrinterFontDefaultSize;  // points; the dialog may give halves
  bool bold = false;
  bool italic = false;

  bool operator==(const PrinterFont& other) const = default;
};

inline const PrinterFont kPrinterFontDefault{};

extern PrinterFont PrinterFontChoice;

bool PrinterFontSetName(PrinterFont& font, const std::string& name);
float PrinterFontSizeFromStored(int32_t value);
int32_t PrinterFontSizeToStored(float size);
bool PrinterFontBoldFromStored(int32_t value);
int32_t PrinterFontBoldToStored(bool bold);

#endif
