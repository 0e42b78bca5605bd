// The Win32 entry of the windowed tool (WinMain, which runs CODE's Main) and the main window
// frmMain (so far its frame and title; its panes, menus and preferences come with their modules).
//
// Operations:
//   frmMainShow()               creates and shows the main window (not modal); returns it
//   frmMainWindow()             the main window, or nullptr when it is not open
//   Win32MsgBox(prompt, style, title)   the MsgBox handler that shows a real modal box
#ifndef TAVLO_GUI_WIN_MAIN_WIN_H
#define TAVLO_GUI_WIN_MAIN_WIN_H

#include <windows.h>

#include <string>

constexpr const char* kFrmMainClass = "TavloMain";

HWND frmMainShow();
HWND frmMainWindow();
int Win32MsgBox(const std::string& prompt, unsigned style, const std::string& title);

#endif
