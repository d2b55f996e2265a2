// The owner-draw painter of STATIC, RECT, BUTTON and CHECK items, and the colour answer of EDIT
// items. Values come from the item's record as it stands at each paint; only what follows from
// them without a change (the text in UTF-16, the siblings' parts to leave alone) is kept with the
// control.
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
void drawFocus(const ZK_ContextGuard& context, HDC dc, const RECT& control, int dpi) {
  const int leading = ZK_ScaleIntl(5, dpi);
  const int trailing = ZK_ScaleIntl(4, dpi);
  RECT focus = {control.left + leading, control.top + leading, control.right - trailing,
                control.bottom - trailing};
  if (focus.left < 1) focus.left = 1;
  if (focus.top < 1) focus.top = 1;
  if (focus.right < 1) focus.right = control.right;
  if (focus.bottom < 1) focus.bottom = control.bottom;
  if (!DrawFocusRect(dc, &focus)) context.report(ZK_ERR_FOCUS_RECT);
}

// Paints the control's whole rectangle in the background colour set on the context, so that no
// earlier drawing of the item survives where this one draws nothing: the system erases none of an
// owner-drawn control.
void erase(const ZK_ContextGuard& context, HDC dc, const DRAWITEMSTRUCT& request) {
  if (!ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &request.rcItem, nullptr, 0, nullptr)) {
    context.report(ZK_ERR_RECTANGLE);
  }
}

// Leaves the form's other controls out of the paint where they are not this item's to paint: the
// items a frame encloses, and the system-drawn controls a label reaches over. No style clips a
// control from its siblings. 0 when nothing is left out, else the context's saved state.
int leaveOut(HDC dc, const std::string& form, HWND control) {
  if (control == nullptr) return 0;
  const std::vector<RECT> parts = ZK_ItemLeftOutIntl(form, control);
  if (parts.empty()) return 0;
  const int saved = SaveDC(dc);
  for (const RECT& part : parts) ExcludeClipRect(dc, part.left, part.top, part.right, part.bottom);
  return saved;
}

// Draws the item's text in UTF-16, converted again only when it has changed since the control's
// last paint (drawing calls nothing that could change the control's entry meanwhile). Wide: the
// 8-bit call converts with the code page of the font's character set, not the program's, and a
// UTF-8 program's texts would come out as code page 1252.
bool drawText(HDC dc, HWND control, const std::string& text, RECT* inset, UINT format) {
  ZK_ItemControl* entry = control != nullptr ? ZK_ItemControlIntl(control) : nullptr;
  if (entry == nullptr) {
    const std::wstring wide = ZK_WideIntl(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), inset, format) != 0;
  }
  if (entry->textSource != text || entry->text.empty()) {
    entry->text = ZK_WideIntl(text);
    entry->textSource = text;
  }
  const std::wstring& wide = entry->text;
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), inset, format) != 0;
}

// What one paint of an item reads from its record, copied from it in place before the first
// drawing call: a report of a failed call may show a message box, whose loop can store the
// record meanwhile.
struct Drawn {
  bool button = false;
  bool check = false;
  bool rect = false;
  bool enabled = true;
  bool checked = false;
  std::int32_t textColour = -1;
  std::int32_t backColour = -1;
  std::int32_t borderColour = -1;
  int borderSize = 0;
  std::string borderStyle;
  std::string fontName;
  int fontSize = 0;
  bool fontBold = false;
  bool fontItalic = false;
  bool fontUnderline = false;
  UINT format = 0;
  std::string text;
  std::string remark;  // only for a button that gets or loses the focus
};

