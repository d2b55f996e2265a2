// Counted creation and release of the toolkit's GDI objects, the failure injection of tests, and
// the toolkit's fonts in drawing contexts.
#include "window/gdi_objects.h"

#include "window/window_intl.h"

namespace {

ZK_GdiState& gdi() {
  return ZK_WindowStateIntl().gdi;
}

// Counts one creation or deletion; true when it is the one made to fail.
bool failsNow() {
  ZK_GdiState& state = gdi();
  return ++state.calls == state.failAt;
}

template <typename Handle, typename Make>
Handle counted(Make make) {
  if (failsNow()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Handle handle = make();
  if (handle != nullptr) ++gdi().live;
  return handle;
}

bool deleteCounted(HGDIOBJ object) {
  if (failsNow()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  if (!DeleteObject(object)) return false;
  --gdi().live;
  return true;
}

}  // namespace

HBRUSH ZK_GdiBrushIntl(COLORREF colour) {
  return counted<HBRUSH>([&] { return CreateSolidBrush(colour); });
}

HPEN ZK_GdiPenIntl(DWORD style, DWORD width, const LOGBRUSH& brush) {
  return counted<HPEN>([&] { return ExtCreatePen(style, width, &brush, 0, nullptr); });
}

HFONT ZK_GdiFontIntl(int height, int weight, bool italic, bool underline, const char* face) {
  return counted<HFONT>([&] {
    return CreateFontA(height, 0, 0, 0, weight, italic ? TRUE : FALSE, underline ? TRUE : FALSE,
                       FALSE, 0, 0, 0, 0, FF_SWISS, face);
  });
}

bool ZK_GdiDeleteIntl(HGDIOBJ object) {
  if (object == nullptr) return false;
  // Objects whose deletion failed before go first (the object itself may be among them).
  std::vector<HGDIOBJ> earlier;
  earlier.swap(gdi().pending);
  for (HGDIOBJ waiting : earlier) {
    if (waiting != object && !deleteCounted(waiting)) gdi().pending.push_back(waiting);
  }
  if (deleteCounted(object)) return true;
  gdi().pending.push_back(object);
  return false;
}

void ZK_GdiForgetIntl(HGDIOBJ object) {
  if (object != nullptr) --gdi().live;
}

long ZK_GdiCountIntl() {
  return gdi().live;
}

void ZK_GdiFailAtIntl(long call) {
  gdi().failAt = call > 0 ? gdi().calls + call : 0;
}

long ZK_GdiCallsIntl() {
  return gdi().calls;
}

int ZK_FontSelectIntl(HDC dc, HFONT font) {
  HGDIOBJ previous = dc != nullptr ? SelectObject(dc, font) : nullptr;
  if (previous == nullptr || previous == HGDI_ERROR) {
    const ZK_LastErrorKeep keep;
    ZK_GdiDeleteIntl(font);
    return ZK_ERR_SELECT_OBJECT;
  }
  std::map<HDC, ZK_SelectedFont>& fonts = ZK_WindowStateIntl().fonts;
  const auto found = fonts.find(dc);
  if (found == fonts.end()) {
    fonts[dc] = {font, previous};
    return ZK_OK;
  }
  // The toolkit's earlier font is out of the context now, or the context was given back and its
  // font with it: either way nothing uses it any more.
  const HFONT earlier = found->second.made;
  if (previous != earlier) found->second.original = previous;
  found->second.made = font;
  return ZK_GdiDeleteIntl(earlier) ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}

int ZK_FontReleaseIntl(HDC dc) {
  std::map<HDC, ZK_SelectedFont>& fonts = ZK_WindowStateIntl().fonts;
  const auto found = fonts.find(dc);
  if (found == fonts.end()) return ZK_OK;
  const ZK_SelectedFont selected = found->second;
  fonts.erase(found);
  if (GetCurrentObject(dc, OBJ_FONT) == selected.made) SelectObject(dc, selected.original);
  return ZK_GdiDeleteIntl(selected.made) ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}
