#include "WallClock.h"

#include <cstdio>
#include <ctime>

std::string isoWallClock(std::chrono::system_clock::time_point when) {
    const auto sinceEpoch = when.time_since_epoch();
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - seconds);
    if (millis.count() < 0) {
        // Before 1970: the millisecond part still counts forwards.
        seconds -= std::chrono::seconds(1);
        millis += std::chrono::seconds(1);
    }
    const std::time_t t = static_cast<std::time_t>(seconds.count());
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr)
        return {};
    char date[32];
    char zone[8];
    if (std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local) == 0 ||
        std::strftime(zone, sizeof zone, "%z", &local) != 5)
        return {};
    // strftime gives "+0100"; ISO 8601's extended form wants "+01:00".
    char out[64];
    std::snprintf(out, sizeof out, "%s.%03d%.3s:%.2s", date, static_cast<int>(millis.count()), zone,
                  zone + 3);
    return out;
}
