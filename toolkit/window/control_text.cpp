// Reading a control's whole text, however long, in the program's code page.
#include <vector>

#include "window/window_intl.h"

std::string ZK_ControlTextIntl(HWND control) {
  // The length may count more bytes than the text has (the system may measure before it
  // converts), never fewer: the text ends at the first zero.
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return "";
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(control, buffer.data(), length + 1);
  return buffer.data();
}

std::string ZK_ComboEntryIntl(HWND combo, WPARAM index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length < 0) return "";
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  if (SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR)
    return "";
  return buffer.data();
}
