// Display scale: the DPI of a window. Applications give places and sizes in 96-DPI units; the
// toolkit scales them to the DPI of the window they land on.
#include "window/window_intl.h"

namespace {
constexpr int kBaseDpi = 96;

// GetDpiForWindow (Windows 10 1607 and later), looked up once: older systems lack it.
using DpiForWindowFn = UINT(WINAPI*)(HWND);
DpiForWindowFn dpiForWindow() {
  static const auto function = reinterpret_cast<DpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  return function;
}

// The system's DPI, the one every window has without per-monitor awareness (Windows 7).
int systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}
}  // namespace

int ZK_WindowDpiIntl(HWND window) {
  const DpiForWindowFn function = dpiForWindow();
  const UINT dpi = window != nullptr && function != nullptr ? function(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

int ZK_ScaleIntl(int units, int dpi) {
  return dpi == kBaseDpi || dpi <= 0 ? units : MulDiv(units, dpi, kBaseDpi);
}

int ZK_UnscaleIntl(int pixels, int dpi) {
  return dpi == kBaseDpi || dpi <= 0 ? pixels : MulDiv(pixels, kBaseDpi, dpi);
}
