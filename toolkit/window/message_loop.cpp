// The message loop and the main window's default messages: quitting, and scrolling its text
// surface vertically.
#include "window/window_intl.h"

namespace {

// Moves the visible lines for one WM_VSCROLL request; true when the first line changed.
bool scrollLines(WindowRecord& record, WPARAM wParam) {
  const int first0 = record.firstLine;
  const int last0 = record.lastLine;
  const int page = last0 - first0;
  int first = first0;
  int last = last0;
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      first -= 1;
      last -= 1;
      break;
    case SB_LINEDOWN:
      first += 1;
      last += 1;
      break;
    case SB_PAGEUP:
      first -= page;
      last -= page;
      break;
    case SB_PAGEDOWN:
      first += page;
      last += page;
      break;
    case SB_THUMBTRACK:
      first = HIWORD(wParam);
      last = first + page;
      break;
    default:
      break;
  }
  const int span = last - first;
  if (first < 0) {
    first = 0;
    last = last0;
  }
  if (first >= record.lineCount - span) {
    last = record.lineCount - 1;
    first = record.lineCount - 1 - span;
  }
  // Fewer lines than a page: the view stays at the top instead of a negative first line.
  if (first < 0) {
    first = 0;
    last = span;
  }
  record.firstLine = first;
  record.lastLine = last;
  return first != first0;
}

}  // namespace

int ZK_MessageLoop() {
  MSG message = {};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) continue;  // nothing was fetched
    if (ZK_MenuKeyTranslateIntl(message)) continue;
    HWND dialog = nullptr;
    const std::string& active = ZK_WindowStateIntl().activeFormName;
    if (!active.empty()) dialog = ZK_WindowLookupIntl(active).hwnd;
    if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int ZK_WindowMessageAuto(UINT message, WPARAM wParam) {
  const ZK_ContextGuard context("", "ZK_WindowMessageAuto");
  const std::string name = ZK_WindowCurrentIntl();
  WindowRecord record = ZK_WindowLookupIntl(name);
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_SIZE: {
      ZK_WindowFillIntl();
      // CreateWindowExA sends WM_SIZE before the window is registered: nothing to size yet.
      if (record.hwnd == nullptr) break;
      RECT client = {};
      if (!GetClientRect(record.hwnd, &client)) return context.fail(ZK_ERR_CLIENT_RECT);
      if (record.textY < client.bottom && record.firstLine == 0) {
        if (!ShowScrollBar(record.hwnd, SB_VERT, FALSE)) {
          return context.fail(ZK_ERR_SHOW_SCROLL_BAR);
        }
      }
      break;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: where it is, its 96-DPI size at the new DPI.
      const int dpi = HIWORD(wParam);
      RECT now = {};
      if (record.hwnd == nullptr || dpi == 0 || !GetWindowRect(record.hwnd, &now)) break;
      ZK_WindowChangeIntl(name, [&](WindowRecord& r) { r.dpi = dpi; });
      if (!SetWindowPos(record.hwnd, nullptr, now.left, now.top, ZK_ScaleIntl(record.width, dpi),
                        ZK_ScaleIntl(record.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE))
        return context.fail(ZK_ERR_MOVE_WINDOW);
      break;
    }
    case WM_VSCROLL: {
      // Without a registered window there is no record to store the position in.
      if (record.hwnd == nullptr) break;
      const bool moved = scrollLines(record, wParam);
      ZK_WindowStoreIntl(name, record);
      if (moved) {
        ZK_WindowScrollBarSetIntl(record, record.firstLine);
        const int status = ZK_WindowRedrawIntl();
        if (status != ZK_OK) return context.passBack(status);
      }
      break;
    }
    default:
      break;
  }
  return context.done();
}

void ZK_WindowScrollBarSetIntl(const WindowRecord& record, int position) {
  SCROLLINFO bar = {};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  bar.nMin = 0;
  bar.nMax = record.lineCount - 1;
  bar.nPage = static_cast<UINT>(record.lastLine - record.firstLine + 1);
  bar.nPos = position;
  SetScrollInfo(record.hwnd, SB_VERT, &bar, TRUE);
}

int ZK_WindowRedrawIntl() {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const WindowRecord record = ZK_WindowLookupIntl(ZK_WindowCurrentIntl());
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  if (!InvalidateRect(record.hwnd, nullptr, TRUE)) {
    return context.fail(ZK_ERR_INVALIDATE_OR_REDRAW);
  }
  if (!UpdateWindow(record.hwnd)) return context.fail(ZK_ERR_MODULE_OR_UPDATE);
  return ZK_OK;
}
