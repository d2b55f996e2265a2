// Borders, background fills and the check cross of owner-drawn items. Every pen and brush made
// here is deselected and released before the routine returns.
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

namespace {

// A failed DrawEdge; the catalogue holds no message of its own for it.
constexpr int kDrawEdgeFailed = 1040;

// Creation failures are reported with the caller's context, and drawing goes on without.
HPEN makePen(const ZK_ContextGuard& context, DWORD style, int width, COLORREF colour) {
  const LOGBRUSH brush = {BS_SOLID, colour, 0};
  HPEN pen = ZK_GdiPenIntl(style, static_cast<DWORD>(width), brush);
  if (pen == nullptr) context.report(ZK_ERR_CREATE_PEN);
  return pen;
}

// Releases an object made here; null (a failed creation) is no fault.
bool release(HGDIOBJ object) {
  return object == nullptr || ZK_GdiDeleteIntl(object);
}

// Fills left..right and top..bottom inclusive: a null pen draws no outline and Rectangle leaves
// out the right and bottom edges, hence the extra pixel.
int fillBackground(const ZK_ContextGuard& context, HDC dc, int left, int top, int right, int bottom,
                   COLORREF colour) {
  HPEN nullPen = makePen(context, PS_NULL, 0, RGB(0, 0, 0));
  HBRUSH brush = ZK_GdiBrushIntl(colour);
  if (brush == nullptr) context.report(ZK_ERR_CREATE_BRUSH);
  {
    ZK_ScopedSelect pen(dc, nullPen != nullptr ? nullPen : GetStockObject(NULL_PEN));
    ZK_ScopedSelect fill(dc, brush != nullptr ? brush : GetStockObject(NULL_BRUSH));
    if (!Rectangle(dc, left, top, right + 1, bottom + 1)) context.report(ZK_ERR_RECTANGLE);
  }
  const bool penReleased = release(nullPen);
  const bool brushReleased = release(brush);
  return penReleased && brushReleased ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}

// The four sides from the top left corner, clockwise; 0 or the status of the failed move or line.
int traceFrame(HDC dc, int left, int top, int right, int bottom) {
  if (!MoveToEx(dc, left, top, nullptr)) return ZK_ERR_MOVE_TO;
  const POINT corners[] = {{right, top}, {right, bottom}, {left, bottom}, {left, top}};
  for (const POINT& corner : corners) {
    if (!LineTo(dc, corner.x, corner.y)) return ZK_ERR_LINE_TO;
  }
  return ZK_OK;
}

int solidBorder(const ZK_ContextGuard& context, HDC dc, int left, int top, int right, int bottom,
                int width, COLORREF colour) {
  // The pen is centred on the traced line: move inward by half its width so that the whole
  // stroke lies inside the rectangle.
  left += width / 2;
  top += width / 2;
  right -= (width + 1) / 2;
  bottom -= (width + 1) / 2;
  if (width == 0) return ZK_OK;
  HPEN pen = makePen(context, PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_SOLID, width, colour);
  HGDIOBJ previous = SelectObject(dc, pen != nullptr ? pen : GetCurrentObject(dc, OBJ_PEN));
  const int status = traceFrame(dc, left, top, right, bottom);
  {
    // The painter reports a failed move or line after this: with that call's error number.
    const ZK_LastErrorKeep keep;
    if (previous != nullptr && previous != HGDI_ERROR) SelectObject(dc, previous);
    if (status != ZK_OK) {
      release(pen);
      return status;
    }
  }
  return release(pen) ? ZK_OK : ZK_ERR_DELETE_OBJECT;
}

}  // namespace

int ZK_FormItemBorderIntl(HDC dc, int left, int top, int right, int bottom,
                          const std::string& style, int size, std::int32_t colour,
                          std::int32_t background, int dpi) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const int width = ZK_ScaleIntl((size < 0 || size > 16) ? 1 : size, dpi);
  if (background != -1) {
    const int status =
        fillBackground(context, dc, left, top, right, bottom, static_cast<COLORREF>(background));
    if (status != ZK_OK) return status;
  }
  if (style == "SOLID") {
    return solidBorder(context, dc, left, top, right, bottom, width, static_cast<COLORREF>(colour));
  }
  if (style == "3DIN" || style == "3DOUT") {
    RECT edge = {left, top, right, bottom};
    if (!DrawEdge(dc, &edge, style == "3DIN" ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT)) {
      return kDrawEdgeFailed;
    }
    return ZK_OK;
  }
  return ZK_ERR_BORDER_STYLE;
}

int ZK_FormItemCrossIntl(HDC dc, int left, int top, int right, int bottom, int lineWidth,
                         std::int32_t colour, int dpi) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const int width = ZK_ScaleIntl((lineWidth < 1 || lineWidth > 16) ? 1 : lineWidth, dpi);
  int x1 = left + width - 1;
  if (x1 < 1) x1 = 1;
  int y1 = top + width - 1;
  if (y1 < 1) y1 = 1;
  int x2 = right - width;
  if (x2 < x1) {
    x1 = left;
    x2 = right;
  }
  int y2 = bottom - width;
  if (y2 < y1) {
    y1 = top;
    y2 = bottom;
  }
  // PS_GEOMETRIC alone is a solid pen with round end caps.
  HPEN pen = makePen(context, PS_GEOMETRIC, width, static_cast<COLORREF>(colour));
  int status = ZK_OK;
  {
    ZK_ScopedSelect selected(
        dc, pen != nullptr ? static_cast<HGDIOBJ>(pen) : GetCurrentObject(dc, OBJ_PEN));
    if (!MoveToEx(dc, x1, y1, nullptr)) {
      status = context.fail(ZK_ERR_MOVE_TO);
    } else if (!LineTo(dc, x2, y2)) {
      status = ZK_ERR_LINE_TO;
    } else if (!MoveToEx(dc, x1, y2, nullptr)) {
      status = ZK_ERR_MOVE_TO;
    } else if (!LineTo(dc, x2, y1)) {
      status = ZK_ERR_LINE_TO;
    }
  }
  // The painter does not look at the cross's status: a refused release is reported here.
  if (!release(pen)) context.report(ZK_ERR_DELETE_OBJECT);
  return status;
}
