// Finds a message box of Velmo's by its caption from outside the process, as an automation
// client would: prints its message (bytes outside printable ASCII as \xHH) or presses a button.
//   velmo_box_probe CAPTION text       the box's message (exit 1 when no such box)
//   velmo_box_probe CAPTION press ID   clicks the button with that id
//   velmo_box_probe CAPTION close      posts WM_CLOSE to the top-level window with that caption
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

// WM_GETTEXT is marshalled across processes by the system.
std::string textOf(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[2];
  if (command == "close") {
    HWND window = FindWindowA(nullptr, argv[1]);
    return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  HWND box = FindWindowA("#32770", argv[1]);
  if (box == nullptr) return 1;
  if (command == "text") {
    HWND message = GetDlgItem(box, 0xFFFF);  // a message box's text is static 0xFFFF
    if (message == nullptr) return 1;
    std::printf("%s\n", escaped(textOf(message)).c_str());
    return 0;
  }
  if (command == "press" && argc == 4) {
    HWND button = GetDlgItem(box, std::atoi(argv[3]));
    if (button == nullptr) return 1;
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
  }
  return 2;
}
