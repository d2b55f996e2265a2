// Shared by the window-layer tests: a main window procedure in the pattern applications follow,
// an error prompt that answers No and records the reported codes, and small readers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/foundation_intl.h"
#include "support/import_patch.h"
#include "window/gdi_objects.h"
#include "window/window_intl.h"
#include "zarvik/zarvik.h"

namespace wt {

inline std::vector<int>& reported() {
  static std::vector<int> codes;
  return codes;
}

// The whole text of each report, beside its code.
inline std::vector<std::string>& reportTexts() {
  static std::vector<std::string> texts;
  return texts;
}

inline bool recordReport(const std::string& text, const std::string& /*title*/) {
  const std::string::size_type at = text.find("Error number : ");
  reported().push_back(at == std::string::npos ? -1 : std::atoi(text.c_str() + at + 15));
  reportTexts().push_back(text);
  return false;  // No: the program goes on
}

// The system error number a report names, -1 when it names none.
inline int systemErrorOf(const std::string& report) {
  const std::string::size_type at = report.find("System error : ");
  return at == std::string::npos ? -1 : std::atoi(report.c_str() + at + 15);
}

// Every report is answered No and its code kept, so no test waits on a real box.
inline void answerReportsNo() {
  reported().clear();
  reportTexts().clear();
  ZK_ErrorPromptSetIntl(recordReport);
}

// What the test's main window procedure saw.
struct ProcLog {
  int paints = 0;
  int defaultCalls = 0;  // messages passed on to DefWindowProcA
  void (*onPaint)(HDC dc) = nullptr;  // drawing between ZK_WindowSelect and ZK_WindowRelease
  int selectStatus = -1;
  int releaseStatus = -1;
};
inline ProcLog& procLog() {
  static ProcLog log;
  return log;
}

inline LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ++procLog().paints;
    procLog().selectStatus = ZK_WindowSelect(ZK_WindowStateIntl().mainWindowName);
    if (procLog().onPaint != nullptr) procLog().onPaint(ZK_WindowStateIntl().paint.dc);
    procLog().releaseStatus = ZK_WindowRelease();
    return 0;
  }
  ZK_WindowMessageAuto(message, wParam);
  ++procLog().defaultCalls;
  return DefWindowProcA(window, message, wParam, lParam);
}

inline int createMain(const std::string& name = "Main",
                      const std::string& properties = "name=Velmo v1.1") {
  return ZK_WindowMainCreate(name, SW_SHOWNORMAL, mainProc, properties, 0, 0, 800, 600);
}

inline HWND mainHwnd() {
  return ZK_WindowLookupIntl(ZK_WindowStateIntl().mainWindowName).hwnd;
}

// Handles what is waiting in this thread's queue; a WM_QUIT found on the way is dropped.
inline void pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Paints the main window now: WM_PAINT reaches the procedure before this returns.
inline void paintNow() {
  InvalidateRect(mainHwnd(), nullptr, TRUE);
  UpdateWindow(mainHwnd());
}

inline std::string windowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline void expectContext(const std::string& window, const std::string& function) {
  const ZK_ErrorContext context = ZK_ContextGetIntl();
  EXPECT_EQ(context.windowName, window);
  EXPECT_EQ(context.functionName, function);
}

}  // namespace wt
