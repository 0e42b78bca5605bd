// Identifiers of the resources that tavlo.rc compiles into the program, shared by the resource
// script and the code that loads them. Macros only: the resource compiler reads this file too.
#ifndef TAVLO_GUI_WIN_RES_TAVLO_RES_H
#define TAVLO_GUI_WIN_RES_TAVLO_RES_H

// The program icon. The lowest icon identifier, so the program file shows it as well.
#define TAVLO_ICON_ID 1
// The application manifest that a program file carries for its process (type 24).
#define TAVLO_MANIFEST_ID 1
#define TAVLO_MANIFEST_TYPE 24

#endif
