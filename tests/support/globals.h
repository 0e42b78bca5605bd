// The one reset of the windowed tool's process-wide state, for a test's set-up: CODE's facts
// and flags as at start-up (15 twips per pixel), the description store empty, the printer font
// at its default, and the clock gate back on its default (the message-box gate is the
// fixtures' own: SettingsEnv installs its recorder before a set-up runs).
#ifndef TAVLO_TESTS_SUPPORT_GLOBALS_H
#define TAVLO_TESTS_SUPPORT_GLOBALS_H

#include "base/clock.h"
#include "code/code.h"
#include "mainwin/mainwin_store.h"
#include "printfont/printfont.h"

inline void ResetGlobalState() {
  TwipsPerPixelX = TwipsPerPixelY = 15;
  DebugMode = kFalse;
  MakeWindowLoaded = kFalse;
  LowerCaseName = kFalse;
  PrinterFontChoice = kPrinterFontDefault;
  StoreClear();
  InstallClock(nullptr);
}

#endif