// False when the item is not one the toolkit draws.
bool drawnOf(const ZK_FormMessage& m, const DRAWITEMSTRUCT& request, Drawn& drawn) {
  const ItemRecord* found = ZK_ItemFindIntl(m.form, m.item, request.hwndItem);
  if (found == nullptr) return false;
  const ItemRecord& record = *found;
  const ZK_ItemKind* kind = ZK_ItemKindIntl(record.kind);
  if (kind == nullptr || !kind->drawn) return false;
  drawn.button = kind->name == ZK_BUTTON;
  drawn.check = kind->name == ZK_CHECK;
  drawn.rect = kind->name == ZK_RECT;
  drawn.enabled = record.enabled;
  drawn.checked = record.field.checkState;
  drawn.textColour = record.textColour;
  drawn.backColour = record.backColour;
  drawn.borderColour = record.borderColour;
  drawn.borderSize = record.borderSize;
  drawn.borderStyle = record.borderStyle;
  drawn.fontName = record.fontName;
  drawn.fontSize = record.fontSize;
  drawn.fontBold = record.fontBold;
  drawn.fontItalic = record.fontItalic;
  drawn.fontUnderline = record.fontUnderline;
  drawn.format = textFormat(record);
  if (!drawn.rect) drawn.text = drawn.button && record.value.empty() ? m.item : record.value;
  if (drawn.button && (request.itemAction & ODA_FOCUS)) drawn.remark = record.remark;
  return true;
}

// The form's part of a paint, read in place.
struct FormLook {
  COLORREF backColour = 0;
  int dpi = 96;
  HWND statusBar = nullptr;  // null also when the form has none
};

FormLook formLookOf(const std::string& form) {
  const ZK_WindowRegistry& registry = ZK_WindowRegistryIntl();
  const auto found = registry.find(form);
  if (found == registry.end()) return {};
  const WindowRecord& record = found->second;
  return {record.backColour, record.dpi, record.statusBar ? record.statusBarHwnd : nullptr};
}

}  // namespace

int ZK_FormItemPaintIntl(const ZK_FormMessage& m) {
  // Drawing failures are reported with the caller's context, and drawing goes on.
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
  Drawn record;
  if (request == nullptr || !drawnOf(m, *request, record)) return 0;
  const FormLook form = formLookOf(m.form);
  HDC dc = request->hDC;
  const bool button = record.button;
  const bool boxed = button || record.check;

  std::string& style = record.borderStyle;
  int size = record.borderSize;
  if (button) {
    style = (request->itemState & ODS_SELECTED) ? "3DIN" : "3DOUT";
  } else if (record.rect && style != "SOLID") {
    size = 2;
  }
  const bool bordered = style != "SOLID" || size > 0;
  // The border routine fills the background only when the item has a colour of its own.
  const bool erasing = !bordered || record.backColour == -1;

  const COLORREF ink = orDefault(record.textColour, kBlack);
  if (SetTextColor(dc, button && !record.enabled ? kGrey : ink) == CLR_INVALID) {
    context.report(ZK_ERR_TEXT_COLOUR);
  }
  const COLORREF paper =
      orDefault(record.backColour, boxed ? GetSysColor(COLOR_BTNFACE) : form.backColour);
  // Without border there is no background fill either: outside its text cells the item shows
  // what a fresh paint of the form shows there, the form's background.
  const COLORREF ground = bordered ? paper : form.backColour;
  if (SetBkColor(dc, erasing ? ground : paper) == CLR_INVALID) context.report(ZK_ERR_DC_COLOURS);

  if (!record.fontName.empty()) {
    ZK_ItemFontSelectIntl(dc, record.fontName, record.fontSize, record.fontBold, record.fontItalic,
                          record.fontUnderline, form.dpi);
  }

  const int saved = leaveOut(dc, m.form, request->hwndItem);
  if (erasing) {
    erase(context, dc, *request);
    if (ground != paper && SetBkColor(dc, paper) == CLR_INVALID) {
      context.report(ZK_ERR_DC_COLOURS);
    }
  }
  // The control's own size, its 96-DPI size at the form's DPI.
  const int width = request->rcItem.right - request->rcItem.left;
  const int height = request->rcItem.bottom - request->rcItem.top;
  if (bordered) {
    const int status = ZK_FormItemBorderIntl(dc, 0, 0, width, height, style, size,
                                             record.borderColour, record.backColour, form.dpi);
    if (status != ZK_OK) context.report(status);
  }
  // The form's default button (DEFAULT) has a black line round its edge, as the system's has.
  if (button && ZK_FormIsDefaultIntl(m.form, m.item)) {
    const int status = ZK_FormItemBorderIntl(dc, 0, 0, width, height, "SOLID", 1, 0, -1, form.dpi);
    if (status != ZK_OK) context.report(status);
  }

  const int edge = ZK_ScaleIntl(size, form.dpi);
  RECT inset = {edge, edge, width - edge, height - edge};
  if (!record.text.empty()) {
    if (!drawText(dc, request->hwndItem, record.text, &inset, record.format)) {
      context.report(ZK_ERR_DRAW_TEXT);
    }
  }

  if (record.check && record.checked) {
    ZK_FormItemCrossIntl(dc, inset.left, inset.top, inset.right, inset.bottom, size,
                         static_cast<std::int32_t>(ink), form.dpi);
  }

  // The whole button has just been drawn afresh, so the inverting outline goes on exactly while
  // the button has the focus, whatever the request is for.
  if (button && (request->itemState & ODS_FOCUS)) drawFocus(context, dc, request->rcItem, form.dpi);
  if (button && (request->itemAction & ODA_FOCUS) && form.statusBar != nullptr) {
    SendMessageA(form.statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(record.remark.c_str()));
  }

  if (saved != 0) RestoreDC(dc, saved);
  // The item's font was kept selected for the text; give the context its own font back.
  const int released = ZK_FontReleaseIntl(dc);
  if (released != ZK_OK) context.report(released);
  return 1;
}

