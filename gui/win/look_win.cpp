#include "win/look_win.h"

#include <cmath>

#include "base/twips.h"
#include "code/code.h"
#include "res/tavlo_res.h"

int LookScreenDpi() {
  if (TwipsPerPixelY <= 0)
    return 96;
  return static_cast<int>(std::lround(1440.0f / TwipsPerPixelY));
}

HICON LookIcon(bool small) {
  int size_x = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  int size_y = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  // The system picks the image of the icon that fits the size best.
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(TAVLO_ICON_ID),
                                       IMAGE_ICON, size_x, size_y, LR_DEFAULTCOLOR | LR_SHARED));
}

HFONT LookMessageFont() {
  // Systems since Windows 10 describe their fonts for any resolution; asking for the one the
  // twips per pixel were taken at keeps the text in step with every position and size.
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  auto for_dpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
  if (for_dpi != nullptr) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                static_cast<UINT>(LookScreenDpi()))) {
      return CreateFontIndirectW(&metrics.lfMessageFont);
    }
  }
  // Older systems describe them at the resolution of the screen, which a DPI-aware program sees
  // as it is: the one the start-up took.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    // Systems before Vista know the structure without its last field.
    metrics.cbSize = sizeof metrics - sizeof metrics.iPaddedBorderWidth;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      return nullptr;
  }
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

bool LookRegisterClass(HINSTANCE instance, const char* name, WNDPROC proc) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, name, &wc))
    return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = LookIcon(false);
  wc.hIconSm = LookIcon(true);
  if (wc.hIcon == nullptr)
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0;
}

HWND LookCreateTopLevel(const char* klass, const char* caption, float inner_width,
                        float inner_height, HWND owner, HMENU menu) {
  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT outer{0, 0, TwipsToPixels(inner_width, TwipsPerPixelX),
             TwipsToPixels(inner_height, TwipsPerPixelY)};
  AdjustWindowRectEx(&outer, style, menu != nullptr, 0);
  return CreateWindowExA(0, klass, caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                         outer.right - outer.left, outer.bottom - outer.top, owner, menu,
                         GetModuleHandleA(nullptr), nullptr);
}
