// Reading a control's whole text, however long, in the program's code page; the program's texts
// in UTF-16.
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

std::wstring ZK_WideIntl(const std::string& text) {
  if (text.empty()) return L"";
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (units <= 0) return L"";
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], units);
  return wide;
}

bool ZK_NarrowIntl(const std::wstring& wide, std::string* text) {
  text->clear();
  if (wide.empty()) return true;
  const int units = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return false;
  text->assign(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), units, &(*text)[0], size, nullptr, nullptr);
  // A character the code page lacks comes back as another: the text would name another file.
  return ZK_WideIntl(*text) == wide;
}
