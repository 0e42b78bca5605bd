// The Win32 entry of the windowed tool (WinMain, which runs CODE's Main) and the main window
// frmMain: its controls (mainview_win.*) and their notifications turned into calls of the
// window's logic (gui/mainwin/); its menus, preferences (loaded as it opens, saved when it
// closes or the session ends), ruler and maintenance key through gui/frmmain/.
//
// Operations:
//   frmMainShow()               creates and shows the main window (not modal) and runs its
//                               Form_Load with the preferences; returns it
//   frmMainWindow()             the main window, or nullptr when it is not open
//   frmMain(), frmMainView()    its logic and its controls while it is open, else nullptr
//   frmMainPreviewKey(message)  the message loop's look at a key before the focused control:
//                               the shortcuts F3 and F1, the maintenance key and Enter
//                               (Form_KeyPress) wherever the focus is; true when the key was
//                               consumed and must not be dispatched
//   Win32MsgBox(prompt, style, title)   the MsgBox handler that shows a real modal box
#ifndef TAVLO_GUI_WIN_MAIN_WIN_H
#define TAVLO_GUI_WIN_MAIN_WIN_H

#include <windows.h>

#include <string>

#include "mainview_win.h"
#include "mainwin.h"

constexpr const char* kFrmMainClass = "TavloMain";

HWND frmMainShow();
HWND frmMainWindow();
MainWindow* frmMain();
Win32MainView* frmMainView();
bool frmMainPreviewKey(MSG* message);
int Win32MsgBox(const std::string& prompt, unsigned style, const std::string& title);

#endif
