// The painting bracket of a window (WM_PAINT): the one paint context and the text font in it.
#include "window/gdi_objects.h"
#include "window/window_intl.h"

ZK_PaintContext ZK_paint;

int ZK_PaintFontSelectIntl(HFONT font) {
  HGDIOBJ previous = ZK_paint.dc != nullptr ? SelectObject(ZK_paint.dc, font) : nullptr;
  if (previous == nullptr || previous == HGDI_ERROR) {
    ZK_GdiDeleteIntl(font);
    return ZK_ERR_SELECT_OBJECT;
  }
  HFONT replaced = ZK_paint.font;
  ZK_paint.font = font;
  if (replaced == nullptr) {
    ZK_paint.originalFont = previous;
    return ZK_OK;
  }
  // The replaced font has just been deselected, so it can go now.
  return ZK_GdiDeleteIntl(replaced) ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}

int ZK_PaintFontReleaseIntl() {
  if (ZK_paint.font == nullptr) return ZK_OK;
  if (ZK_paint.dc != nullptr && ZK_paint.originalFont != nullptr) {
    SelectObject(ZK_paint.dc, ZK_paint.originalFont);
  }
  const bool deleted = ZK_GdiDeleteIntl(ZK_paint.font);
  ZK_paint.font = nullptr;
  ZK_paint.originalFont = nullptr;
  return deleted ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}

int ZK_WindowSelect(const std::string& name) {
  const ZK_ContextGuard context(name, "ZK_WindowSelect");
  const WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.hwnd == nullptr) return ZK_FailIntl(ZK_ERR_WINDOW_NOT_FOUND);
  ZK_paint.dc = BeginPaint(record.hwnd, &ZK_paint.paint);
  if (ZK_paint.dc == nullptr) return ZK_FailIntl(ZK_ERR_BEGIN_PAINT);
  ZK_globals.currentWindowName = name;
  const int status = ZK_WindowCls();
  if (status != ZK_OK) return status;
  return context.done();
}

int ZK_WindowRelease() {
  const ZK_ContextGuard context("", "ZK_WindowRelease");
  WindowRecord record = ZK_WindowLookupIntl(ZK_globals.currentWindowName);
  if (record.hwnd == nullptr) return ZK_FailIntl(ZK_ERR_WINDOW_NOT_FOUND);
  RECT client = {};
  if (!GetClientRect(record.hwnd, &client)) return ZK_FailIntl(ZK_ERR_CLIENT_RECT);

  // Our font must leave the context before EndPaint gives the context back to the system.
  if (ZK_paint.dc != nullptr) {
    ZK_PaintFontReleaseIntl();
    EndPaint(record.hwnd, &ZK_paint.paint);
    ZK_paint.dc = nullptr;
  }

  if (record.scrollEnabled && !record.scrollBarShown) {
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    bar.nMin = 0;
    bar.nMax = record.lineCount - 1;
    bar.nPage = static_cast<UINT>(record.lastLine - record.firstLine + 1);
    bar.nPos = 0;
    SetScrollInfo(record.hwnd, SB_VERT, &bar, TRUE);
    if (!ShowScrollBar(record.hwnd, SB_VERT, TRUE)) return ZK_FailIntl(ZK_ERR_SHOW_SCROLL_BAR);
    record.scrollBarShown = true;
    ZK_WindowStoreIntl(ZK_globals.currentWindowName, record);
    const int status = ZK_WindowRedrawIntl();
    if (status != ZK_OK) return status;
  }
  return context.done();
}
