#include "device/DeviceReadings.h"
#include "device/LinkControl.h"

DeviceReadings deviceReadings;
std::mutex readingsMutex;
LinkControl linkControl;

DeviceReadings snapshotReadings(const DeviceReadings& readings, std::mutex& mutex) {
    std::lock_guard<std::mutex> lock(mutex);
    return readings;
}

DeviceReadings snapshotReadings() {
    return snapshotReadings(deviceReadings, readingsMutex);
}
