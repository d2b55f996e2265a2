// The error reporter: turns a status code into a report naming the function, the window, the
// catalogue message and, for failed system services, the system's own error text; then asks
// whether to stop the program, or appends the report to "zarerror.txt".
#include <cstdio>
#include <ctime>

#include "foundation/clock.h"
#include "foundation/foundation_intl.h"
#include "foundation/system.h"

namespace {

const char kErrorTitle[] = "Zarvik Error";
const char kErrorLog[] = "zarerror.txt";

bool isSystemFailure(int code) {
  return code >= 1000 && code <= 1999;
}

// One time-stamp line (mm/dd/yy hh:mm:ss, the system's time), the report, and an empty line.
void appendToLog(const std::string& report) {
  std::FILE* log = std::fopen(kErrorLog, "a");
  if (log == nullptr) {
    return;
  }
  std::tm t{};
  ZK_LocalTimeIntl(std::time(nullptr), t);
  std::fprintf(log, "%02d/%02d/%02d %02d:%02d:%02d\n", t.tm_mon + 1, t.tm_mday, t.tm_year % 100,
               t.tm_hour, t.tm_min, t.tm_sec);
  std::fflush(log);
  std::fputs(report.c_str(), log);
  std::fputs("\n", log);
  std::fflush(log);
  std::fclose(log);
}

}  // namespace

void ZK_ErrorDisplaySet(bool shown) {
  ZK_FoundationStateIntl().errorShown = shown;
}

bool ZK_ErrorDisplayIntl() {
  return ZK_FoundationStateIntl().errorShown;
}

void ZK_ErrorPromptSetIntl(ZK_ErrorPromptFn prompt) {
  ZK_FoundationStateIntl().prompt = prompt;
}

std::string ZK_ErrorReportIntl(int code) {
  // The last error first, before any other call can change it.
  std::string systemPart;
  if (isSystemFailure(code)) {
    const std::uint32_t error = ZK_SystemLastErrorIntl();
    systemPart = "System error : " + std::to_string(error) + "\n" +
                 "System message : " + ZK_SystemErrorTextIntl(error) + "\n";
  }
  const ZK_FoundationState& state = ZK_FoundationStateIntl();
  const ZK_ErrorContext context = state.context;
  const std::string window =
      context.windowName.empty() ? state.currentWindowName : context.windowName;

  std::string report = "Function : " + context.functionName + "\n" + "Window name : " + window +
                       "\n" + "Error number : " + std::to_string(code) + "\n" +
                       "Error msg : " + ZK_CatalogueMessageIntl(code) + "\n" + systemPart;

  if (!state.errorShown) {
    appendToLog(report);
    return report;
  }
  report += "\nDo you want to stop the program ?";
  const ZK_ErrorPromptFn prompt = state.prompt;
  const bool stop =
      prompt != nullptr ? prompt(report, kErrorTitle) : ZK_SystemAskYesNoIntl(report, kErrorTitle);
  if (stop) {
    ZK_SystemPostQuitIntl(0);
  }
  return report;
}
