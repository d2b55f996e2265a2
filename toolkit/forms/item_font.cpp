// Fonts of owner-drawn items: made at the form's DPI (or the context's resolution) and selected
// into the context, where they stay for the text drawn after them (the window layer's font slots
// release them).
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
  return ZK_ItemFontSelectIntl(dc, face, size, bold, italic, underline,
                               GetDeviceCaps(dc, LOGPIXELSY));
}
