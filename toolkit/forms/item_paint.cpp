// The owner-draw painter of STATIC, RECT, BUTTON and CHECK items, and the colour answer of EDIT
// items. Values come from the item's record as it stands at each paint; nothing is cached.
#include <windows.h>

#include <cstdint>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGrey = 0xBFBFBF;  // the text of a disabled BUTTON

COLORREF orDefault(std::int32_t colour, COLORREF fallback) {
  return colour == -1 ? fallback : static_cast<COLORREF>(colour);
}

UINT textFormat(const ItemRecord& record) {
  if (record.kind == ZK_BUTTON) return DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  UINT format = record.textHPos == 0 ? DT_CENTER : (record.textHPos == -1 ? DT_LEFT : DT_RIGHT);
  if (record.textVPos == 0) {
    format |= DT_VCENTER | DT_SINGLELINE;
  } else if (record.textVPos == 1) {
    format |= DT_BOTTOM | DT_SINGLELINE | DT_WORDBREAK;
  } else {
    format |= DT_WORDBREAK;
  }
  return format;
}

// The focus outline sits a few pixels inside the button's edge.
void drawFocus(HDC dc, const RECT& control) {
  RECT focus = {control.left + 5, control.top + 5, control.right - 4, control.bottom - 4};
  if (focus.left < 1) focus.left = 1;
  if (focus.top < 1) focus.top = 1;
  if (focus.right < 1) focus.right = control.right;
  if (focus.bottom < 1) focus.bottom = control.bottom;
  if (!DrawFocusRect(dc, &focus)) ZK_ErrorReportIntl(ZK_ERR_FOCUS_RECT);
}

// Leaves out of the context's clipping the form's other visible items that lie wholly inside this
// item's control: a frame (RECT) drawn around other items must not paint over them. The item
// table's placements pick the few items that overlap this one; their controls decide.
void excludeEnclosed(HDC dc, HWND control, const std::string& form, const ItemRecord& own) {
  RECT outer = {};
  if (control == nullptr || !GetWindowRect(control, &outer)) return;
  const std::string prefix = form + ".";
  const ZK_ItemTable& items = ZK_ItemTableIntl();
  for (auto entry = items.lower_bound(prefix);
       entry != items.end() && entry->first.compare(0, prefix.size(), prefix) == 0; ++entry) {
    const ItemRecord& other = entry->second;
    if (other.hwnd == nullptr || other.hwnd == control || !other.visible) continue;
    if (other.x >= own.x + own.width || other.x + other.width <= own.x ||
        other.y >= own.y + own.height || other.y + other.height <= own.y) {
      continue;
    }
    RECT inner = {};
    if (!IsWindowVisible(other.hwnd) || !GetWindowRect(other.hwnd, &inner)) continue;
    const bool inside = inner.left >= outer.left && inner.top >= outer.top &&
                        inner.right <= outer.right && inner.bottom <= outer.bottom;
    if (!inside || EqualRect(&inner, &outer)) continue;  // two items in one place: neither frames
    MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&inner), 2);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  }
}

// Paints the control's whole rectangle in the text background colour set on the context, so that
// no earlier drawing of the item survives where this one draws nothing (the system erases none
// of an owner-drawn control), except where it encloses other items.
void erase(HDC dc, const DRAWITEMSTRUCT& request, const std::string& form,
           const ItemRecord& record) {
  const int saved = SaveDC(dc);
  excludeEnclosed(dc, request.hwndItem, form, record);
  if (!ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &request.rcItem, nullptr, 0, nullptr)) {
    ZK_ErrorReportIntl(ZK_ERR_RECTANGLE);
  }
  RestoreDC(dc, saved);
}

bool isDrawnKind(const std::string& kind) {
  return kind == ZK_BUTTON || kind == ZK_STATIC || kind == ZK_RECT || kind == ZK_CHECK;
}

}  // namespace

