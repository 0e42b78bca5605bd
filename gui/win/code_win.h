// CODE's Win32 half: the program's entry (WinMain, which runs Main and then the message loop
// with the main window's key preview) and the start-up routine.
//
// Operations:
//   Main()    gathers the platform's facts (program path, TMP and TEMP, screen resolution) for
//             CodeStartup, then shows frmMain
#ifndef TAVLO_GUI_WIN_CODE_WIN_H
#define TAVLO_GUI_WIN_CODE_WIN_H

void Main();

#endif
