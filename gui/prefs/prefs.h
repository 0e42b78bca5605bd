// PREFS: the main window's preferences under PrefsKey, read by frmMain's Form_Load and written by
// its Form_Unload through REGC, with the window behind PrefsView.
//
// Operations:
//   PrefsFormLoad(window)     in this order: the caption (kAppTitle); PrefsKey opened, created on
//   the first
//                             run (a handle of 0 is used all the same); "Debug" into DebugMode;
//                             "Ruler"; "LastSearch"; "MainWindow" (RegcRestoreWindow); the
//                             printer font into PrinterFontChoice, a value that cannot be used
//                             leaving that part as it was; the key closed; the panes placed from
//                             the ruler (RulerPlaceStored); the ruler sent back; the descriptions
//                             loaded; the list's tab stops; the last search put into the search
//                             box (which searches) and selected whole
//   PrefsFormUnload(window)   with the key opened for writing (nothing written when it is 0):
//                             "Debug", "Ruler" (within reach: RulerKeepWithinReach), "LastSearch",
//                             "MainWindow" (normal state only),
//                             "PrinterFontName", "PrinterFontSize", "PrinterFontBold", the key
//                             closed; then frmMake unloaded when MakeWindowLoaded
//   PrefsDebugFromStored(v)   "Debug" as the 16-bit DebugMode: v, held within -32768..32767, so
//                             that any value set outside the tool keeps its sign and stays on
//
// Registry failures are shown by REGC's own boxes; nothing here fails otherwise.
#ifndef TAVLO_GUI_PREFS_PREFS_H
#define TAVLO_GUI_PREFS_PREFS_H

#include <cstdint>
#include <string>

#include "base/app.h"
#include "regc/regc.h"
#include "prefs/ruler.h"

constexpr const char* kPrefsDebugValue = "Debug";
constexpr const char* kPrefsRulerValue = "Ruler";
constexpr const char* kPrefsLastSearchValue = "LastSearch";
constexpr const char* kPrefsMainWindowValue = "MainWindow";

// What the preferences need of the main window. Positions in twips.
class PrefsView {
 public:
  virtual ~PrefsView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual RegcView& Frame() = 0;  // the window as a whole, for its placement
  virtual RulerLayout Panes() const = 0;
  virtual void SetPanes(const RulerLayout& panes) = 0;
  virtual void RulerToBack() = 0;
  virtual void LoadBinaryResource() = 0;
  virtual void SetListTabStops() = 0;  // warns in a box itself when the list refuses them
  virtual std::string SearchText() const = 0;
  virtual void SetSearchText(const std::string& text) = 0;  // searches, as typing does
  virtual void SelectSearchText() = 0;                      // selects the whole text
  virtual void UnloadMakeWindow() = 0;                      // which saves its own settings
};

void PrefsFormLoad(PrefsView& window);
void PrefsFormUnload(PrefsView& window);
int16_t PrefsDebugFromStored(int32_t value);

#endif
