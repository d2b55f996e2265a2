// Shared by the window-layer tests: a main window procedure in the pattern applications follow,
// the report recorder that answers No, and small readers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/import_patch.h"
#include "support/pump.h"
#include "support/reports.h"
#include "support/texts.h"
#include "window/window_intl.h"

namespace wt {

using support::pump;
using support::reportTexts;
using support::systemErrorOf;
using support::windowText;

// The codes of the reports made since answerReportsNo.
inline std::vector<int> reported() {
  return support::reportedCodes();
}

// Every report is answered No and kept, so no test waits on a real box.
inline void answerReportsNo() {
  reportTexts().clear();
  ZK_ErrorPromptSetIntl(support::recordReport);
}

// What the test's main window procedure saw.
struct ProcLog {
  int paints = 0;
  int defaultCalls = 0;               // messages passed on to DefWindowProcA
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

// Paints the main window now: WM_PAINT reaches the procedure before this returns.
inline void paintNow() {
  InvalidateRect(mainHwnd(), nullptr, TRUE);
  UpdateWindow(mainHwnd());
}

inline void expectContext(const std::string& window, const std::string& function) {
  const ZK_ErrorContext context = ZK_ContextGetIntl();
  EXPECT_EQ(context.windowName, window);
  EXPECT_EQ(context.functionName, function);
}

}  // namespace wt
