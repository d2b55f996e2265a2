// GDI objects the toolkit makes, counted: every brush, pen and font it creates goes through these
// functions and is released through ZK_GdiDeleteIntl, so tests can check that nothing leaks
// (the system's own count, GetGuiResources, is not available everywhere). Tests can make the
// Nth creation or deletion fail, to walk every failure path.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

// The counted objects and the failure injection, part of the window layer's state. A toolkit
// reset keeps it: the objects outlive the tables that named them.
struct ZK_GdiState {
  long live = 0;                 // objects made and not yet released
  std::vector<HGDIOBJ> pending;  // objects whose deletion failed: still counted, and deleted
                                 // again at the next deletion, so that none is lost
  long calls = 0;                // creations and deletions made so far (failed ones too)
  long failAt = 0;               // the call number that fails; 0 when none is to fail
};

// A font the toolkit has selected into a drawing context, and the context's font before the
// toolkit's first one.
struct ZK_SelectedFont {
  HFONT made = nullptr;
  HGDIOBJ original = nullptr;
};

HBRUSH ZK_GdiBrushIntl(COLORREF colour);
HPEN ZK_GdiPenIntl(DWORD style, DWORD width, const LOGBRUSH& brush);
HFONT ZK_GdiFontIntl(int height, int weight, bool italic, bool underline, const char* face);
// Deletes an object this module made (retrying first those whose deletion failed before); false
// when the system refuses, and the object then stays counted until a later deletion succeeds.
bool ZK_GdiDeleteIntl(HGDIOBJ object);
// Counts as released an object of ours that the system has deleted itself (a window class
// deletes its background brush when it is unregistered).
void ZK_GdiForgetIntl(HGDIOBJ object);
// Objects made and not yet released.
long ZK_GdiCountIntl();
// Tests: the call-th creation or deletion from now on fails as the system's would (creations
// with ERROR_NOT_ENOUGH_MEMORY, deletions with ERROR_INVALID_HANDLE); 0 makes none fail.
void ZK_GdiFailAtIntl(long call);
// Creations and deletions made so far.
long ZK_GdiCallsIntl();

// Selects a font the toolkit made into a drawing context, where it stays for the text drawn
// after it; the toolkit's font it replaces there is deleted (a font is never deleted while
// selected). 0; 1013, the new font deleted and the old one left in place; or 1011. Nothing is
// reported.
int ZK_FontSelectIntl(HDC dc, HFONT font);
// Gives the context back the font it had before the toolkit's first one and deletes the
// toolkit's. 0 or 1011, not reported.
int ZK_FontReleaseIntl(HDC dc);

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
