// Velmo's forms opened as Velmo opens them, by their own opening functions (modal runs), under a
// main window whose procedure follows Velmo's pattern. A message posted to the main window before
// a run reaches it from inside the form's modal loop, once the form is up: the test acts there.
#pragma once

#include <windows.h>

#include <functional>

#include "forms/forms_intl.h"
#include "support/pump.h"
#include "support/reports.h"
#include "window/window_intl.h"

namespace velmo_host {

constexpr UINT kDriveMessage = WM_APP + 9;

inline std::function<void()>& drive() {
  static std::function<void()> action;
  return action;
}

inline LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDriveMessage) {
    if (drive()) drive()();
    return 0;
  }
  // The calling pattern of an application's main window (Velmo's own procedure lives in its
  // program, beside its entry point).
  if (message == WM_PAINT) {
    ZK_WindowSelect("Main");
    ZK_WindowRelease();
    return 0;
  }
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

// A fresh toolkit with Velmo's main window, each test process at its own place on the desktop.
inline int start() {
  ZK_ResetZarvikIntl();
  const int status =
      ZK_WindowMainCreate("Main", SW_SHOWNORMAL, windowProc, "name=Velmo v1.1",
                          static_cast<int>(GetCurrentProcessId() % 4) * 40, 0, 800, 600);
  support::pump();
  return status;
}

// Opens a form with Velmo's own opening function; action runs inside its modal loop, with the
// form's dialog (null when the form did not open), and should close it.
inline void openModal(void (*open)(), const std::function<void(HWND dialog)>& action,
                      const char* form) {
  drive() = [=] { action(ZK_WindowLookupIntl(form).hwnd); };
  PostMessageA(ZK_WindowLookupIntl("Main").hwnd, kDriveMessage, 0, 0);
  open();
  support::pump();
  drive() = nullptr;
}

}  // namespace velmo_host
