// The painting bracket of a window (WM_PAINT): the one paint context and the text font in it.
#include "window/gdi_objects.h"
#include "window/window_intl.h"

namespace {
// Gives the context back to the system, our font out of it first; nothing once it is ended.
void endPaint() {
  ZK_PaintContext& paint = ZK_WindowStateIntl().paint;
  if (paint.dc == nullptr) return;
  ZK_FontReleaseIntl(paint.dc);
  EndPaint(paint.window, &paint.paint);
  paint.dc = nullptr;
  paint.window = nullptr;
}
}  // namespace

int ZK_WindowSelect(const std::string& name) {
  const ZK_ContextGuard context(name, "ZK_WindowSelect");
  const WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  ZK_PaintContext& paint = ZK_WindowStateIntl().paint;
  paint.dc = BeginPaint(record.hwnd, &paint.paint);
  if (paint.dc == nullptr) return context.fail(ZK_ERR_BEGIN_PAINT);
  paint.window = record.hwnd;
  ZK_WindowCurrentSetIntl(name);
  const int status = ZK_WindowCls();
  if (status != ZK_OK) return context.passBack(status);
  return context.done();
}

int ZK_WindowRelease() {
  const ZK_ContextGuard context("", "ZK_WindowRelease");
  // The paint ends first, whatever fails after: a context and a font left held would have the
  // next paint delete a font still selected in a context that was never ended.
  endPaint();
  const std::string name = ZK_WindowCurrentIntl();
  const WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  RECT client = {};
  if (!GetClientRect(record.hwnd, &client)) return context.fail(ZK_ERR_CLIENT_RECT);

  if (record.scrollEnabled && !record.scrollBarShown) {
    ZK_WindowScrollBarSetIntl(record, 0);
    if (!ShowScrollBar(record.hwnd, SB_VERT, TRUE)) return context.fail(ZK_ERR_SHOW_SCROLL_BAR);
    ZK_WindowChangeIntl(name, [](WindowRecord& r) { r.scrollBarShown = true; });
    const int status = ZK_WindowRedrawIntl();
    if (status != ZK_OK) return context.passBack(status);
  }
  return context.done();
}
