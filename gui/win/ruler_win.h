// The ruler picRuler as a splitter: pressed and dragged with the mouse, it reports the pointer
// over the match list or the description pane (x in twips from that control's left edge), and
// released anywhere (the gap the drag opens, the ruler itself, the list, the pane or outside
// the window) it reports a drop, so that the ruler never stays behind a pane that the drag
// moved over it. The ruler stays where it is until the drop handler moves it.
//
// Operations:
//   RulerWin32Attach(ruler, list, pane, events)   makes the ruler draggable; all three are
//                                                 children of one window
#ifndef TAVLO_GUI_WIN_RULER_WIN_H
#define TAVLO_GUI_WIN_RULER_WIN_H

#include <windows.h>

#include <functional>

struct RulerWin32Events {
  std::function<void(float x)> over_list;  // lstMatches_DragOver
  std::function<void(float x)> over_pane;  // txtResult_DragOver
  std::function<void()> drop;              // Form_DragDrop
};

bool RulerWin32Attach(HWND ruler, HWND list, HWND pane, RulerWin32Events events);

#endif
