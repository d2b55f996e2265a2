// Every report the toolkit makes, recorded and answered No, so that no test waits on a box; and
// readers of a report's lines.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/foundation_intl.h"

namespace support {

inline std::vector<std::string>& reportTexts() {
  static std::vector<std::string> texts;
  return texts;
}

inline bool recordReport(const std::string& text, const std::string& /*title*/) {
  reportTexts().push_back(text);
  return false;  // No: the program goes on
}

// The text after "label : " on its line, "" when the report has no such line.
inline std::string reportLine(const std::string& report, const std::string& label) {
  const std::string::size_type at = report.find(label + " : ");
  if (at == std::string::npos) return "";
  const std::string::size_type start = at + label.size() + 3;
  return report.substr(start, report.find('\n', start) - start);
}

// The status code a report names, and the system error number (-1 when it names none).
inline int codeOf(const std::string& report) {
  const std::string line = reportLine(report, "Error number");
  return line.empty() ? -1 : std::atoi(line.c_str());
}
inline int systemErrorOf(const std::string& report) {
  const std::string line = reportLine(report, "System error");
  return line.empty() ? -1 : std::atoi(line.c_str());
}

inline std::vector<int> reportedCodes() {
  std::vector<int> codes;
  for (const std::string& text : reportTexts()) codes.push_back(codeOf(text));
  return codes;
}

// Records the reports made while it lives; prints them at the end, to explain a failed test.
class Reports {
 public:
  Reports() {
    reportTexts().clear();
    ZK_ErrorPromptSetIntl(recordReport);
  }
  ~Reports() {
    ZK_ErrorPromptSetIntl(nullptr);
    for (const std::string& text : reportTexts()) std::printf("report: %s\n", text.c_str());
  }
  std::size_t count() const { return reportTexts().size(); }
  static std::vector<std::string>& texts() { return reportTexts(); }
  Reports(const Reports&) = delete;
  Reports& operator=(const Reports&) = delete;
};

}  // namespace support
