// Counted creation and release of the toolkit's GDI objects.
#include "window/gdi_objects.h"

namespace {
long gLive = 0;

template <typename Handle>
Handle counted(Handle handle) {
  if (handle != nullptr) ++gLive;
  return handle;
}
}  // namespace

HBRUSH ZK_GdiBrushIntl(COLORREF colour) {
  return counted(CreateSolidBrush(colour));
}

HPEN ZK_GdiPenIntl(DWORD style, DWORD width, const LOGBRUSH& brush) {
  return counted(ExtCreatePen(style, width, &brush, 0, nullptr));
}

HFONT ZK_GdiFontIntl(int height, int weight, bool italic, bool underline, const char* face) {
  return counted(CreateFontA(height, 0, 0, 0, weight, italic ? TRUE : FALSE,
                             underline ? TRUE : FALSE, FALSE, 0, 0, 0, 0, FF_SWISS, face));
}

bool ZK_GdiDeleteIntl(HGDIOBJ object) {
  if (object == nullptr || !DeleteObject(object)) return false;
  --gLive;
  return true;
}

void ZK_GdiForgetIntl(HGDIOBJ object) {
  if (object != nullptr) --gLive;
}

long ZK_GdiCountIntl() {
  return gLive;
}
