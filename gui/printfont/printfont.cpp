#include "printfont/printfont.h"

#include <cmath>
#include <limits>

PrinterFont PrinterFontChoice;

bool PrinterFontSetName(PrinterFont& font, const std::string& name) {
  if (name.empty() || name.size() > kPrinterFontNameMax)
    return false;
  font.name = name;
  return true;
}

float PrinterFontSizeFromStored(int32_t value) {
  if (value < kPrinterFontMinSize || value > kPrinterFontMaxSize)
    return kPrinterFontDefaultSize;
  return static_cast<float>(value);
}

int32_t PrinterFontSizeToStored(float size) {
  if (std::isnan(size))
    return 0;
  // Halves go to the even neighbour, as a banker's rounding does.
  double whole = std::floor(static_cast<double>(size));
  double rest = static_cast<double>(size) - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0))
    whole += 1;
  if (whole <= std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  if (whole >= std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(whole);
}

bool PrinterFontBoldFromStored(int32_t value) {
  return value != 0;
}

int32_t PrinterFontBoldToStored(bool bold) {
  return bold ? -1 : 0;
}
