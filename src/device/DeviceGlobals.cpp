#include "device/DeviceReadings.h"
#include "device/LinkControl.h"

DeviceReadings deviceReadings;
std::mutex readingsMutex;
LinkControl linkControl;

DeviceReadings snapshotReadings() {
    std::lock_guard<std::mutex> lock(readingsMutex);
    return deviceReadings;
}
