#include "signalview/SignalSample.h"

SignalSample signalSampleFrom(const DeviceReadings& readings, double timeSeconds) {
    SignalSample s;
    for (int i = 0; i < 4; ++i) {
        s.channelValues[i] = readings.channelValues[i];
        s.dacOffsets[i] = readings.dacOffsets[i];
    }
    s.amplitudeYE = readings.amplitudeYE;
    s.amplitudeWH = readings.amplitudeWH;
    s.time = timeSeconds;
    return s;
}
