// The benchmark programs' main window and their count of the toolkit's error reports.
#include "bench_host.h"

#include <cstdio>

#include "bench_measure.h"
#include "foundation/foundation_intl.h"
#include "window/window_intl.h"
#include "zarvik/zarvik.h"

namespace bench {

namespace {
int gReports = 0;

bool countReport(const std::string& text, const std::string&) {
  ++gReports;
  std::fprintf(stderr, "report: %s\n", text.c_str());
  return false;
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

bool HostStart() {
  ZK_ErrorPromptSetIntl(countReport);
  if (ZK_WindowMainCreate("Main", SW_SHOW, mainProc, "name=Banc d'essai", 0, 0, 1000, 720) !=
      ZK_OK) {
    std::fprintf(stderr, "the main window could not be created\n");
    return false;
  }
  Pump();
  return true;
}

HWND HostMainWindow() {
  return ZK_WindowLookupIntl(ZK_WindowStateIntl().mainWindowName).hwnd;
}

int HostEnd() {
  std::printf("REPORTS|%d\n", gReports);
  DestroyWindow(HostMainWindow());
  return gReports == 0 ? 0 : 2;
}

std::string Environment(const char* name) {
  char value[64] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? value : "";
}

bool Quick() {
  return Environment("BENCH_QUICK") == "1";
}

}  // namespace bench
