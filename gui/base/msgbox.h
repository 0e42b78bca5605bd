// Modal message boxes of the windowed tool.
//
// Every modal box goes through MsgBox, which hands it to the installed handler. The Win32
// entry installs one that shows a real box; tests install one that records the box and returns
// at once, because a modal box with nobody to close it would block the test forever.
//
// Operations:
//   MsgBox(prompt, style, title)      shows a box; returns the button pressed (kMsgBoxIdOk ...)
//   InstallMsgBox(handler)            installs a handler (nullptr: the default); returns the
//                                     old one
// Default handler: writes "title: prompt" to standard error and answers kMsgBoxIdOk.
#ifndef TAVLO_GUI_MSGBOX_H
#define TAVLO_GUI_MSGBOX_H

#include <string>

// Style bits, numerically those of the Windows message box.
constexpr unsigned kMsgBoxOkOnly = 0x00;       // an OK button only
constexpr unsigned kMsgBoxExclamation = 0x30;  // the exclamation icon
// Answers.
constexpr int kMsgBoxIdOk = 1;

using MsgBoxHandler = int (*)(const std::string& prompt, unsigned style, const std::string& title);

int MsgBox(const std::string& prompt, unsigned style, const std::string& title);
MsgBoxHandler InstallMsgBox(MsgBoxHandler handler);

#endif
