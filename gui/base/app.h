// Portable facts of the windowed tool that every module may need: the application title, the
// windows' designed sizes (in twips, 1/1440 inch) and the main window's menu command ids.
#ifndef TAVLO_GUI_BASE_APP_H
#define TAVLO_GUI_BASE_APP_H

// The application title, the main window's caption and the title of its message boxes.
constexpr const char* kAppTitle = "tavlo";
// The main window's designed inner size.
constexpr float kFrmMainInnerWidthTwips = 10515;
constexpr float kFrmMainInnerHeightTwips = 6180;

// HKEY_CURRENT_USER\ + this path holds the preferences of both windows.
constexpr const char* kPrefsKey = "Software\\Harbex\\Zarvex Veltis Utilities\\Pindle";

// Command ids of the main window's menu items, in menu order. The File menu's printing items
// stand above "E&xit...", and "Find by &Words..." above them, set off by a separator.
constexpr int kMnuFileFindWords = 1100;         // "Find by &Words..."  Ctrl+Shift+F
constexpr int kMnuFilePrintList = 1101;         // printing: the match list
constexpr int kMnuFilePrintDescription = 1102;  // printing: the description pane
constexpr int kMnuFilePrinterFont = 1103;       // printing: the font chooser
constexpr int kMnuFileExit = 1199;              // "E&xit..."  F3
constexpr int kMnuHelpVersion = 1201;           // "&Version..."
constexpr int kMnuHelpUsing = 1202;             // "&Using TAVLO..."  F1

#endif
