// The clock seam and a portable local-time breakdown.
#include "foundation/clock.h"

namespace {

bool clockFixed = false;
std::time_t fixedNow = 0;

}  // namespace

std::time_t ZK_ClockNowIntl() {
  return clockFixed ? fixedNow : std::time(nullptr);
}

void ZK_ClockFixIntl(std::time_t now) {
  clockFixed = true;
  fixedNow = now;
}

void ZK_ClockRealIntl() {
  clockFixed = false;
}

bool ZK_LocalTimeIntl(std::time_t moment, std::tm& out) {
#if defined(_WIN32)
  // MSVC and MinGW: localtime_s takes its arguments the other way round.
  return localtime_s(&out, &moment) == 0;
#else
  return localtime_r(&moment, &out) != nullptr;
#endif
}