HBRUSH ZK_FormItemColourIntl(const ZK_FormMessage& m) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  HDC dc = reinterpret_cast<HDC>(m.wParam);
  // Read in place, before the first native call: an edit asks at each of its paints.
  const ItemRecord* found = ZK_ItemFindIntl(m.form, m.item, reinterpret_cast<HWND>(m.lParam));
  if (found == nullptr || found->kind.empty()) return nullptr;
  const struct {
    std::int32_t textColour;
    std::int32_t backColour;
    HBRUSH textBrush;
    HBRUSH backBrush;
  } record = {found->textColour, found->backColour, found->textBrush, found->backBrush};

  const COLORREF ink = orDefault(record.textColour, kBlack);
  HBRUSH textBrush = ZK_GdiBrushIntl(ink);
  if (textBrush == nullptr) context.report(ZK_ERR_CREATE_BRUSH);
  if (SetTextColor(dc, ink) == CLR_INVALID) context.report(ZK_ERR_DC_COLOURS);

  const COLORREF paper = orDefault(record.backColour, kWhite);
  HBRUSH backBrush = ZK_GdiBrushIntl(paper);
  if (backBrush == nullptr) context.report(ZK_ERR_CREATE_BRUSH);
  if (SetBkColor(dc, paper) == CLR_INVALID) context.report(ZK_ERR_DC_COLOURS);

  // The previous pair is no longer used once the control asks again; releasing it keeps a form
  // that repaints for hours from running out of GDI objects.
  ZK_ItemChangeIntl(m.form, m.item, [&](ItemRecord& r) {
    r.textBrush = textBrush;
    r.backBrush = backBrush;
  });
  for (HBRUSH old : {record.textBrush, record.backBrush}) {
    if (old != nullptr && !ZK_GdiDeleteIntl(old)) context.report(ZK_ERR_DELETE_OBJECT);
  }
  return backBrush;
}

void ZK_FormItemBrushesReleaseIntl(const std::string& form) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  for (const std::string& item : ZK_ItemNamesOfFormIntl(form)) {
    const ItemRecord record = ZK_FormItemGet(form, item);
    if (record.backBrush == nullptr && record.textBrush == nullptr) continue;
    for (HBRUSH brush : {record.backBrush, record.textBrush}) {
      if (brush != nullptr && !ZK_GdiDeleteIntl(brush)) context.report(ZK_ERR_DELETE_OBJECT);
    }
    ZK_ItemChangeIntl(form, item, [](ItemRecord& r) {
      r.backBrush = nullptr;
      r.textBrush = nullptr;
    });
  }
}
