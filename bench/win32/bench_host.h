// The toolkit host of a benchmark program: its main window, and the toolkit's error reports
// counted (and printed) instead of shown; the run's settings from the environment.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Makes the main window and counts reports from now on; false (with a line on stderr) when the
// window cannot be made.
bool HostStart();
HWND HostMainWindow();
// Prints "REPORTS|count" for scripts/bench.sh and closes the main window: 0, or 2 after a report.
int HostEnd();
// An environment variable's value, "" when unset or longer than 63 characters.
std::string Environment(const char* name);
// A smaller run for a quick look: BENCH_QUICK=1.
bool Quick();

}  // namespace bench
