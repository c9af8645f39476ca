#include "app/WindowTitle.h"

std::string mainWindowTitle(const std::string& bearingName, int32_t pulseRate) {
    std::string title = "ORVATIX " + bearingName;
    if (pulseRate != 0)
        title += " (" + std::to_string(2 * static_cast<int64_t>(pulseRate)) + ")";
    return title;
}
