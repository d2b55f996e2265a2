// Texts the tests make and read: every byte value, long texts, and a window's whole text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace support {

// Every byte value 0..255, starting at `first`.
inline std::string everyByte(int first) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>((first + i) & 0xFF);
  return bytes;
}

// size bytes of the unit followed by a counter and a space, again and again.
inline std::string longText(std::size_t size, const std::string& unit) {
  std::string text;
  for (int i = 0; text.size() < size; ++i) text += unit + std::to_string(i) + " ";
  text.resize(size);
  return text;
}

inline std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

inline std::string classOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The entries of a combo box's list.
inline std::vector<std::string> listOf(HWND combo) {
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string entry(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1,
                      '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry[0]));
    entry.resize(entry.size() - 1);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace support
