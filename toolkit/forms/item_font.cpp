// Fonts of owner-drawn items: made at the context's resolution, selected, and released once they
// are no longer selected.
#include <windows.h>

#include <map>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

namespace {

// A font stays selected for the text drawn after it, so it cannot be deleted at once (deleting a
// selected object is refused or deferred by the platform). Each context remembers the toolkit's
// font in it and the font it had before the toolkit's first one.
struct SelectedFont {
  HFONT made;         // the toolkit's font now in the context
  HGDIOBJ original;   // the context's font before the toolkit's first font
};
std::map<HDC, SelectedFont> gSelected;

}  // namespace

int ZK_FormItemFontSet(HDC dc, const std::string& face, int size, bool bold, bool italic,
                       bool underline) {
  const ZK_ContextGuard context("", "ZK_FormItemFontSet");
  // A negative height asks for the character height, in points at the context's resolution.
  const int height = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT font = ZK_GdiFontIntl(height, bold ? FW_BOLD : FW_NORMAL, italic, underline, face.c_str());
  if (font == nullptr) return context.fail(ZK_ERR_CREATE_FONT);
  HGDIOBJ previous = SelectObject(dc, font);
  if (previous == nullptr || previous == HGDI_ERROR) {
    {
      const ZK_LastErrorKeep keep;
      ZK_GdiDeleteIntl(font);
    }
    return context.fail(ZK_ERR_SELECT_OBJECT);
  }
  const auto found = gSelected.find(dc);
  if (found == gSelected.end()) {
    gSelected[dc] = {font, previous};
  } else {
    // The toolkit's earlier font is out of the context now, or the context was given back and
    // its font with it: either way nothing uses it any more.
    HFONT earlier = found->second.made;
    if (previous != earlier) found->second.original = previous;
    found->second.made = font;
    if (!ZK_GdiDeleteIntl(earlier)) return context.fail(ZK_ERR_DELETE_OBJECT);
  }
  return context.done();
}

int ZK_FormItemFontReleaseIntl(HDC dc) {
  const auto found = gSelected.find(dc);
  if (found == gSelected.end()) return ZK_OK;
  const SelectedFont selected = found->second;
  gSelected.erase(found);
  if (GetCurrentObject(dc, OBJ_FONT) == selected.made) SelectObject(dc, selected.original);
  return ZK_GdiDeleteIntl(selected.made) ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}
