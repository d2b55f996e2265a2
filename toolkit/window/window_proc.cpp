// A window procedure put in front of a window's own, and the messages it hands on: the procedure
// before it is called with the character set the window was made with, so that no message is
// converted twice.
#include "window/window_intl.h"

ZK_ProcFront ZK_ProcFrontOfIntl(HWND window) {
  ZK_ProcFront front;
  front.unicode = IsWindowUnicode(window) != FALSE;
  front.original =
      reinterpret_cast<WNDPROC>(front.unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                              : GetWindowLongPtrA(window, GWLP_WNDPROC));
  return front;
}

bool ZK_ProcFrontPutIntl(HWND window, const ZK_ProcFront& front, WNDPROC proc) {
  const LONG_PTR value = reinterpret_cast<LONG_PTR>(proc);
  return (front.unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                        : SetWindowLongPtrA(window, GWLP_WNDPROC, value)) != 0;
}

LRESULT ZK_ProcFrontCallIntl(const ZK_ProcFront& front, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  return front.unicode ? CallWindowProcW(front.original, window, message, wParam, lParam)
                       : CallWindowProcA(front.original, window, message, wParam, lParam);
}
