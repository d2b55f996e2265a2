// Anchored layout: an item anchored to edges of its form keeps its distances to them when the form
// changes size (by its frame, by the program, by filling the main window, at a change of DPI);
// the smallest size a form declared; an item placed again at run time.
#include <algorithm>
#include <vector>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

struct EdgeWord {
  const char* word;
  int edge;
};
const EdgeWord kEdges[] = {
    {"LEFT", kAnchorLeft},     {"TOP", kAnchorTop},   {"RIGHT", kAnchorRight},
    {"BOTTOM", kAnchorBottom}, {"FILL", kAnchorFill},
};

// How far the form's area is from the one its items' places are meant for, in pixels.
struct Growth {
  SIZE area;
  int dx;
  int dy;
};

Growth growthOf(const WindowRecord& form, const ZK_FormOptions& options) {
  Growth growth{ZK_FormAreaIntl(form), 0, 0};
  const int dpi = form.dpi;
  // A borderless form is not held at its smallest size by the system: below it, its items stay.
  if (form.hwnd != nullptr && (GetWindowLongA(form.hwnd, GWL_STYLE) & WS_CHILD) != 0) {
    RECT client = {};
    GetClientRect(form.hwnd, &client);
    const int bar = client.bottom - growth.area.cy;
    growth.area.cx = std::max<LONG>(growth.area.cx, ZK_ScaleIntl(options.minWidth, dpi));
    growth.area.cy = std::max<LONG>(growth.area.cy, ZK_ScaleIntl(options.minHeight, dpi) - bar);
  }
  growth.dx = growth.area.cx - MulDiv(options.reference.cx, dpi, options.referenceDpi);
  growth.dy = growth.area.cy - MulDiv(options.reference.cy, dpi, options.referenceDpi);
  return growth;
}

// One direction of a rectangle: kept from its start edge, moved with its end edge, or both.
void follow(LONG* start, LONG* end, int delta, bool fromStart, bool fromEnd) {
  if (fromEnd && fromStart) {
    *end = std::max(*start, *end + delta);
  } else if (fromEnd) {
    *start += delta;
    *end += delta;
  }
}

RECT laidOut(RECT place, int anchor, const Growth& growth) {
  if (anchor & kAnchorFill) return {0, 0, growth.area.cx, growth.area.cy};
  const bool right = (anchor & kAnchorRight) != 0;
  const bool bottom = (anchor & kAnchorBottom) != 0;
  follow(&place.left, &place.right, growth.dx, (anchor & kAnchorLeft) != 0 || !right, right);
  follow(&place.top, &place.bottom, growth.dy, (anchor & kAnchorTop) != 0 || !bottom, bottom);
  return place;
}

bool hasReference(const ZK_FormOptions* options) {
  return options != nullptr && (options->reference.cx != 0 || options->reference.cy != 0);
}

void moveTo(HWND control, const RECT& place, bool repaint) {
  MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top,
             repaint ? TRUE : FALSE);
}

// "x,y,width,height": each part given replaces the record's, an empty or missing one stays.
void readPlace(const std::string& text, ItemRecord& record) {
  int* const parts[] = {&record.x, &record.y, &record.width, &record.height};
  std::string::size_type start = 0;
  for (int* part : parts) {
    if (start > text.size()) break;
    const std::string::size_type comma = text.find(',', start);
    const std::string value = text.substr(start, comma - start);
    if (value.find_first_not_of(' ') != std::string::npos) *part = ZK_TextToIntIntl(value, 10);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace

bool ZK_AnchorReadIntl(const std::string& text, int* edges) {
  *edges = 0;
  bool known = true;
  const std::string words = ZK_UpperIntl(text);
  std::string::size_type start = 0;
  while (start < words.size()) {
    const std::string::size_type end = words.find_first_of(", ", start);
    const std::string word = words.substr(start, end - start);
    if (!word.empty()) {
      const auto found = std::find_if(std::begin(kEdges), std::end(kEdges),
                                      [&](const EdgeWord& edge) { return word == edge.word; });
      if (found == std::end(kEdges)) {
        known = false;
      } else {
        *edges |= found->edge;
      }
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return known;
}

SIZE ZK_FormAreaIntl(const WindowRecord& form) {
  RECT client = {};
  if (form.hwnd == nullptr || !GetClientRect(form.hwnd, &client)) return {0, 0};
  SIZE area = {client.right, client.bottom};
  RECT bar = {};
  if (form.statusBar && form.statusBarHwnd != nullptr && IsWindowVisible(form.statusBarHwnd) &&
      GetWindowRect(form.statusBarHwnd, &bar))
    area.cy = std::max<LONG>(0, area.cy - (bar.bottom - bar.top));
  return area;
}

RECT ZK_FormItemLaidOutIntl(const std::string& form, const ItemRecord& item, int dpi) {
  const RECT place = ZK_ItemPlaceIntl(item, dpi);
  if (item.anchor == 0) return place;
  const ZK_FormOptions* options = ZK_FormOptionsIntl(form);
  if (!hasReference(options)) return place;
  WindowRecord record = ZK_WindowLookupIntl(form);
  record.dpi = dpi;
  return laidOut(place, item.anchor, growthOf(record, *options));
}

void ZK_FormLayoutIntl(const std::string& form) {
  const ZK_FormOptions* options = ZK_FormOptionsIntl(form);
  if (!hasReference(options) || !options->anchored) return;
  const WindowRecord record = ZK_WindowLookupIntl(form);
  if (record.hwnd == nullptr) return;
  const Growth growth = growthOf(record, *options);
  // By name: each move re-enters the dialog procedure, which may store records meanwhile.
  for (const std::string& name : ZK_ItemNamesOfFormIntl(form)) {
    const ItemRecord item = ZK_FormItemGet(form, name);
    if (item.hwnd == nullptr || item.anchor == 0) continue;
    moveTo(item.hwnd, laidOut(ZK_ItemPlaceIntl(item, record.dpi), item.anchor, growth), false);
  }
  // One repaint once all have moved: the form's background first, then every item over it, so
  // that no item uncovered by another's move is painted over by the form.
  RedrawWindow(record.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

INT_PTR ZK_FormMinSizeIntl(const ZK_FormMessage& m) {
  const ZK_FormOptions* options = ZK_FormOptionsIntl(m.form);
  auto* limits = reinterpret_cast<MINMAXINFO*>(m.lParam);
  if (options == nullptr || limits == nullptr) return 0;
  if (options->minWidth <= 0 && options->minHeight <= 0) return 0;
  const int dpi = ZK_WindowLookupIntl(m.form).dpi;
  limits->ptMinTrackSize.x =
      std::max<LONG>(limits->ptMinTrackSize.x, ZK_ScaleIntl(options->minWidth, dpi));
  limits->ptMinTrackSize.y =
      std::max<LONG>(limits->ptMinTrackSize.y, ZK_ScaleIntl(options->minHeight, dpi));
  return TRUE;
}

void ZK_FormItemPlaceIntl(const std::string& form, const std::string& item,
                          const std::string& place) {
  if (!place.empty()) ZK_ItemChangeIntl(form, item, [&](ItemRecord& r) { readPlace(place, r); });
  const ItemRecord record = ZK_FormItemGet(form, item);
  const WindowRecord owner = ZK_WindowLookupIntl(form);
  if (record.hwnd == nullptr || owner.hwnd == nullptr) return;
  if (record.anchor != 0) ZK_FormOptionsEnsureIntl(form).anchored = true;
  moveTo(record.hwnd, ZK_FormItemLaidOutIntl(form, record, owner.dpi), true);
}
