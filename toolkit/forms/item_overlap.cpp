// Which parts of a drawn item's rectangle belong to the controls around it. No style clips one
// control from its siblings, so a drawn item leaves them out of its paint itself: found once for
// the whole form after its controls have moved, shown or hidden, not at every paint.
#include <algorithm>

#include "forms/forms_intl.h"

namespace {

// Rectangles are sorted into square cells of at least this many pixels, so that each place meets
// only the places near it: a form of thousands of controls costs no more per control than one of
// ten. Far-flung places make the cells larger rather than many.
constexpr int kCell = 64;
constexpr std::size_t kCellsPerPlace = 4;

bool overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool encloses(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool empty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// What a drawn place leaves to another that overlaps it: a place inside it (a frame's items), or
// the part of a control that draws itself; nothing of what encloses it (its frame, or a place in
// the same spot), nor of a drawn place it only partly covers.
bool leavesOut(const ZK_ControlPlace& own, const ZK_ControlPlace& other) {
  if (encloses(other.rect, own.rect)) return false;
  return encloses(own.rect, other.rect) || !other.drawn;
}

// The cells a rectangle covers, relative to the grid's origin.
struct CellSpan {
  int left, top, right, bottom;  // inclusive
};

CellSpan cellsOf(const RECT& r, const POINT& origin, int cell) {
  return {(r.left - origin.x) / cell, (r.top - origin.y) / cell, (r.right - 1 - origin.x) / cell,
          (r.bottom - 1 - origin.y) / cell};
}

}  // namespace

std::vector<std::vector<RECT>> ZK_ItemOverlapsIntl(const std::vector<ZK_ControlPlace>& places) {
  std::vector<std::vector<RECT>> leftOut(places.size());
  if (places.empty()) return leftOut;
  POINT origin = {places[0].rect.left, places[0].rect.top};
  POINT end = origin;
  for (const ZK_ControlPlace& p : places) {
    origin.x = std::min<LONG>(origin.x, p.rect.left);
    origin.y = std::min<LONG>(origin.y, p.rect.top);
    end.x = std::max<LONG>(end.x, p.rect.right);
    end.y = std::max<LONG>(end.y, p.rect.bottom);
  }
  const std::size_t most = std::max<std::size_t>(256, kCellsPerPlace * places.size());
  int cell = kCell;
  const auto countOf = [&](int size) {
    return static_cast<std::size_t>((end.x - origin.x) / size + 1) *
           static_cast<std::size_t>((end.y - origin.y) / size + 1);
  };
  while (countOf(cell) > most) cell *= 2;
  const int columns = (end.x - origin.x) / cell + 1;
  const int rows = (end.y - origin.y) / cell + 1;
  std::vector<std::vector<std::size_t>> cells(static_cast<std::size_t>(columns) *
                                              static_cast<std::size_t>(rows));
  const auto cellAt = [&](int column, int row) -> std::vector<std::size_t>& {
    return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                 static_cast<std::size_t>(column)];
  };
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (empty(places[i].rect)) continue;
    const CellSpan span = cellsOf(places[i].rect, origin, cell);
    for (int row = span.top; row <= span.bottom; ++row)
      for (int column = span.left; column <= span.right; ++column) cellAt(column, row).push_back(i);
  }

  // The place last met from each place: one that shares several cells with it counts once.
  std::vector<std::size_t> metBy(places.size(), places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    const ZK_ControlPlace& own = places[i];
    if (!own.drawn || empty(own.rect)) continue;
    const CellSpan span = cellsOf(own.rect, origin, cell);
    for (int row = span.top; row <= span.bottom; ++row) {
      for (int column = span.left; column <= span.right; ++column) {
        for (std::size_t j : cellAt(column, row)) {
          if (j == i || metBy[j] == i) continue;
          metBy[j] = i;
          const ZK_ControlPlace& other = places[j];
          if (!overlaps(own.rect, other.rect) || !leavesOut(own, other)) continue;
          const RECT& r = other.rect;
          leftOut[i].push_back({std::max(r.left, own.rect.left) - own.rect.left,
                                std::max(r.top, own.rect.top) - own.rect.top,
                                std::min(r.right, own.rect.right) - own.rect.left,
                                std::min(r.bottom, own.rect.bottom) - own.rect.top});
        }
      }
    }
  }
  return leftOut;
}

std::vector<RECT> ZK_ItemLeftOutIntl(const std::string& form, HWND control) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const ZK_ItemControl* own = ZK_ItemControlIntl(control);
  if (own == nullptr) return {};
  if (own->placesVersion == state.placesVersion) return own->leftOut;

  // The form's visible item controls where they are now, in screen pixels. A drawn control has no
  // frame: its window's corner is its own pixel (0, 0).
  std::vector<ZK_ControlPlace> places;
  std::vector<HWND> handles;
  ZK_ItemsOfFormIntl(form, [&](const std::string&, const ItemRecord& record) {
    RECT rect = {};
    if (record.hwnd == nullptr || !IsWindowVisible(record.hwnd) ||
        !GetWindowRect(record.hwnd, &rect)) {
      return;
    }
    const ZK_ItemKind* kind = ZK_ItemKindIntl(record.kind);
    places.push_back({rect, kind != nullptr && kind->drawn});
    handles.push_back(record.hwnd);
  });
  const std::vector<std::vector<RECT>> found = ZK_ItemOverlapsIntl(places);
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (!places[i].drawn) continue;
    ZK_ItemControl* entry = ZK_ItemControlIntl(handles[i]);
    if (entry == nullptr) continue;
    entry->leftOut = found[i];
    entry->placesVersion = state.placesVersion;
  }
  // A control not shown now (a paint asked for directly) leaves nothing out.
  ZK_ItemControl* entry = ZK_ItemControlIntl(control);
  if (entry->placesVersion != state.placesVersion) {
    entry->leftOut.clear();
    entry->placesVersion = state.placesVersion;
  }
  return entry->leftOut;
}
