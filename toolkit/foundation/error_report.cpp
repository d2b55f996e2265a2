// The error reporter: turns a status code into a report naming the function, the window, the
// catalogue message and, for failed system services, the system's own error text; then asks
// whether to stop the program, or appends the report to "zarerror.txt".
#include <cstdio>
#include <ctime>

#include "foundation/foundation_intl.h"
#include "foundation/system.h"
#include "window/window_intl.h"

namespace {

const char kErrorTitle[] = "Zarvik Error";
const char kErrorLog[] = "zarerror.txt";

bool gDisplayShown = true;
ZK_ErrorPromptFn gPrompt = nullptr;

bool isSystemFailure(int code) {
  return code >= 1000 && code <= 1999;
}

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

// One time-stamp line (mm/dd/yy hh:mm:ss), the report, and an empty line.
void appendToLog(const std::string& report) {
  std::FILE* log = std::fopen(kErrorLog, "a");
  if (log == nullptr) {
    return;
  }
  const std::tm t = localNow();
  std::fprintf(log, "%02d/%02d/%02d %02d:%02d:%02d\n", t.tm_mon + 1, t.tm_mday, t.tm_year % 100,
               t.tm_hour, t.tm_min, t.tm_sec);
  std::fflush(log);
  std::fputs(report.c_str(), log);
  std::fputs("\n", log);
  std::fflush(log);
  std::fclose(log);
}

}  // namespace

std::string ZK_CatalogueLanguageIntl() {
  return ZK_LANGUAGE;
}

void ZK_ErrorDisplaySetIntl(bool shown) {
  gDisplayShown = shown;
}

bool ZK_ErrorDisplayIntl() {
  return gDisplayShown;
}

void ZK_ErrorPromptSetIntl(ZK_ErrorPromptFn prompt) {
  gPrompt = prompt;
}

std::string ZK_ErrorReportIntl(int code) {
  // The last error first, before any other call can change it.
  std::string systemPart;
  if (isSystemFailure(code)) {
    const std::uint32_t error = ZK_SystemLastErrorIntl();
    systemPart = "System error : " + std::to_string(error) + "\n" +
                 "System message : " + ZK_SystemErrorTextIntl(error) + "\n";
  }
  const ZK_ErrorContext context = ZK_ContextGetIntl();
  const std::string& window =
      context.windowName.empty() ? ZK_globals.currentWindowName : context.windowName;

  std::string report = "Function : " + context.functionName + "\n" +
                       "Window name : " + window + "\n" +
                       "Error number : " + std::to_string(code) + "\n" +
                       "Error msg : " + ZK_CatalogueMessageIntl(code) + "\n" + systemPart;

  if (!gDisplayShown) {
    appendToLog(report);
    return report;
  }
  report += "\nDo you want to stop the program ?";
  const bool stop = gPrompt != nullptr ? gPrompt(report, kErrorTitle)
                                       : ZK_SystemAskYesNoIntl(report, kErrorTitle);
  if (stop) {
    ZK_SystemPostQuitIntl(0);
  }
  return report;
}

int ZK_MessageBox(const std::string& caption, const std::string& text) {
  const ZK_ContextGuard context(caption, "ZK_MessageBox");
  const WindowRecord main = ZK_WindowLookupIntl(ZK_globals.mainWindowName);
  if (main.hwnd == nullptr) return context.fail(ZK_ERR_NO_MAIN_WINDOW);
  // The box runs a message loop of its own: forms' dialog procedures may run meanwhile.
  ZK_SystemMessageBoxIntl(main.hwnd, text, caption);
  return context.done();
}
