// Test helpers that pin the C library's time zone and the toolkit's clock.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

#include "foundation/clock.h"

// Sets TZ for the life of the guard and puts the old value back after.
class LocalZone {
 public:
  explicit LocalZone(const char* zone) {
    const char* old = std::getenv("TZ");
    hadOld_ = old != nullptr;
    if (hadOld_) old_ = old;
    Apply(zone);
  }
  ~LocalZone() { Apply(hadOld_ ? old_.c_str() : nullptr); }
  LocalZone(const LocalZone&) = delete;
  LocalZone& operator=(const LocalZone&) = delete;

 private:
  static void Apply(const char* zone) {
#if defined(_WIN32)
    _putenv_s("TZ", zone ? zone : "");
    _tzset();
#else
    if (zone)
      setenv("TZ", zone, 1);
    else
      unsetenv("TZ");
    tzset();
#endif
  }
  bool hadOld_ = false;
  std::string old_;
};

// The local moment of the given components, as the C library sees it.
inline std::time_t LocalMoment(int year, int month, int day, int hour = 0, int minute = 0,
                               int second = 0) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

// Three hours east of UTC, no daylight saving: written the same way for
// glibc and the Windows C runtime.
constexpr const char* kZoneEast3 = "XYZ-3";

// True when the C library honours kZoneEast3 (Wine's runtime may not).
inline bool ZoneEast3Honoured() {
  return LocalMoment(1970, 1, 2) == 86400 - 3 * 3600;
}

// Pins the zone to kZoneEast3 and the clock to 7 December 2026, 14:05:09.
class PinnedClock {
 public:
  PinnedClock() : zone_(kZoneEast3) { ZK_ClockFixIntl(LocalMoment(2026, 12, 7, 14, 5, 9)); }
  ~PinnedClock() { ZK_ClockRealIntl(); }

 private:
  LocalZone zone_;
};
