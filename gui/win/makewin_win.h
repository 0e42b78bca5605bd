// frmMake, "Make Binary Resource", over Win32: the window, its controls at their designed places
// and the message loop of its modal showing. Its logic is MakeWindow (makewin.h).
//
// Operations:
//   frmMakeShowModal(owner)   loads the window the first time (its settings are read), shows it
//                             with "Ready." in the log and returns when it is hidden (Close) or
//                             closed from its title bar (it is then unloaded, settings saved);
//                             the owner takes no input meanwhile
//   frmMakeLoaded()           the window exists
//   frmMakeUnload()           saves its settings and destroys it, when it exists
//   frmMakeLogic()            its MakeWindow while it exists, else nullptr (the main window asks
//                             it whether a close or a log-off may go on)
//   frmMakeWindow()           its window handle, or nullptr
#ifndef TAVLO_GUI_WIN_MAKEWIN_WIN_H
#define TAVLO_GUI_WIN_MAKEWIN_WIN_H

#include <windows.h>

#include "makewin/makewin.h"

// Design sizes in twips.
constexpr float kFrmMakeInnerWidthTwips = 7380;
constexpr float kFrmMakeInnerHeightTwips = 5070;

// Control ids, for the window procedure and for tests that drive the window.
constexpr int kFrmMakeDataDirId = 101;
constexpr int kFrmMakeDataFileId = 102;
constexpr int kFrmMakeMakeId = 103;
constexpr int kFrmMakeDumpId = 104;
constexpr int kFrmMakeCloseId = 105;
constexpr int kFrmMakeLogId = 106;

void frmMakeShowModal(HWND owner);
bool frmMakeLoaded();
void frmMakeUnload();
MakeWindow* frmMakeLogic();
HWND frmMakeWindow();

#endif
