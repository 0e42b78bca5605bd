// How both windows look on the screen: the program icon and the control font, each at the
// screen's resolution that the start-up took into TwipsPerPixelX/Y. The program declares itself
// DPI-aware in its manifest, so that resolution is the real one and nothing is stretched.
//
// Operations:
//   LookScreenDpi()          the screen's dots per inch, 1440 / TwipsPerPixelY (96 before the
//                            start-up has run)
//   LookIcon(small)          the program icon at the system's large or small icon size, shared
//                            (never destroyed); nullptr when the program file carries none, as
//                            a test program does
//   LookMessageFont()        a new font, the system's message font at LookScreenDpi(); the
//                            caller deletes it; nullptr when the system describes none
//   LookRegisterClass(instance, name, proc)
//                            registers a top-level window class of the program (icons, arrow
//                            pointer, dialog background) once; true when it is registered
//   LookCreateTopLevel(klass, caption, inner_width, inner_height, owner, menu)
//                            a resizable top-level window of the class, placed by the system,
//                            whose inner area has the designed size (twips) at the screen's
//                            resolution; nullptr when it cannot be made
#ifndef TAVLO_GUI_WIN_LOOK_WIN_H
#define TAVLO_GUI_WIN_LOOK_WIN_H

#include <windows.h>

int LookScreenDpi();
HICON LookIcon(bool small);
HFONT LookMessageFont();
bool LookRegisterClass(HINSTANCE instance, const char* name, WNDPROC proc);
HWND LookCreateTopLevel(const char* klass, const char* caption, float inner_width,
                        float inner_height, HWND owner, HMENU menu);

#endif
