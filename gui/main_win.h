// The Win32 entry of the windowed tool: the start-up routine Main of CODE and the main window
// frmMain (so far its frame and title; its panes, menus and preferences come with their modules).
//
// Operations:
//   Main()                      gathers the platform's facts for CodeStartup, shows frmMain
//   frmMainShow()               creates and shows the main window (not modal); returns it
//   frmMainWindow()             the main window, or nullptr when it is not open
//   Win32MsgBox(prompt, style, title)   the MsgBox handler that shows a real modal box
#ifndef TAVLO_GUI_MAIN_WIN_H
#define TAVLO_GUI_MAIN_WIN_H

#include <windows.h>

#include <string>

// The application title, the main window's caption.
constexpr const char* kAppTitle = "tavlo";
constexpr const char* kFrmMainClass = "TavloMain";
// The main window's designed inner size.
constexpr float kFrmMainInnerWidthTwips = 10515;
constexpr float kFrmMainInnerHeightTwips = 6180;

void Main();
HWND frmMainShow();
HWND frmMainWindow();
int Win32MsgBox(const std::string& prompt, unsigned style, const std::string& title);

#endif
