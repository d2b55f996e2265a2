// The baseline's owner drawing: erase, fill, border, font, text and cross with plain GDI calls, the
// same calls the toolkit's painter makes, each object released within the paint. As any correct
// owner drawing whose items change, it paints its whole rectangle (the system erases nothing of an
// owner-drawn control), but not over the siblings it overlaps; its texts are UTF-16.
#include <windows.h>

#include "raw_form.h"

namespace bench {

namespace {
long gObjects = 0;

HPEN pen(DWORD style, int width, COLORREF colour) {
  const LOGBRUSH brush = {BS_SOLID, colour, 0};
  HPEN made = ExtCreatePen(style, static_cast<DWORD>(width), &brush, 0, nullptr);
  if (made != nullptr) ++gObjects;
  return made;
}

void fill(HDC dc, int right, int bottom, COLORREF colour) {
  HPEN none = pen(PS_NULL, 0, 0);
  HBRUSH brush = RawBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, none);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, 0, 0, right + 1, bottom + 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  RawDelete(none);
  RawDelete(brush);
}

void solid(HDC dc, int right, int bottom, int width, COLORREF colour) {
  const int left = width / 2;
  const int top = width / 2;
  right -= (width + 1) / 2;
  bottom -= (width + 1) / 2;
  if (width == 0) return;
  HPEN line = pen(PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_SOLID, width, colour);
  HGDIOBJ old = SelectObject(dc, line);
  MoveToEx(dc, left, top, nullptr);
  LineTo(dc, right, top);
  LineTo(dc, right, bottom);
  LineTo(dc, left, bottom);
  LineTo(dc, left, top);
  SelectObject(dc, old);
  RawDelete(line);
}

void cross(HDC dc, const RECT& r, int width, COLORREF colour) {
  if (width < 1 || width > 16) width = 1;
  int x1 = r.left + width - 1;
  if (x1 < 1) x1 = 1;
  int y1 = r.top + width - 1;
  if (y1 < 1) y1 = 1;
  int x2 = r.right - width;
  if (x2 < x1) {
    x1 = r.left;
    x2 = r.right;
  }
  int y2 = r.bottom - width;
  if (y2 < y1) {
    y1 = r.top;
    y2 = r.bottom;
  }
  HPEN line = pen(PS_GEOMETRIC, width, colour);
  HGDIOBJ old = SelectObject(dc, line);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  MoveToEx(dc, x1, y2, nullptr);
  LineTo(dc, x2, y1);
  SelectObject(dc, old);
  RawDelete(line);
}
}  // namespace

HBRUSH RawBrush(COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush != nullptr) ++gObjects;
  return brush;
}

void RawDelete(HGDIOBJ object) {
  if (object != nullptr && DeleteObject(object)) --gObjects;
}

long RawGdiCount() {
  return gObjects;
}

void RawPaint(const RawControl& c, const DRAWITEMSTRUCT& request) {
  HDC dc = request.hDC;
  int style = c.borderStyle;
  int size = c.borderSize;
  if (c.kind == RawKind::kButton) {
    style = (request.itemState & ODS_SELECTED) ? 2 : 1;
  } else if (c.kind == RawKind::kRect && style != 0) {
    size = 2;
  }
  const bool bordered = style != 0 || size > 0;
  const bool erasing = !bordered || c.fillColour == -1;
  SetTextColor(dc, c.textColour);
  SetBkColor(dc, erasing ? c.groundColour : c.backColour);
  HFONT font = nullptr;
  HGDIOBJ oldFont = nullptr;
  if (!c.fontFace.empty()) {
    const int height = -MulDiv(c.fontSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font = CreateFontA(height, 0, 0, 0, c.bold ? FW_BOLD : FW_NORMAL, c.italic, c.underline, 0,
                       ANSI_CHARSET, 0, 0, 0, FF_SWISS, c.fontFace.c_str());
    if (font != nullptr) {
      ++gObjects;
      oldFont = SelectObject(dc, font);
    }
  }
  int saved = 0;
  if (!c.leftOut.empty()) {
    saved = SaveDC(dc);
    for (const RECT& r : c.leftOut) ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  if (erasing) {
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &request.rcItem, nullptr, 0, nullptr);
    if (c.groundColour != c.backColour) SetBkColor(dc, c.backColour);
  }
  if (bordered) {
    const int width = (size < 0 || size > 16) ? 1 : size;
    if (c.fillColour != -1) fill(dc, c.width, c.height, static_cast<COLORREF>(c.fillColour));
    if (style == 0) {
      solid(dc, c.width, c.height, width, c.borderColour);
    } else {
      RECT edge = {0, 0, c.width, c.height};
      DrawEdge(dc, &edge, style == 2 ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
  }
  RECT inset = {size, size, c.width - size, c.height - size};
  if (!c.text.empty())
    DrawTextW(dc, c.text.c_str(), static_cast<int>(c.text.size()), &inset, c.textFormat);
  if (c.kind == RawKind::kCheck && c.checked) cross(dc, inset, size, c.textColour);
  // The outline shows exactly while the button has the focus, whatever the request is for.
  if (c.kind == RawKind::kButton && (request.itemState & ODS_FOCUS)) {
    RECT focus = {request.rcItem.left + 5, request.rcItem.top + 5, request.rcItem.right - 4,
                  request.rcItem.bottom - 4};
    DrawFocusRect(dc, &focus);
  }
  if (saved != 0) RestoreDC(dc, saved);
  if (font != nullptr) {
    SelectObject(dc, oldFont);
    RawDelete(font);
  }
}

}  // namespace bench
