// The clock seam and a portable local-time breakdown.
#include "foundation/clock.h"

#include "foundation/foundation_intl.h"

std::time_t ZK_ClockNowIntl() {
  const ZK_FoundationState& state = ZK_FoundationStateIntl();
  return state.clockFixed ? state.fixedNow : std::time(nullptr);
}

void ZK_ClockFixIntl(std::time_t now) {
  ZK_FoundationState& state = ZK_FoundationStateIntl();
  state.clockFixed = true;
  state.fixedNow = now;
}

void ZK_ClockRealIntl() {
  ZK_FoundationStateIntl().clockFixed = false;
}

bool ZK_LocalTimeIntl(std::time_t moment, std::tm& out) {
#if defined(_WIN32)
  // MSVC and MinGW: localtime_s takes its arguments the other way round.
  return localtime_s(&out, &moment) == 0;
#else
  return localtime_r(&moment, &out) != nullptr;
#endif
}
