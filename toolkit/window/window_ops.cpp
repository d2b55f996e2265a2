// Window operations on a registered window as a whole: its title, and its placement and showing.
#include "window/window_intl.h"

int ZK_WindowTitleSet(const std::string& name, const std::string& title) {
  const ZK_ContextGuard context(name, "ZK_WindowTitleSet");
  if (name.empty()) return context.done(ZK_ERR_NAME_EMPTY);
  if (title.empty()) return context.done();
  HWND window = ZK_WindowLookupIntl(name).hwnd;
  if (window == nullptr) return context.refuse(ZK_ERR_WINDOW_NOT_FOUND);
  if (!SetWindowTextA(window, title.c_str())) return context.fail(ZK_ERR_SET_WINDOW_TEXT);
  ZK_WindowChangeIntl(name, [&](WindowRecord& r) { r.title = title; });
  return context.done();
}

int ZK_WindowMove(const std::string& name, int x, int y, int width, int height) {
  const ZK_ContextGuard context(name, "ZK_WindowMove");
  const WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);

  // Places and sizes come in 96-DPI units; the window gets them at its own DPI.
  const int dpi = record.dpi;
  int right = 0;
  int bottom = 0;
  const std::string& mainName = ZK_WindowStateIntl().mainWindowName;
  if (name != mainName) {
    // A form stays inside the main window's client area; an origin outside it keeps the old one.
    const WindowRecord main = ZK_WindowLookupIntl(mainName);
    if (main.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
    RECT client = {};
    if (!GetClientRect(main.hwnd, &client)) return context.fail(ZK_ERR_CLIENT_RECT);
    right = client.right;
    bottom = client.bottom;
    if (x < 0 || ZK_ScaleIntl(x, dpi) >= right) x = record.x;
    if (y < 0 || ZK_ScaleIntl(y, dpi) >= bottom) y = record.y;
  } else {
    RECT work = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
      return context.fail(ZK_ERR_SYSTEM_PARAMETERS);
    }
    right = work.right;
    bottom = work.bottom;
  }
  int pixelWidth = ZK_ScaleIntl(width, dpi);
  int pixelHeight = ZK_ScaleIntl(height, dpi);
  if (width < 1 || pixelWidth > right) {
    pixelWidth = right;
    width = ZK_UnscaleIntl(right, dpi);
  }
  if (height < 1 || pixelHeight > bottom) {
    pixelHeight = bottom;
    height = ZK_UnscaleIntl(bottom, dpi);
  }

  // Stored before the move: MoveWindow sends WM_SIZE, whose handlers read the record.
  ZK_WindowChangeIntl(name, [&](WindowRecord& r) {
    r.x = x;
    r.y = y;
    r.width = width;
    r.height = height;
  });

  if (!MoveWindow(record.hwnd, ZK_ScaleIntl(x, dpi), ZK_ScaleIntl(y, dpi), pixelWidth, pixelHeight,
                  TRUE))
    return context.fail(ZK_ERR_MOVE_WINDOW);
  ShowWindow(record.hwnd, SW_SHOWNORMAL);
  return context.done();
}
