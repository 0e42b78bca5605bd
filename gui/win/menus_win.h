// The main window's menu bar and its keyboard shortcuts.
//
// Operations:
//   frmMainMenuBar()        "&File" with "Find by &Words...<Tab>Ctrl+Shift+F" and a
//                           separator, then "&Print Matched List<Tab>Ctrl+P", "Print
//                           &Description<Tab>F4", "Printer &Font...<Tab>Ctrl+F" and
//                           "E&xit...<Tab>F3" last; "&Help" with "&Version..." and
//                           "&Using TAVLO...<Tab>F1"; the ids are the kMnu... of app.h
//   frmMainAccelerators()   Ctrl+Shift+F, Ctrl+P, F4, Ctrl+F, F3 and F1 for those items; the
//                           message loop translates them for the main window only
#ifndef TAVLO_GUI_WIN_MENUS_WIN_H
#define TAVLO_GUI_WIN_MENUS_WIN_H

#include <windows.h>

HMENU frmMainMenuBar();
HACCEL frmMainAccelerators();

#endif