int ZK_FormItemPaintIntl(HWND, UINT, WPARAM, LPARAM lParam, const std::string& form,
                         const std::string& item, const WindowRecord& formRecord) {
  const auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  const ItemRecord record = ZK_FormItemGet(form, item);
  if (!isDrawnKind(record.kind) || request == nullptr) return 0;
  HDC dc = request->hDC;
  const bool button = record.kind == ZK_BUTTON;
  const bool boxed = button || record.kind == ZK_CHECK;

  const COLORREF ink = orDefault(record.textColour, kBlack);
  if (SetTextColor(dc, button && !record.enabled ? kGrey : ink) == CLR_INVALID) {
    ZK_ErrorReportIntl(ZK_ERR_TEXT_COLOUR);
  }
  const COLORREF paper = orDefault(
      record.backColour, boxed ? GetSysColor(COLOR_BTNFACE) : formRecord.backColour);
  if (SetBkColor(dc, paper) == CLR_INVALID) ZK_ErrorReportIntl(ZK_ERR_DC_COLOURS);

  if (!record.fontName.empty()) {
    ZK_FormItemFontSet(dc, record.fontName, record.fontSize, record.fontBold, record.fontItalic,
                       record.fontUnderline);
  }

  std::string style = record.borderStyle;
  int size = record.borderSize;
  if (button) {
    style = (request->itemState & ODS_SELECTED) ? "3DIN" : "3DOUT";
  } else if (record.kind == ZK_RECT && style != "SOLID") {
    size = 2;
  }
  const bool bordered = style != "SOLID" || size > 0;
  // The border routine fills the background only when the item has a colour of its own.
  if (!bordered || record.backColour == -1) erase(dc, *request, form, record);
  if (bordered) {
    const int status = ZK_FormItemBorderIntl(dc, 0, 0, record.width, record.height, style, size,
                                             record.borderColour, record.backColour);
    if (status != ZK_OK) ZK_ErrorReportIntl(status);
  }

  RECT inset = {size, size, record.width - size, record.height - size};
  std::string text;
  if (record.kind != ZK_RECT) text = record.value;
  if (button && text.empty()) text = item;
  if (!text.empty()) {
    if (!DrawTextA(dc, text.c_str(), -1, &inset, textFormat(record))) {
      ZK_ErrorReportIntl(ZK_ERR_DRAW_TEXT);
    }
  }

  if (record.kind == ZK_CHECK && record.field.checkState) {
    ZK_FormItemCrossIntl(dc, inset.left, inset.top, inset.right, inset.bottom, size,
                         static_cast<std::int32_t>(ink));
  }

  // The whole button has just been drawn afresh, so the inverting outline goes on exactly while
  // the button has the focus, whatever the request is for.
  if (button && (request->itemState & ODS_FOCUS)) drawFocus(dc, request->rcItem);
  if (button && (request->itemAction & ODA_FOCUS)) {
    if (formRecord.statusBar) {
      SendMessageA(formRecord.statusBarHwnd, WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(record.remark.c_str()));
    }
  }

  // The item's font was kept selected for the text; give the context its own font back.
  const int released = ZK_FormItemFontReleaseIntl(dc);
  if (released != ZK_OK) ZK_ErrorReportIntl(released);
  return 1;
}

HBRUSH ZK_FormItemColourIntl(HWND, UINT, HDC dc, HWND, const std::string& form,
                             const std::string& item, const WindowRecord&) {
  ItemRecord record = ZK_FormItemGet(form, item);
  if (record.kind.empty()) return nullptr;
  // The previous pair is no longer used once the control asks again; releasing it keeps a form
  // that repaints for hours from running out of GDI objects.
  HBRUSH oldText = record.textBrush;
  HBRUSH oldBack = record.backBrush;

  const COLORREF ink = orDefault(record.textColour, kBlack);
  record.textBrush = ZK_GdiBrushIntl(ink);
  if (record.textBrush == nullptr) ZK_ErrorReportIntl(ZK_ERR_CREATE_BRUSH);
  if (SetTextColor(dc, ink) == CLR_INVALID) ZK_ErrorReportIntl(ZK_ERR_DC_COLOURS);

  const COLORREF paper = orDefault(record.backColour, kWhite);
  record.backBrush = ZK_GdiBrushIntl(paper);
  if (record.backBrush == nullptr) ZK_ErrorReportIntl(ZK_ERR_CREATE_BRUSH);
  if (SetBkColor(dc, paper) == CLR_INVALID) ZK_ErrorReportIntl(ZK_ERR_DC_COLOURS);

  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), record);
  for (HBRUSH old : {oldText, oldBack}) {
    if (old != nullptr && !ZK_GdiDeleteIntl(old)) ZK_ErrorReportIntl(ZK_ERR_DELETE_OBJECT);
  }
  return record.backBrush;
}
