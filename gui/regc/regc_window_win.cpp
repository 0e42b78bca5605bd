#include "regc_window_win.h"

#include <cmath>

namespace {

int ToPixels(float twips, float twips_per_pixel) {
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

}  // namespace

RegcWin32Window::RegcWin32Window(HWND window, float twips_per_pixel_x, float twips_per_pixel_y)
    : window_(window), tx_(twips_per_pixel_x), ty_(twips_per_pixel_y) {}

RegcRect RegcWin32Window::Placement() const {
  RECT r{};
  GetWindowRect(window_, &r);
  return RegcRect{static_cast<float>(r.left) * tx_, static_cast<float>(r.top) * ty_,
                  static_cast<float>(r.right - r.left) * tx_,
                  static_cast<float>(r.bottom - r.top) * ty_};
}

RegcWindowState RegcWin32Window::State() const {
  if (IsIconic(window_))
    return RegcWindowState::kMinimised;
  if (IsZoomed(window_))
    return RegcWindowState::kMaximised;
  return RegcWindowState::kNormal;
}

void RegcWin32Window::Move(const RegcRect& p) {
  SetWindowPos(window_, nullptr, ToPixels(p.left, tx_), ToPixels(p.top, ty_),
               ToPixels(p.width, tx_), ToPixels(p.height, ty_), SWP_NOZORDER | SWP_NOACTIVATE);
}

RegcRect RegcWin32Window::VisibleDesktop() const {
  return RegcRect{static_cast<float>(GetSystemMetrics(SM_XVIRTUALSCREEN)) * tx_,
                  static_cast<float>(GetSystemMetrics(SM_YVIRTUALSCREEN)) * ty_,
                  static_cast<float>(GetSystemMetrics(SM_CXVIRTUALSCREEN)) * tx_,
                  static_cast<float>(GetSystemMetrics(SM_CYVIRTUALSCREEN)) * ty_};
}
