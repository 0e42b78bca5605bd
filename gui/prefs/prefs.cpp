#include "prefs/prefs.h"

#include "base/app.h"
#include "code/code.h"
#include "printfont/printfont.h"

int16_t PrefsDebugFromStored(int32_t value) {
  if (value > INT16_MAX)
    return INT16_MAX;
  if (value < INT16_MIN)
    return INT16_MIN;
  return static_cast<int16_t>(value);
}

void PrefsFormLoad(PrefsView& window) {
  window.SetCaption(kAppTitle);
  uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, kPrefsKey);
  DebugMode = PrefsDebugFromStored(RegcQueryValueLong(key, kPrefsDebugValue, 0));
  const int32_t ruler = RegcQueryValueLong(key, kPrefsRulerValue, 0);
  const std::string last_search = RegcQueryValue(key, kPrefsLastSearchValue, "");
  RegcRestoreWindow(key, kPrefsMainWindowValue, window.Frame());

  // The printer font: each part that cannot be used keeps what it was.
  PrinterFontSetName(PrinterFontChoice,
                     RegcQueryValue(key, kPrinterFontNameValue, kPrinterFontDefaultName));
  PrinterFontChoice.size = PrinterFontSizeFromStored(
      RegcQueryValueLong(key, kPrinterFontSizeValue, kPrinterFontDefaultSize));
  PrinterFontChoice.bold =
      PrinterFontBoldFromStored(RegcQueryValueLong(key, kPrinterFontBoldValue, 0));
  RegcClose(key);

  // Judged against the window as its placement has just left it.
  RulerLayout panes = window.Panes();
  RulerPlaceStored(panes, ruler, TwipsPerPixelX);
  window.SetPanes(panes);
  window.RulerToBack();

  window.LoadBinaryResource();
  window.SetListTabStops();
  window.SetSearchText(last_search);
  window.SelectSearchText();
}

void PrefsFormUnload(PrefsView& window) {
  uint32_t key = RegcOpenWrite(kRegcCurrentUser, kPrefsKey);
  if (key != 0) {
    RegcWriteValueLong(key, kPrefsDebugValue, DebugMode);
    // A window made narrower than the ruler's reach leaves the ruler where it was (a resize
    // moves no ruler); what is stored is where the next start will put it, within reach.
    RulerLayout panes = window.Panes();
    RulerKeepWithinReach(panes, TwipsPerPixelX);
    RegcWriteValueLong(key, kPrefsRulerValue, RulerStored(panes));
    RegcWriteValueString(key, kPrefsLastSearchValue, window.SearchText());
    RegcSaveWindow(key, kPrefsMainWindowValue, window.Frame());
    RegcWriteValueString(key, kPrinterFontNameValue, PrinterFontChoice.name);
    RegcWriteValueLong(key, kPrinterFontSizeValue, PrinterFontSizeToStored(PrinterFontChoice.size));
    RegcWriteValueLong(key, kPrinterFontBoldValue, PrinterFontBoldToStored(PrinterFontChoice.bold));
    RegcClose(key);
  }
  if (MakeWindowLoaded != kFalse)
    window.UnloadMakeWindow();
}
