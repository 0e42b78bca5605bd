#include "win/ruler_win.h"

#include <utility>

#include "code/code.h"

namespace {

constexpr const char* kRulerProp = "TavloRuler";

struct Ruler {
  HWND list;
  HWND pane;
  RulerWin32Events events;
  WNDPROC old_proc = nullptr;
  bool dragging = false;
};

Ruler* Of(HWND ruler) {
  return static_cast<Ruler*>(GetPropA(ruler, kRulerProp));
}

// The pointer's position in the parent's inner area.
POINT InParent(HWND ruler, LPARAM lparam) {
  POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  MapWindowPoints(ruler, GetParent(ruler), &p, 1);
  return p;
}

// The child under a point of the parent; the ruler lies behind the list and the pane.
HWND Under(HWND ruler, POINT p) {
  return ChildWindowFromPointEx(GetParent(ruler), p, CWP_SKIPINVISIBLE);
}

// x in twips from a child's left edge (its border's, not its inner area's).
float FromLeft(HWND child, POINT p) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return static_cast<float>(p.x - r.left) * TwipsPerPixelX;
}

LRESULT CALLBACK RulerProc(HWND ruler, UINT message, WPARAM wparam, LPARAM lparam) {
  Ruler* r = Of(ruler);
  if (r == nullptr)
    return DefWindowProcA(ruler, message, wparam, lparam);
  WNDPROC old_proc = r->old_proc;
  switch (message) {
    case WM_NCHITTEST:
      return HTCLIENT;  // a static control would let the mouse through to the window
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
      return TRUE;
    case WM_LBUTTONDOWN:
      r->dragging = true;
      SetCapture(ruler);
      return 0;
    case WM_MOUSEMOVE:
      if (r->dragging) {
        POINT p = InParent(ruler, lparam);
        HWND under = Under(ruler, p);
        if (under == r->list && r->events.over_list)
          r->events.over_list(FromLeft(r->list, p));
        else if (under == r->pane && r->events.over_pane)
          r->events.over_pane(FromLeft(r->pane, p));
      }
      return 0;
    case WM_LBUTTONUP:
      if (r->dragging) {
        r->dragging = false;
        ReleaseCapture();
        // Let go anywhere, the ruler goes where the panes now leave it room: left where it
        // was, over the list it would lie behind the pane, where no one could grab it again.
        if (r->events.drop) {
          r->events.drop();
          InvalidateRect(GetParent(ruler), nullptr, TRUE);
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      r->dragging = false;
      return 0;
    case WM_NCDESTROY:
      RemovePropA(ruler, kRulerProp);
      delete r;
      break;
  }
  return CallWindowProcA(old_proc, ruler, message, wparam, lparam);
}

}  // namespace

bool RulerWin32Attach(HWND ruler, HWND list, HWND pane, RulerWin32Events events) {
  if (ruler == nullptr || Of(ruler) != nullptr)
    return false;
  auto* r = new Ruler{list, pane, std::move(events)};
  SetPropA(ruler, kRulerProp, r);
  r->old_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(ruler, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RulerProc)));
  return true;
}
