// Answers a message box of this process as a user would, from a watcher thread: finds it by its
// caption, reads its message and owner, and presses a button.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace support {

struct SeenBox {
  std::string text;
  HWND owner = nullptr;
  bool found = false;
};

inline std::thread answerBox(const char* caption, int button, SeenBox* seen) {
  return std::thread([caption, button, seen] {
    for (int attempt = 0; attempt < 200; ++attempt) {
      HWND box = FindWindowA("#32770", caption);
      DWORD process = 0;
      if (box != nullptr) GetWindowThreadProcessId(box, &process);
      // Other test programs run beside this one: answer only this process's own box.
      if (box != nullptr && process == GetCurrentProcessId() && IsWindowVisible(box)) {
        char text[4096] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's message is static 0xFFFF
        seen->text = text;
        seen->owner = GetWindow(box, GW_OWNER);
        seen->found = true;
        SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return;
      }
      Sleep(50);
    }
  });
}

}  // namespace support
