// Fonts of owner-drawn items: made at the context's resolution and selected into it, where they
// stay for the text drawn after them (the window layer's font slots release them).
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

int ZK_FormItemFontSet(HDC dc, const std::string& face, int size, bool bold, bool italic,
                       bool underline) {
  const ZK_ContextGuard context("", "ZK_FormItemFontSet");
  // A negative height asks for the character height, in points at the context's resolution.
  const int height = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT font = ZK_GdiFontIntl(height, bold ? FW_BOLD : FW_NORMAL, italic, underline, face.c_str());
  if (font == nullptr) return context.fail(ZK_ERR_CREATE_FONT);
  const int status = ZK_FontSelectIntl(dc, font);
  if (status != ZK_OK) return context.fail(status);
  return context.done();
}
