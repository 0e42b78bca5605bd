// The program on a screen of 144 dpi (150 %), against the same program at 96 dpi: the start-up
// takes 10 twips per pixel, every control comes out 1.5 times as large within a pixel, and the
// search fills the list as before. Wine reads the screen's resolution from the user's
// LogPixels value when a process starts; the test sets it for each start and puts 96 back.
// It changes what every Wine program sees, so CTest runs it alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/app.h"
#include "support/drive_win.h"
#include "win/mainwin_win.h"

namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";

bool SetLogPixels(DWORD dpi) {
  return RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi,
                         sizeof dpi) == ERROR_SUCCESS;
}

// Puts 96 dpi back however the test ends.
struct ScreenAt96Afterwards {
  ~ScreenAt96Afterwards() {
    SetLogPixels(96);
  }
};

// What one start of the program shows.
struct Measured {
  RECT inner{};
  RECT controls[5]{};
  int item_height = 0;
  std::vector<std::string> lines;
  DWORD stored_ruler = 0;  // "Ruler" as the program saved it when it closed, in twips
};

// Each control's designed place in twips scales with the screen; the layout's gaps of 2 pixels
// (list to ruler, ruler to pane, and under the panes: 2 times the twips per pixel) stay 2 pixels.
struct ControlCase {
  int id;
  const char* name;
  int left_gap, top_gap, width_gap, height_gap;  // pixels that do not scale
};
const ControlCase kControls[5] = {
    {kIdLabel1, "Label1", 0, 0, 0, 0},          {kIdTxtSearch, "txtSearch", 0, 0, 0, 0},
    {kIdLstMatches, "lstMatches", 0, 0, 0, -2}, {kIdPicRuler, "picRuler", 2, 0, 0, -2},
    {kIdTxtResult, "txtResult", 4, 0, -4, -2},
};

// Starts the program on a screen of the given resolution, measures its window as it opens,
// searches for "9" and closes it again.
Measured StartAt(DWORD dpi) {
  Measured run;
  // A first run each time: the window as designed, no stored placement, ruler or search.
  RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);
  EXPECT_TRUE(SetLogPixels(dpi));
  RunningTavlo tavlo;
  HWND window = tavlo.Start(WindowsPath(TAVLO_DIST_EXE)) ? tavlo.window : nullptr;
  if (window != nullptr) {
    GetClientRect(window, &run.inner);
    for (int i = 0; i < 5; ++i) {
      HWND control = Child(window, kControls[i].id);
      GetWindowRect(control, &run.controls[i]);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&run.controls[i]), 2);
    }
    HWND list = Child(window, kIdLstMatches);
    TypeSearch(window, "9");
    run.lines = ListLines(window);
    run.item_height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  } else {
    ADD_FAILURE() << "no main window at " << dpi << " dpi";
  }
  tavlo.End();
  DWORD size = sizeof run.stored_ruler;
  RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, "Ruler", RRF_RT_REG_DWORD, nullptr, &run.stored_ruler,
               &size);
  return run;
}

TEST(Screen144Dpi, EverythingIsOneAndAHalfTimesAsLarge) {
  // A cache folder of the test's own, so that no other test's program shares it.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string cache_dir = std::string(temp) + "tavlo-dpi-wine";
  CreateDirectoryA(cache_dir.c_str(), nullptr);
  _putenv_s("TMP", cache_dir.c_str());

  ScreenAt96Afterwards restore_screen;
  Measured at96 = StartAt(96);
  Measured at144 = StartAt(144);

  // The designed inner size over the twips per pixel: 15 at 96 dpi, 10 at 144.
  EXPECT_EQ(at96.inner.right, 701);    // 10515 / 15
  EXPECT_EQ(at96.inner.bottom, 412);   // 6180 / 15
  EXPECT_EQ(at144.inner.right, 1052);  // 10515 / 10 = 1051.5, to the nearest pixel
  EXPECT_EQ(at144.inner.bottom, 618);  // 6180 / 10
  // The program's own pixel size: a first run puts the ruler 2 pixels right of the list's
  // designed width of 4695 twips, and saves that edge in twips when it closes.
  EXPECT_EQ(at96.stored_ruler, 4695u + 2 * 15);
  EXPECT_EQ(at144.stored_ruler, 4695u + 2 * 10);

  for (int i = 0; i < 5; ++i) {
    const ControlCase& c = kControls[i];
    SCOPED_TRACE(c.name);
    const RECT& a = at96.controls[i];
    const RECT& b = at144.controls[i];
    EXPECT_GT(a.right - a.left, 0);
    auto scaled = [](int at96_pixels, int gap) { return 1.5 * (at96_pixels - gap) + gap; };
    EXPECT_NEAR(b.left, scaled(a.left, c.left_gap), 1.0);
    EXPECT_NEAR(b.top, scaled(a.top, c.top_gap), 1.0);
    EXPECT_NEAR(b.right - b.left, scaled(a.right - a.left, c.width_gap), 1.0);
    EXPECT_NEAR(b.bottom - b.top, scaled(a.bottom - a.top, c.height_gap), 1.0);
  }
  EXPECT_EQ(at144.controls[4].right, at144.inner.right);  // the pane reaches the right edge
  // The list's lines grow with its font, the system's message font at the screen's resolution
  // (font cells are whole pixels: 13 and 21 under Wine).
  EXPECT_GE(at144.item_height, 1.4 * at96.item_height);
  EXPECT_LE(at144.item_height, 1.7 * at96.item_height);

  ASSERT_EQ(at96.lines.size(), 61u);
  EXPECT_EQ(at144.lines, at96.lines);
}

}  // namespace
