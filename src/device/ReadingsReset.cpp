#include "device/ReadingsReset.h"

#include <cstring>

void resetDeviceReadings(DeviceReadings& readings, LinkControl& link) {
    // The serial number texts come from the hardware line, which the box sends
    // only now and then; they describe the box, not its current state.
    DeviceReadings fresh;
    std::memcpy(fresh.serialTextA, readings.serialTextA, sizeof fresh.serialTextA);
    std::memcpy(fresh.serialTextB, readings.serialTextB, sizeof fresh.serialTextB);
    readings = fresh;

    link.newProtocol = false;
    link.statusRestart = false;
    link.awaitingIdentification = true;
    // Lines already on their way answer the old state: they are dropped, so
    // only an answer to the identification turn identifies the box.
    link.purgeRequest = true;
}
