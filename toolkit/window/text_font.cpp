// The text surface of the current window: its reset (ZK_WindowCls) and its text font.
#include "window/gdi_objects.h"
#include "window/window_intl.h"

int ZK_TextFontSet(const std::string& face, int size, int bold, int italic, int underline) {
  const ZK_ContextGuard context("", "ZK_TextFontSet");
  const std::string name = ZK_WindowCurrentIntl();
  WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);

  // 0 and 1 switch an attribute; any other value keeps the window's setting.
  if (bold == 0 || bold == 1) record.fontBold = bold == 1;
  if (italic == 0 || italic == 1) record.fontItalic = italic == 1;
  if (underline == 0 || underline == 1) record.fontUnderline = underline == 1;
  const int weight = record.fontBold ? FW_BOLD : FW_NORMAL;
  if (!face.empty()) record.fontName = face;
  if (size != 0) record.fontSize = size;

  // Outside a paint there is no context: the height is then 0 and the selection below fails.
  HDC dc = ZK_WindowStateIntl().paint.dc;
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  const int height = MulDiv(record.fontSize, dpi, 72);
  ZK_WindowStoreIntl(name, record);

  // A negative height asks for the character height, not the cell height.
  HFONT font = ZK_GdiFontIntl(-height, weight, record.fontItalic, record.fontUnderline,
                              record.fontName.c_str());
  if (font == nullptr) return context.fail(ZK_ERR_CREATE_FONT);
  const int status = ZK_FontSelectIntl(dc, font);
  if (status != ZK_OK) return context.fail(status);
  return context.done();
}

int ZK_WindowCls() {
  const ZK_ContextGuard context("", "ZK_WindowCls");
  const std::string name = ZK_WindowCurrentIntl();
  WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  record.textX = 0;
  record.textY = 0;
  record.lineCount = 0;
  record.fontName = ZK_DEFAULT_FONT;
  record.fontSize = 10;
  const int status = ZK_TextFontSet(ZK_DEFAULT_FONT, 10, 0, 0, 0);
  if (status != ZK_OK) return context.passBack(status);
  record.fontBold = false;
  record.fontItalic = false;
  record.fontUnderline = false;
  ZK_WindowStoreIntl(name, record);
  return context.done();
}
