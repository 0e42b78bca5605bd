#include "prefs/ruler.h"

#include <cmath>
#include <limits>

namespace {

// Thirty pixels, rounded to single precision as every size guard compares against it.
float Min(float px) {
  volatile float min = 30 * px;
  return min;
}

void StretchPane(RulerLayout& layout, float px) {
  float w = layout.inner_width - layout.pane_left - layout.list_left;
  if (w > Min(px))
    layout.pane_width = w;
}

// Moves the panes as a ruler at pane_left - ruler_width - 2 pixels would place them, when that
// ruler lies outside the reach the header describes. The ruler itself moves only on a drop.
// The pane is given the window's remaining width when that is 30 pixels exactly, which the
// stretch rule would refuse, so that a ruler at its rightmost place leaves no pane outside.
void KeepInReach(RulerLayout& layout, float px) {
  const float ruler = layout.pane_left - layout.ruler_width - 2 * px;
  const float most = layout.inner_width - layout.list_left - Min(px) - 2 * px - layout.ruler_width;
  float kept = ruler > most ? most : ruler;
  if (kept < layout.search_right)
    kept = layout.search_right;
  if (kept != ruler) {
    layout.list_width = kept - layout.list_left - 2 * px;
    layout.pane_left = kept + layout.ruler_width + 2 * px;
  }
  const float w = layout.inner_width - layout.pane_left - layout.list_left;
  if ((kept != ruler && w > Min(px)) || w == Min(px))
    layout.pane_width = w;
}

}  // namespace

bool RulerPlaceStored(RulerLayout& layout, int32_t stored, float px) {
  const float ruler = static_cast<float>(stored);
  const float pane_left = ruler + layout.ruler_width + 2 * px;
  // A ruler at or left of the list's edge plus two pixels leaves the list no width, and one
  // that puts the pane's left edge at or past the window's right edge would lose the pane off
  // the window: such a value (a placement from a larger screen, an edited value) is not used.
  // Either way the ruler then stays within reach.
  const bool used =
      !(stored == 0 || ruler <= layout.list_left + 2 * px || pane_left >= layout.inner_width);
  if (used) {
    layout.ruler_left = ruler;
    layout.list_width = ruler - layout.list_left - 2 * px;
    layout.pane_left = pane_left;
  } else {
    RulerPlaceFirstRun(layout, px);
  }
  KeepInReach(layout, px);
  RulerDrop(layout, px);
  return used;
}

void RulerPlaceFirstRun(RulerLayout& layout, float px) {
  layout.ruler_left = layout.list_left + layout.list_width + 2 * px;
  layout.pane_left = layout.ruler_left + layout.ruler_width + 2 * px;
}

void RulerDragOverList(RulerLayout& layout, float x, float px) {
  float w = x - 2 * px;
  if (w > Min(px))
    layout.list_width = w;
  layout.pane_left = x + layout.ruler_width + 2 * px;
  StretchPane(layout, px);
  KeepInReach(layout, px);
}

void RulerDragOverPane(RulerLayout& layout, float x, float px) {
  layout.list_width = layout.pane_left + x + 2 * px;
  layout.pane_left = layout.ruler_width + layout.list_width + 2 * px;
  StretchPane(layout, px);
  KeepInReach(layout, px);
}

void RulerDrop(RulerLayout& layout, float px) {
  KeepInReach(layout, px);
  layout.ruler_left = layout.pane_left - layout.ruler_width - 2 * px;
}

void RulerKeepWithinReach(RulerLayout& layout, float px) {
  layout.list_width = layout.ruler_left - layout.list_left - 2 * px;
  layout.pane_left = layout.ruler_left + layout.ruler_width + 2 * px;
  RulerDrop(layout, px);
}

int32_t RulerStored(const RulerLayout& layout) {
  // nearbyint rounds halves to even in the default rounding mode, which nothing here changes.
  double r = std::nearbyint(static_cast<double>(layout.ruler_left));
  if (std::isnan(r))
    return 0;
  if (r <= std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  if (r >= std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(r);
}
