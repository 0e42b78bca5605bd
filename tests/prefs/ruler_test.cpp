// The ruler's drag and drop rules, with pixels of 15 twips over the designed window.
#include <gtest/gtest.h>

#include "prefs/ruler.h"

namespace {

constexpr float kPx = 15;
// inner width, list left and width, ruler left and width, pane left and width
constexpr RulerLayout kDesigned{10515, 0, 4695, 5100, 75, 5520, 2415};

TEST(Ruler, DraggingOverTheListOpensAGapLeftOfThePointer) {
  const struct {
    float x;
    float list_width, pane_left, pane_width;
    const char* why;
  } cases[] = {
      {3000, 2970, 3105, 7410, "list ends 2 pixels before the pointer"},
      {481, 451, 586, 9929, "the list just over 30 pixels"},
      {480, 4695, 585, 9930, "30 pixels exactly: the list keeps its width"},
      {100, 4695, 205, 10310, "far left: the pane still follows"},
      {10100, 10070, 10205, 2415, "far right: the pane keeps its width"},
  };
  for (const auto& c : cases) {
    RulerLayout l = kDesigned;
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
      {9800, 300, 10130, 10235, 2415},  // a pane of 280 twips would be too narrow
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
