// Test host for items: a dialog of the test's own that hands owner-draw and colour requests to
// the painter as a form's dialog procedure does, a memory canvas the painter can draw into, and a
// recorder that answers the error box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/forms_intl.h"
#include "support/pump.h"
#include "support/reports.h"

namespace item_test {

inline const char kForm[] = "fiche";

using support::pump;
using support::Reports;

struct HostState {
  int draws = 0;
  int colourRequests = 0;
  WindowRecord formRecord;
};
inline HostState& host() {
  static HostState state;
  return state;
}

// The painter reads the form's record from the registry: the test's record goes there first.
inline void registerForm() {
  ZK_WindowStoreIntl(kForm, host().formRecord);
}

inline INT_PTR CALLBACK hostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_DRAWITEM: {
      const auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const std::string item = ZK_FormItemByControlIntl(kForm, request->hwndItem);
      if (item.empty()) return FALSE;
      ++host().draws;
      registerForm();
      return ZK_FormItemPaintIntl({dialog, message, wParam, lParam, kForm, item});
    }
    case WM_CTLCOLOREDIT: {
      const std::string item = ZK_FormItemByControlIntl(kForm, reinterpret_cast<HWND>(lParam));
      if (item.empty()) return FALSE;
      ++host().colourRequests;
      registerForm();
      return reinterpret_cast<INT_PTR>(
          ZK_FormItemColourIntl({dialog, message, wParam, lParam, kForm, item}));
    }
    default:
      return FALSE;
  }
}

// A visible dialog from an in-memory template, registered as the form "fiche".
class Dialog {
 public:
  explicit Dialog(ZK_FormEventProc callback = nullptr) {
    ZK_WindowStateIntl().instance = GetModuleHandleA(nullptr);
    ZK_ItemTableClearIntl();
    alignas(4) WORD buffer[32] = {};
    auto* dialogTemplate = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialogTemplate->style = WS_POPUP | WS_VISIBLE;
    dialogTemplate->dwExtendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    // Spread the test processes over the desktop so that parallel tests rarely cover each other.
    const int slot = static_cast<int>(GetCurrentProcessId() % 12);
    dialogTemplate->x = static_cast<short>(10 + (slot % 3) * 220);
    dialogTemplate->y = static_cast<short>(10 + (slot / 3) * 120);
    dialogTemplate->cx = 200;
    dialogTemplate->cy = 100;
    hwnd_ = CreateDialogIndirectParamA(ZK_WindowStateIntl().instance, dialogTemplate, nullptr,
                                       hostProc, 0);
    WindowRecord record = ZK_WindowDefaultIntl();
    record.title = kForm;
    record.hwnd = hwnd_;
    record.callback = callback;
    record.backColour = RGB(0, 128, 128);
    ZK_WindowStoreIntl(kForm, record);
    host().formRecord = record;
  }
  ~Dialog() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

 private:
  HWND hwnd_ = nullptr;
};

// A 24-bit memory bitmap, pre-filled with a colour no item uses, that the painter draws into.
class Canvas {
 public:
  static constexpr COLORREF kUntouched = RGB(1, 2, 3);
  Canvas(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
    HBRUSH fill = CreateSolidBrush(kUntouched);
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, fill);
    DeleteObject(fill);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
  // Asks the painter to draw the item as a WM_DRAWITEM would (for its control, when given).
  int paint(const std::string& item, UINT state = 0, UINT action = ODA_DRAWENTIRE,
            HWND control = nullptr) {
    DRAWITEMSTRUCT request = {};
    request.CtlType = ODT_STATIC;
    request.hwndItem = control;
    request.itemAction = action;
    request.itemState = state;
    request.hDC = dc_;
    request.rcItem = {0, 0, width_, height_};
    registerForm();
    return ZK_FormItemPaintIntl(
        {nullptr, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&request), kForm, item});
  }
  // The box around every pixel of the colour (or, with other, of every other colour); left
  // above right when there is none.
  RECT boundsOf(COLORREF colour, bool other = false) const {
    RECT box = {width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if ((at(x, y) == colour) == other) continue;
        box.left = x < box.left ? x : box.left;
        box.top = y < box.top ? y : box.top;
        box.right = x > box.right ? x : box.right;
        box.bottom = y > box.bottom ? y : box.bottom;
      }
    }
    return box;
  }
  // Pixels that differ from another canvas of the same size.
  int differences(const Canvas& other) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += at(x, y) != other.at(x, y) ? 1 : 0;
    return n;
  }
  int count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += at(x, y) == colour ? 1 : 0;
    return n;
  }
  // Asks for the colours of an edit item as a WM_CTLCOLOREDIT would.
  HBRUSH colour(const std::string& item) const {
    registerForm();
    return ZK_FormItemColourIntl(
        {nullptr, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc_), 0, kForm, item});
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

}  // namespace item_test
