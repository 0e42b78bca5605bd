// RULER: where the ruler between the match list and the description pane stands, and how
// dragging and dropping it re-divides the main window. All positions are in twips within the
// window's inner area; px is the width of one screen pixel (TwipsPerPixelX).
//
// Operations:
//   RulerPlaceStored(layout, stored, px)   the panes from a stored "Ruler": the ruler at the
//                                          stored edge, the list up to 2 pixels before it, the
//                                          pane 2 pixels after it. The first-run placement is
//                                          used instead for 0 and for a value that cannot be
//                                          applied; then kept within reach (below); returns
//                                          whether the stored value was used
//   RulerPlaceFirstRun(layout, px)         the ruler 2 pixels right of the list at its width,
//                                          the pane 2 pixels right of the ruler
//   RulerDragOverList(layout, x, px)       the pointer at x over the list (x from the list's
//                                          left edge): the list ends 2 pixels before it, the
//                                          pane starts a ruler's width and 2 pixels after it
//   RulerDragOverPane(layout, x, px)       the pointer at x over the pane (x from the pane's
//                                          left edge): the list reaches 2 pixels past it
//   RulerDrop(layout, px)                  dropped on the background: the ruler 2 pixels
//                                          before the pane, within reach
//   RulerKeepWithinReach(layout, px)       the ruler, list and pane as a start would place them
//                                          from the ruler's left edge: the ruler within reach
//   RulerStored(layout)                    the ruler's left edge as "Ruler" keeps it: rounded
//                                          to a whole twip, ties to even
//
// A width of 30 pixels or less is never given to the list (over the list) or to the pane; the
// control keeps its width instead.
//
// Wherever it is dragged, dropped or restored from, the ruler is kept within reach: its left
// edge no further left than the search box's right edge (search_right), so that the pane never
// covers the search box and the ruler never hides under the list, and no further right than
// leaves the pane 30 pixels and the gap before it inside the window. When the window is too
// narrow for both, the search box's edge wins. The list, the pane's left edge and its width
// follow a ruler that is moved so; a layout without a search box (search_right 0) has no
// left bound but the list's.
#ifndef TAVLO_GUI_PREFS_RULER_H
#define TAVLO_GUI_PREFS_RULER_H

#include <cstdint>

struct RulerLayout {
  float inner_width = 0;  // the window's inner width (SW)
  float list_left = 0;
  float list_width = 0;
  float ruler_left = 0;
  float ruler_width = 0;
  float pane_left = 0;
  float pane_width = 0;
  float search_right = 0;  // the search box's right edge: the ruler's leftmost place

  bool operator==(const RulerLayout& other) const = default;
};

bool RulerPlaceStored(RulerLayout& layout, int32_t stored, float px);
void RulerPlaceFirstRun(RulerLayout& layout, float px);
void RulerDragOverList(RulerLayout& layout, float x, float px);
void RulerDragOverPane(RulerLayout& layout, float x, float px);
void RulerDrop(RulerLayout& layout, float px);
void RulerKeepWithinReach(RulerLayout& layout, float px);
int32_t RulerStored(const RulerLayout& layout);

#endif
