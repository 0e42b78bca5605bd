// RegcWin32Window: the window operations of RegcRestoreWindow and RegcSaveWindow over a Win32
// top-level window. Positions are converted between screen pixels and twips with the twips per
// pixel it is given (TwipsPerPixelX/Y of CODE); the visible desktop is the bounding rectangle
// of all monitors.
#ifndef TAVLO_GUI_REGC_WINDOW_WIN_H
#define TAVLO_GUI_REGC_WINDOW_WIN_H

#include <windows.h>

#include "regc.h"

class RegcWin32Window final : public RegcWindow {
 public:
  RegcWin32Window(HWND window, float twips_per_pixel_x, float twips_per_pixel_y);

  RegcRect Placement() const override;
  RegcWindowState State() const override;
  void Move(const RegcRect& placement) override;
  RegcRect VisibleDesktop() const override;

 private:
  HWND window_;
  float tx_;
  float ty_;
};

#endif
