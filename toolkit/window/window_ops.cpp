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
    if (x < 0 || x >= right) x = record.x;
    if (y < 0 || y >= bottom) y = record.y;
  } else {
    RECT work = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
      return context.fail(ZK_ERR_SYSTEM_PARAMETERS);
    }
    right = work.right;
    bottom = work.bottom;
  }
  if (width < 1 || width > right) width = right;
  if (height < 1 || height > bottom) height = bottom;

  // Stored before the move: MoveWindow sends WM_SIZE, whose handlers read the record.
  ZK_WindowChangeIntl(name, [&](WindowRecord& r) {
    r.x = x;
    r.y = y;
    r.width = width;
    r.height = height;
  });

  if (!MoveWindow(record.hwnd, x, y, width, height, TRUE)) return context.fail(ZK_ERR_MOVE_WINDOW);
  ShowWindow(record.hwnd, SW_SHOWNORMAL);
  return context.done();
}
