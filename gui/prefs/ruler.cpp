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

}  // namespace

bool RulerPlaceStored(RulerLayout& layout, int32_t stored, float px) {
  const float ruler = static_cast<float>(stored);
  const float pane_left = ruler + layout.ruler_width + 2 * px;
  // A ruler at or left of the list's edge plus two pixels leaves the list no width, and one
  // that puts the pane's left edge at or past the window's right edge would lose the pane off
  // the window: such a value (a placement from a larger screen, an edited value) is not used.
  if (stored == 0 || ruler <= layout.list_left + 2 * px || pane_left >= layout.inner_width) {
    RulerPlaceFirstRun(layout, px);
    return false;
  }
  layout.ruler_left = ruler;
  layout.list_width = ruler - layout.list_left - 2 * px;
  layout.pane_left = pane_left;
  return true;
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
}

void RulerDragOverPane(RulerLayout& layout, float x, float px) {
  layout.list_width = layout.pane_left + x + 2 * px;
  layout.pane_left = layout.ruler_width + layout.list_width + 2 * px;
  StretchPane(layout, px);
}

void RulerDrop(RulerLayout& layout, float px) {
  layout.ruler_left = layout.pane_left - layout.ruler_width - 2 * px;
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
