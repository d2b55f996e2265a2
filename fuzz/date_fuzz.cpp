// DateValue formats and texts: no crash, error codes within their table, and an accepted date
// written with all six components reads back as the same moment.
#include <cstdlib>
#include <ctime>
#include <string>

#include "foundation/clock.h"
#include "fuzz_input.h"
#include "zarvik/date_value.h"

namespace {
const char kAllComponents[] = "dd/mm/yyyy hh:nn:ss";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // One fixed zone without daylight saving: every local moment names one instant.
  setenv("TZ", "UTC", 1);
  tzset();
  ZK_ClockFixIntl(1796652309);  // 7 December 2026, 14:05:09 UTC
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string format = input.text();
  const std::string pattern = input.text();
  const std::string text = input.rest();

  DateValue date;
  date.SetFormat(format);
  FUZZ_CHECK(date.Error() >= 0 && date.Error() <= 9);
  date.Parse(text);
  FUZZ_CHECK(date.Error() >= 0 && date.Error() <= 9);
  const bool accepted = date.Error() == 0 && !date.empty;

  DateValue copy = date;
  copy.Format(pattern);
  FUZZ_CHECK(copy.Error() >= 0 && copy.Error() <= 9);
  copy.Format("");

  if (accepted && date.seconds > 0) {
    const std::string written = date.Format(kAllComponents);
    FUZZ_CHECK(date.Error() == 0);
    DateValue back;
    back.SetFormat(kAllComponents);
    back.Parse(written);
    FUZZ_CHECK(back.Error() == 0);
    FUZZ_CHECK(back.seconds == date.seconds);
  }
  return 0;
}
