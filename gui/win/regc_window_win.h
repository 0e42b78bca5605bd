// RegcViewWin32: the window operations of RegcRestoreWindow and RegcSaveWindow over a Win32
// top-level window. Positions are converted between screen pixels and twips with the twips per
// pixel it is given (TwipsPerPixelX/Y of CODE); the visible desktop is the bounding rectangle
// of all monitors; the screens are each monitor's work area.
#ifndef TAVLO_GUI_WIN_REGC_WINDOW_WIN_H
#define TAVLO_GUI_WIN_REGC_WINDOW_WIN_H

#include <windows.h>

#include "regc/regc.h"

class RegcViewWin32 final : public RegcView {
 public:
  RegcViewWin32(HWND window, float twips_per_pixel_x, float twips_per_pixel_y);

  RegcRect Placement() const override;
  RegcWindowState State() const override;
  void Move(const RegcRect& placement) override;
  RegcRect VisibleDesktop() const override;
  RegcScreens Screens() const override;

 private:
  HWND window_;
  float tx_;
  float ty_;
};

#endif
