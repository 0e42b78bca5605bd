#include "ruler_win.h"

#include <cmath>

#include "code.h"

namespace {

constexpr const char* kRulerProp = "TavloRuler";

struct Ruler {
  HWND list;
  HWND pane;
  WNDPROC old_proc;
  bool dragging = false;
};

Ruler* Of(HWND ruler) {
  return static_cast<Ruler*>(GetPropA(ruler, kRulerProp));
}

// A child's rectangle in its parent's inner area, in pixels.
RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

float Tx(LONG pixels) {
  return static_cast<float>(pixels) * TwipsPerPixelX;
}

int Px(float twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixelX));
}

void Place(HWND control, float left, float width) {
  RECT r = ChildRect(control);
  SetWindowPos(control, nullptr, Px(left), r.top, Px(width), r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The pointer's position in the parent's inner area.
POINT InParent(HWND ruler, LPARAM lparam) {
  POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  MapWindowPoints(ruler, GetParent(ruler), &p, 1);
  return p;
}

HWND Under(HWND ruler, POINT p) {
  return ChildWindowFromPointEx(GetParent(ruler), p, CWP_SKIPINVISIBLE);
}

LRESULT CALLBACK RulerProc(HWND ruler, UINT message, WPARAM wparam, LPARAM lparam) {
  Ruler* r = Of(ruler);
  if (r == nullptr)
    return DefWindowProcA(ruler, message, wparam, lparam);
  WNDPROC old_proc = r->old_proc;
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
      return TRUE;
    case WM_NCHITTEST:
      return HTCLIENT;  // a static control would let the clicks through
    case WM_LBUTTONDOWN:
      r->dragging = true;
      SetCapture(ruler);
      return 0;
    case WM_MOUSEMOVE:
      if (r->dragging) {
        POINT p = InParent(ruler, lparam);
        HWND under = Under(ruler, p);
        RulerLayout l = RulerWin32Layout(ruler);
        if (under == r->list) {
          RulerDragOverList(l, Tx(p.x - ChildRect(r->list).left), TwipsPerPixelX);
        } else if (under == r->pane) {
          RulerDragOverPane(l, Tx(p.x - ChildRect(r->pane).left), TwipsPerPixelX);
        } else {
          return 0;
        }
        Place(r->list, l.list_left, l.list_width);
        Place(r->pane, l.pane_left, l.pane_width);
      }
      return 0;
    case WM_LBUTTONUP:
      if (r->dragging) {
        r->dragging = false;
        ReleaseCapture();
        HWND under = Under(ruler, InParent(ruler, lparam));
        if (under != r->list && under != r->pane) {
          RulerLayout l = RulerWin32Layout(ruler);
          RulerDrop(l, TwipsPerPixelX);
          Place(ruler, l.ruler_left, l.ruler_width);
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

bool RulerWin32Attach(HWND ruler, HWND list, HWND pane) {
  if (ruler == nullptr || Of(ruler) != nullptr)
    return false;
  auto* r = new Ruler{list, pane, nullptr};
  SetPropA(ruler, kRulerProp, r);
  r->old_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(ruler, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RulerProc)));
  return true;
}

RulerLayout RulerWin32Layout(HWND ruler) {
  Ruler* r = Of(ruler);
  RulerLayout l;
  RECT inner{};
  GetClientRect(GetParent(ruler), &inner);
  l.inner_width = Tx(inner.right);
  RECT rr = ChildRect(ruler);
  l.ruler_left = Tx(rr.left);
  l.ruler_width = Tx(rr.right - rr.left);
  if (r != nullptr) {
    RECT lr = ChildRect(r->list);
    RECT pr = ChildRect(r->pane);
    l.list_left = Tx(lr.left);
    l.list_width = Tx(lr.right - lr.left);
    l.pane_left = Tx(pr.left);
    l.pane_width = Tx(pr.right - pr.left);
  }
  return l;
}

void RulerWin32Apply(HWND ruler, const RulerLayout& l) {
  Ruler* r = Of(ruler);
  if (r == nullptr)
    return;
  Place(r->list, l.list_left, l.list_width);
  Place(ruler, l.ruler_left, l.ruler_width);
  Place(r->pane, l.pane_left, l.pane_width);
}
