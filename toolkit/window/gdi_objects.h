// GDI objects the toolkit makes, counted: every brush, pen and font it creates goes through these
// functions and is released through ZK_GdiDeleteIntl, so tests can check that nothing leaks
// (the system's own count, GetGuiResources, is not available everywhere).
#pragma once

#include <windows.h>

HBRUSH ZK_GdiBrushIntl(COLORREF colour);
HPEN ZK_GdiPenIntl(DWORD style, DWORD width, const LOGBRUSH& brush);
HFONT ZK_GdiFontIntl(int height, int weight, bool italic, bool underline, const char* face);
// Deletes an object this module made; false when the system refuses (the count is kept then).
bool ZK_GdiDeleteIntl(HGDIOBJ object);
// Counts as released an object of ours that the system has deleted itself (a window class
// deletes its background brush when it is unregistered).
void ZK_GdiForgetIntl(HGDIOBJ object);
// Objects made and not yet released.
long ZK_GdiCountIntl();

// Selects an object into a device context for one scope and puts the previous one back.
class ZK_ScopedSelect {
 public:
  ZK_ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ZK_ScopedSelect() {
    if (ok()) SelectObject(dc_, previous_);
  }
  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }
  ZK_ScopedSelect(const ZK_ScopedSelect&) = delete;
  ZK_ScopedSelect& operator=(const ZK_ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
