// The toolkit's one view of the current moment and of local time, so that
// tests can pin "now" to a known day.
#pragma once

#include <ctime>

// The current moment: the fixed one while a test has set it, else time().
std::time_t ZK_ClockNowIntl();

// Pins the clock to `now` until ZK_ClockRealIntl is called.
void ZK_ClockFixIntl(std::time_t now);

// Returns the clock to the system's time().
void ZK_ClockRealIntl();

// Breaks `moment` down in local time into `out`; false when the C library
// cannot (localtime's shared buffer is avoided where a reentrant form exists).
bool ZK_LocalTimeIntl(std::time_t moment, std::tm& out);
