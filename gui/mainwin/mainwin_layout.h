// The main window's layout in twips: the designed positions of its five controls, the first
// placement of the panes from the ruler position, and the resize rules. Pure arithmetic; the
// window applies the result through MainView::Place.
//
// Operations:
//   DesignedLayout()                       the controls where the window was designed
//   PlacePanes(layout, ruler, px)          list, ruler and pane from a ruler position (0: first
//                                          run, the ruler 2 pixels right of the list)
//   ResizeLayout(layout, sw, sh, px, py)   stretches the pane and the list to an inner size of
//                                          sw by sh twips; a size of 30 pixels or less is not
//                                          applied; the list's width and the ruler's place stay
//   MainTabNext(from, backwards)           the control Tab (Shift+Tab: backwards) moves the
//                                          focus to: the search box, the list, the pane, round
//                                          again; from any other control the search box (the
//                                          pane)
//   (twips to pixels: TwipsToPixels of twips.h)
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_LAYOUT_H
#define TAVLO_GUI_MAINWIN_MAINWIN_LAYOUT_H

#include "base/twips.h"

enum class MainControl { kLabel1, kTxtSearch, kLstMatches, kPicRuler, kTxtResult };
constexpr int kMainControlCount = 5;

struct TwipsRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

struct MainLayout {
  TwipsRect rects[kMainControlCount];
  TwipsRect& operator[](MainControl c) {
    return rects[static_cast<int>(c)];
  }
  const TwipsRect& operator[](MainControl c) const {
    return rects[static_cast<int>(c)];
  }
};

// A control is never made this many pixels wide or high, or less, by a resize.
constexpr float kMinPanePixels = 30;

MainLayout DesignedLayout();
void PlacePanes(MainLayout* layout, float ruler_position, float px);
void ResizeLayout(MainLayout* layout, float sw, float sh, float px, float py);
MainControl MainTabNext(MainControl from, bool backwards);

#endif
