// The painting bracket of a window (WM_PAINT): the one paint context and the text font in it.
#include "window/gdi_objects.h"
#include "window/window_intl.h"

ZK_PaintContext ZK_paint;

namespace {
// Gives the context back to the system, our font out of it first; nothing once it is ended.
void endPaint() {
  if (ZK_paint.dc == nullptr) return;
  ZK_PaintFontReleaseIntl();
  EndPaint(ZK_paint.window, &ZK_paint.paint);
  ZK_paint.dc = nullptr;
  ZK_paint.window = nullptr;
}
}  // namespace

int ZK_PaintFontSelectIntl(HFONT font) {
  HGDIOBJ previous = ZK_paint.dc != nullptr ? SelectObject(ZK_paint.dc, font) : nullptr;
  if (previous == nullptr || previous == HGDI_ERROR) {
    const ZK_LastErrorKeep keep;
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
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  ZK_paint.dc = BeginPaint(record.hwnd, &ZK_paint.paint);
  if (ZK_paint.dc == nullptr) return context.fail(ZK_ERR_BEGIN_PAINT);
  ZK_paint.window = record.hwnd;
  ZK_globals.currentWindowName = name;
  const int status = ZK_WindowCls();
  if (status != ZK_OK) return status;
  return context.done();
}

int ZK_WindowRelease() {
  const ZK_ContextGuard context("", "ZK_WindowRelease");
  // The paint ends first, whatever fails after: a context and a font left held would have the
  // next paint delete a font still selected in a context that was never ended.
  endPaint();
  WindowRecord record = ZK_WindowLookupIntl(ZK_globals.currentWindowName);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  RECT client = {};
  if (!GetClientRect(record.hwnd, &client)) return context.fail(ZK_ERR_CLIENT_RECT);

  if (record.scrollEnabled && !record.scrollBarShown) {
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    bar.nMin = 0;
    bar.nMax = record.lineCount - 1;
    bar.nPage = static_cast<UINT>(record.lastLine - record.firstLine + 1);
    bar.nPos = 0;
    SetScrollInfo(record.hwnd, SB_VERT, &bar, TRUE);
    if (!ShowScrollBar(record.hwnd, SB_VERT, TRUE)) return context.fail(ZK_ERR_SHOW_SCROLL_BAR);
    record.scrollBarShown = true;
    ZK_WindowStoreIntl(ZK_globals.currentWindowName, record);
    const int status = ZK_WindowRedrawIntl();
    if (status != ZK_OK) return status;
  }
  return context.done();
}
