// Window operations on a registered window as a whole: its title, and its placement and showing.
#include <vector>

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

HWND ZK_DialogOwnerIntl(const std::string& owner, int* status) {
  const std::string& mainName = ZK_WindowStateIntl().mainWindowName;
  HWND window = ZK_WindowLookupIntl(owner.empty() ? mainName : owner).hwnd;
  if (window != nullptr && IsWindow(window)) {
    *status = ZK_OK;
    return window;
  }
  *status = owner.empty() ? ZK_ERR_NO_MAIN_WINDOW : ZK_ERR_WINDOW_NOT_FOUND;
  return nullptr;
}

void ZK_WindowFillIntl() {
  HWND main = ZK_WindowLookupIntl(ZK_WindowStateIntl().mainWindowName).hwnd;
  RECT client = {};
  // Minimized, the client area is empty: the forms keep their size for the restore.
  if (main == nullptr || IsIconic(main) || !GetClientRect(main, &client)) return;
  std::vector<std::string> filling;
  for (const auto& [name, record] : ZK_WindowRegistryIntl())
    if (record.fills && record.hwnd != nullptr && IsWindow(record.hwnd)) filling.push_back(name);
  // By name: each move re-enters the form's procedure, which may store records meanwhile.
  for (const std::string& name : filling) {
    HWND form = nullptr;
    ZK_WindowChangeIntl(name, [&](WindowRecord& r) {
      form = r.hwnd;
      r.x = 0;
      r.y = 0;
      r.width = ZK_UnscaleIntl(client.right, r.dpi);
      r.height = ZK_UnscaleIntl(client.bottom, r.dpi);
    });
    if (form != nullptr)
      SetWindowPos(form, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
