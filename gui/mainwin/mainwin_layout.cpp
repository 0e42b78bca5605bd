#include "mainwin/mainwin_layout.h"

MainLayout DesignedLayout() {
  MainLayout layout;
  layout[MainControl::kLabel1] = {30, 90, 915, 255};
  layout[MainControl::kTxtSearch] = {1005, 60, 1875, 285};
  layout[MainControl::kLstMatches] = {0, 420, 4695, 450};
  layout[MainControl::kPicRuler] = {5100, 420, 75, 735};
  layout[MainControl::kTxtResult] = {5520, 60, 2415, 615};
  return layout;
}

void PlacePanes(MainLayout* layout, float ruler_position, float px) {
  TwipsRect& list = (*layout)[MainControl::kLstMatches];
  TwipsRect& ruler = (*layout)[MainControl::kPicRuler];
  TwipsRect& pane = (*layout)[MainControl::kTxtResult];
  if (ruler_position != 0) {
    ruler.left = ruler_position;
    list.width = ruler_position - list.left - 2 * px;
  } else {
    ruler.left = list.left + list.width + 2 * px;
  }
  pane.left = ruler.left + ruler.width + 2 * px;
}

void ResizeLayout(MainLayout* layout, float sw, float sh, float px, float py) {
  TwipsRect& list = (*layout)[MainControl::kLstMatches];
  TwipsRect& ruler = (*layout)[MainControl::kPicRuler];
  TwipsRect& pane = (*layout)[MainControl::kTxtResult];
  // The guard is 30 pixels in single precision; sizes must exceed it.
  const float min_x = kMinPanePixels * px;
  const float min_y = kMinPanePixels * py;
  float w = sw - list.left - pane.left;
  if (w > min_x)
    pane.width = w;
  float h = sh - pane.top - 2 * py;
  if (h > min_y)
    pane.height = h;
  h = sh - list.top - 2 * py;
  if (h > min_y)
    list.height = h;
  ruler.height = list.height;
}

MainControl MainTabNext(MainControl from, bool backwards) {
  constexpr MainControl kOrder[] = {MainControl::kTxtSearch, MainControl::kLstMatches,
                                    MainControl::kTxtResult};
  constexpr int kCount = 3;
  for (int i = 0; i < kCount; ++i) {
    if (kOrder[i] == from)
      return kOrder[(i + (backwards ? kCount - 1 : 1)) % kCount];
  }
  return backwards ? kOrder[kCount - 1] : kOrder[0];
}
