// The ruler's drag and drop rules, with pixels of 15 twips over the designed window.
#include <gtest/gtest.h>

#include "prefs/ruler.h"

namespace {

constexpr float kPx = 15;
// inner width, list left and width, ruler left and width, pane left and width
// inner width, list left and width, ruler left and width, pane left and width, search box's
// right edge; the pane may start no further right than 10515 - 30 pixels, so the ruler 9960
constexpr RulerLayout kDesigned{10515, 0, 4695, 5100, 75, 5520, 2415, 2880};

TEST(Ruler, DraggingOverTheListOpensAGapLeftOfThePointer) {
  const struct {
    float search_right, x;
    float list_width, pane_left, pane_width;
    const char* why;
  } cases[] = {
      {2880, 3000, 2970, 3105, 7410, "list ends 2 pixels before the pointer"},
      {0, 481, 451, 586, 9929, "no search box: the list just over 30 pixels"},
      {0, 480, 4695, 585, 9930, "no search box: 30 pixels exactly, the list keeps its width"},
      {2880, 2879, 2850, 2985, 7530, "a twip left of the search box's edge: held there"},
      {2880, 100, 2850, 2985, 7530, "far left: the pane stops at the search box's edge"},
      {2880, 9960, 9930, 10065, 450, "the pane just 30 pixels wide"},
      {2880, 10100, 9930, 10065, 450, "far right: the pane keeps 30 pixels in the window"},
  };
  for (const auto& c : cases) {
    RulerLayout l = kDesigned;
    l.search_right = c.search_right;
    RulerDragOverList(l, c.x, kPx);
    EXPECT_EQ(l.list_width, c.list_width) << c.why;
    EXPECT_EQ(l.pane_left, c.pane_left) << c.why;
    EXPECT_EQ(l.pane_width, c.pane_width) << c.why;
    EXPECT_EQ(l.ruler_left, kDesigned.ruler_left) << "the ruler stays until it is dropped";
  }
}

TEST(Ruler, DraggingOverThePaneStretchesTheListPastThePointer) {
  const struct {
    float pane_left, x;
    float list_width, new_pane_left, pane_width;
  } cases[] = {
      {5520, 200, 5750, 5855, 4660},
      {9800, 300, 9930, 10065, 450},  // past the pane's 30 pixels: held there
  };
  for (const auto& c : cases) {
    RulerLayout l = kDesigned;
    l.pane_left = c.pane_left;
    RulerDragOverPane(l, c.x, kPx);
    EXPECT_EQ(l.list_width, c.list_width);
    EXPECT_EQ(l.pane_left, c.new_pane_left);
    EXPECT_EQ(l.pane_width, c.pane_width);
  }
}

TEST(Ruler, ADropAtEitherEdgeKeepsTheRulerWithinReach) {
  const struct {
    float inner_width, x;
    float ruler_left;
    const char* why;
  } cases[] = {
      {10515, 100, 2880, "far left: at the search box's right edge"},
      {10515, 20000, 9960, "past the right edge: the pane keeps 30 pixels"},
      {3000, 4000, 2880, "a window too narrow for both: the search box's edge wins"},
  };
  for (const auto& c : cases) {
    RulerLayout l = kDesigned;
    l.inner_width = c.inner_width;
    RulerDragOverList(l, c.x, kPx);
    RulerDrop(l, kPx);
    EXPECT_EQ(l.ruler_left, c.ruler_left) << c.why;
    EXPECT_EQ(l.list_width, c.ruler_left - 30) << c.why;
    EXPECT_EQ(l.pane_left, c.ruler_left + 75 + 30) << c.why;
  }
}

TEST(Ruler, ADropPutsTheRulerTwoPixelsBeforeThePaneAndThatIsStored) {
  RulerLayout l = kDesigned;
  RulerDragOverList(l, 3000, kPx);
  RulerDrop(l, kPx);
  EXPECT_EQ(l.ruler_left, 3000);
  EXPECT_EQ(RulerStored(l), 3000);

  // Fractional twips from a screen of 9.6 twips per pixel (150 dpi) round halves to even.
  const struct {
    float left;
    int32_t stored;
  } cases[] = {{2894.5f, 2894}, {2895.5f, 2896}, {2895.4f, 2895}};
  for (const auto& c : cases) {
    l.ruler_left = c.left;
    EXPECT_EQ(RulerStored(l), c.stored) << c.left;
  }
}

}  // namespace
