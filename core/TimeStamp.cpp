#include "core/TimeStamp.h"

#include <chrono>
#include <cstdio>

namespace vistrel {

std::string TrafficTimeStamp() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
  const int millisecond = static_cast<int>(ms % 1000);
  const int second = static_cast<int>((ms / 1000) % 60);
  const int minute = static_cast<int>((ms / 60000) % 60);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%03d  ", minute, second, millisecond);
  return buffer;
}

std::string TimeOfDayStamp() {
  using namespace std::chrono;
  constexpr long long kMsPerDay = 24LL * 3600 * 1000;
  const long long ms =
      duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % kMsPerDay;
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d  ", static_cast<int>(ms / 3600000),
                static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                static_cast<int>(ms % 1000));
  return buffer;
}

}  // namespace vistrel
