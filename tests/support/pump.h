// Handles the messages waiting for this thread's windows; a WM_QUIT found on the way is dropped.
#pragma once

#include <windows.h>

namespace support {

inline void pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace support
