// The ruler picRuler as a splitter: dragged with the mouse, it moves the match list and the
// description pane by the ruler's drag rules, and dropped on the window's background (the gap
// the drag opens, or the ruler itself) it takes its place 2 pixels before the pane. Dropped on
// the list or the pane it stays where it was.
//
// Operations:
//   RulerWin32Attach(ruler, list, pane)   makes the ruler draggable; all three are children of
//                                         one window
//   RulerWin32Layout(ruler)               the panes as the ruler rules see them, in twips
//   RulerWin32Apply(ruler, layout)        moves list, ruler and pane to a layout
#ifndef TAVLO_GUI_WIN_RULER_WIN_H
#define TAVLO_GUI_WIN_RULER_WIN_H

#include <windows.h>

#include "ruler.h"

bool RulerWin32Attach(HWND ruler, HWND list, HWND pane);
RulerLayout RulerWin32Layout(HWND ruler);
void RulerWin32Apply(HWND ruler, const RulerLayout& layout);

#endif
