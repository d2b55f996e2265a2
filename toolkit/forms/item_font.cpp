// Fonts of owner-drawn items: made at the form's DPI (or the context's resolution) and selected
// into the context, where they stay for the text drawn after them (the window layer's font slots
// release them; in an application's context, the font is released at once).
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

int ZK_ItemFontSelectIntl(HDC dc, const std::string& face, int size, bool bold, bool italic,
                          bool underline, int dpi) {
  const ZK_ContextGuard context("", "ZK_FormItemFontSet");
  // A negative height asks for the character height, in points at that resolution.
  const int height = -MulDiv(size, dpi, 72);
  HFONT font = ZK_GdiFontIntl(height, bold ? FW_BOLD : FW_NORMAL, italic, underline, face.c_str());
  if (font == nullptr) return context.fail(ZK_ERR_CREATE_FONT);
  const int status = ZK_FontSelectIntl(dc, font);
  if (status != ZK_OK) return context.fail(status);
  return context.done();
}

int ZK_FormItemFontSet(HDC dc, const std::string& face, int size, bool bold, bool italic,
                       bool underline) {
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  // A context the toolkit already holds a font in (a paint bracket) gives it back, fonts and all,
  // when its paint ends.
  if (ZK_WindowStateIntl().fonts.count(dc) != 0)
    return ZK_ItemFontSelectIntl(dc, face, size, bold, italic, underline, dpi);
  // An application's context is never seen again: the font is deleted at once, still selected.
  // The system keeps it for the text drawn after it and frees it when the context lets it go.
  const ZK_ContextGuard context("", "ZK_FormItemFontSet");
  HFONT font = ZK_GdiFontIntl(-MulDiv(size, dpi, 72), bold ? FW_BOLD : FW_NORMAL, italic, underline,
                              face.c_str());
  if (font == nullptr) return context.fail(ZK_ERR_CREATE_FONT);
  const HGDIOBJ previous = SelectObject(dc, font);
  if (previous == nullptr || previous == HGDI_ERROR) {
    return context.fail(ZK_ERR_SELECT_OBJECT, [&] { ZK_GdiDeleteIntl(font); });
  }
  if (!ZK_GdiDeleteIntl(font)) return context.fail(ZK_ERR_DELETE_OBJECT);
  return context.done();
}
