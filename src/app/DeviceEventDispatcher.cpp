#include "app/DeviceEventDispatcher.h"

#include "device/DeviceReadings.h"
#include "device/LinkControl.h"

#include <cstring>

namespace {
// A text field of the readings, never read past its capacity.
template <size_t N> std::string_view field(const char (&text)[N]) {
    return std::string_view(text, strnlen(text, N));
}
} // namespace

DeviceEventDispatcher::DeviceEventDispatcher(const DeviceReadings& readings,
                                             const LinkControl& link, ReferenceIndicator& indicator,
                                             DeviceEventTarget& target)
    : readings_(readings), link_(link), indicator_(indicator), target_(target) {}

std::string DeviceEventDispatcher::versionLine(const DeviceReadings& readings) {
    std::string line(field(readings.boxTypeText));
    line.append(" Version ").append(field(readings.versionText));
    line.append(" [").append(field(readings.boxInfoText)).append("]");
    return line;
}

std::string DeviceEventDispatcher::serialLine(const DeviceReadings& readings) {
    std::string line("SN ");
    line.append(field(readings.serialTextB)).append(" ").append(field(readings.serialTextA));
    return line;
}

void DeviceEventDispatcher::offsetsChanged(int param, bool recording) {
    if (param == 0) {
        if (target_.markOffsetSeen('W') && !recording)
            target_.drawAmplitude('R', kWhite);
        if (!recording)
            target_.refreshExtendedDisplay(2);
    } else if (param == 2) {
        if (target_.markOffsetSeen('Y') && !recording)
            target_.drawAmplitude('R', kYellow);
    }
}

void DeviceEventDispatcher::dispatch(int code, int param) {
    const bool recording = link_.recordingActive.load();
    switch (code) {
    case 0:
        target_.showPosition();
        break;
    case 2:
        offsetsChanged(param, recording);
        break;
    case 3:
        if (!recording && param == 0)
            target_.refreshExtendedDisplay(3);
        break;
    case 4:
        if (param == 0)
            target_.refreshExtendedDisplay(4);
        break;
    case 5:
        if (!target_.statusDisplayBusy() && !recording)
            target_.updateStatusDisplay(param != 0);
        break;
    case 6:
        if (recording)
            target_.addRecordSample(readings_.displayPosition, readings_.amplitudeWH,
                                    readings_.amplitudeYE, false);
        else if (!target_.amplitudeBusy())
            target_.drawAmplitude('W', readings_.amplitudeWH);
        break;
    case 7:
        if (!target_.amplitudeBusy() && !recording)
            target_.drawAmplitude('Y', readings_.amplitudeYE);
        break;
    case 8:
        if (recording)
            break;
        if (param == 0)
            target_.stopNoiseDisplay();
        else if (target_.noiseButtonPressed())
            target_.showNoise(readings_.interferenceA / 10.0, readings_.interferenceB / 10.0);
        break;
    case 9:
        if (!recording)
            indicator_.referenceFound(field(readings_.boxTypeText), readings_.absolutePositionMode,
                                      target_.displayAngle());
        break;
    case 10:
        if (!recording)
            indicator_.referencePassed(field(readings_.boxTypeText), readings_.absolutePositionMode,
                                       target_.displayAngle());
        break;
    case 12:
        target_.refreshExtendedDisplay(12);
        break;
    case 14:
        target_.setVersionLine(versionLine(readings_));
        break;
    case 16:
        if (!recording)
            target_.refreshExtendedDisplay(16);
        break;
    case 17:
        if (param == 49)
            target_.showBoxResetResult(true);
        else if (param == 50)
            target_.showBoxResetResult(false);
        break;
    case 18:
        target_.selectBearingByPulseRate();
        break;
    case 19:
        target_.refreshExtendedDisplay(19);
        break;
    case 20:
        if (recording)
            target_.addRecordSample(readings_.refPosition, readings_.amplitudeWH,
                                    readings_.amplitudeYE, true);
        else
            target_.refreshExtendedDisplay(20);
        break;
    case 21:
        target_.setSerialLine(serialLine(readings_));
        break;
    default: // 1, 11, 13, 15 and unknown codes: only the common step
        break;
    }
    target_.setReferenceImage(indicator_.expire());
}
