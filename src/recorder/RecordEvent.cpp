#include "recorder/RecordEvent.h"

#include "device/DeviceReadings.h"

#include <algorithm>
#include <iterator>

namespace {

RecordEvent copyOf(const DeviceReadings& r, std::int32_t counts) {
    RecordEvent e;
    e.counts = counts;
    e.amplitudeWH = r.amplitudeWH;
    e.amplitudeYE = r.amplitudeYE;
    std::copy(std::begin(r.dacOffsets), std::end(r.dacOffsets), e.dacOffsets);
    std::copy(std::begin(r.channelValues), std::end(r.channelValues), e.channelValues);
    std::copy(std::begin(r.refValues), std::end(r.refValues), e.refValues);
    e.refDistance = r.refDistance;
    return e;
}

} // namespace

RecordEvent RecordEvent::position(const DeviceReadings& readings, std::int32_t displayPosition) {
    return copyOf(readings, displayPosition);
}

RecordEvent RecordEvent::reference(const DeviceReadings& readings, std::int32_t referencePosition) {
    return copyOf(readings, referencePosition);
}

void RecordEvent::copyTo(DeviceReadings& r) const {
    r.amplitudeWH = amplitudeWH;
    r.amplitudeYE = amplitudeYE;
    std::copy(std::begin(dacOffsets), std::end(dacOffsets), r.dacOffsets);
    std::copy(std::begin(channelValues), std::end(channelValues), r.channelValues);
    std::copy(std::begin(refValues), std::end(refValues), r.refValues);
    r.refDistance = refDistance;
}
