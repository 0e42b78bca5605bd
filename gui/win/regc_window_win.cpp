#include "win/regc_window_win.h"

#include <vector>

#include "base/twips.h"

RegcViewWin32::RegcViewWin32(HWND window, float twips_per_pixel_x, float twips_per_pixel_y)
    : window_(window), tx_(twips_per_pixel_x), ty_(twips_per_pixel_y) {}

RegcRect RegcViewWin32::Placement() const {
  RECT r{};
  GetWindowRect(window_, &r);
  return RegcRect{PixelsToTwips(r.left, tx_), PixelsToTwips(r.top, ty_),
                  PixelsToTwips(r.right - r.left, tx_), PixelsToTwips(r.bottom - r.top, ty_)};
}

RegcWindowState RegcViewWin32::State() const {
  if (IsIconic(window_))
    return RegcWindowState::kMinimised;
  if (IsZoomed(window_))
    return RegcWindowState::kMaximised;
  return RegcWindowState::kNormal;
}

void RegcViewWin32::Move(const RegcRect& p) {
  SetWindowPos(window_, nullptr, TwipsToPixels(p.left, tx_), TwipsToPixels(p.top, ty_),
               TwipsToPixels(p.width, tx_), TwipsToPixels(p.height, ty_),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

RegcRect RegcViewWin32::VisibleDesktop() const {
  return RegcRect{PixelsToTwips(GetSystemMetrics(SM_XVIRTUALSCREEN), tx_),
                  PixelsToTwips(GetSystemMetrics(SM_YVIRTUALSCREEN), ty_),
                  PixelsToTwips(GetSystemMetrics(SM_CXVIRTUALSCREEN), tx_),
                  PixelsToTwips(GetSystemMetrics(SM_CYVIRTUALSCREEN), ty_)};
}

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* areas = reinterpret_cast<std::vector<RECT>*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info))
    areas->push_back(info.rcWork);
  return TRUE;
}

}  // namespace

RegcScreens RegcViewWin32::Screens() const {
  std::vector<RECT> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  RegcScreens screens;
  screens.pixel_width = tx_;
  screens.pixel_height = ty_;
  for (const RECT& r : areas) {
    screens.work_areas.push_back(RegcRect{PixelsToTwips(r.left, tx_), PixelsToTwips(r.top, ty_),
                                          PixelsToTwips(r.right - r.left, tx_),
                                          PixelsToTwips(r.bottom - r.top, ty_)});
  }
  return screens;
}
