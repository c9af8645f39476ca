#include "app/DeviceEventDispatcher.h"

#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/TextFormat.h"

DeviceEventDispatcher::DeviceEventDispatcher(const DeviceReadings& readings,
                                             const LinkControl& link, ReferenceIndicator& indicator,
                                             DeviceEventTarget& target)
    : readings_(readings), link_(link), indicator_(indicator), target_(target) {}

std::string DeviceEventDispatcher::versionLine(const DeviceReadings& readings) {
    std::string line(fieldText(readings.boxTypeText));
    line.append(" Version ").append(fieldText(readings.versionText));
    line.append(" [").append(fieldText(readings.boxInfoText)).append("]");
    return line;
}

std::string DeviceEventDispatcher::serialLine(const DeviceReadings& readings) {
    std::string line("SN ");
    line.append(fieldText(readings.serialTextB))
        .append(" ")
        .append(fieldText(readings.serialTextA));
    return line;
}

void DeviceEventDispatcher::offsetsChanged(int param, bool recording) {
    if (param == 0) {
        if (target_.markOffsetSeen(Head::WH) && !recording)
            target_.drawAmplitude('R', headCode(Head::WH));
    } else if (param == 2) {
        if (target_.markOffsetSeen(Head::YE) && !recording)
            target_.drawAmplitude('R', headCode(Head::YE));
    }
}

void DeviceEventDispatcher::dispatch(int code, int param) {
    const bool recording = link_.recordingActive.load();
    switch (code) {
    case kPositionEvent:
        target_.showPosition();
        break;
    case kDacOffsetsEvent:
        offsetsChanged(param, recording);
        break;
    case kStatusEvent:
        if (!target_.statusDisplayBusy())
            target_.updateStatusDisplay(param != 0);
        break;
    case kAmplitudeWhiteEvent:
        if (!target_.amplitudeBusy())
            target_.drawAmplitude('W', readings_.amplitudeWH);
        break;
    case kAmplitudeYellowEvent:
        if (!target_.amplitudeBusy())
            target_.drawAmplitude('Y', readings_.amplitudeYE);
        break;
    case kInterferenceEvent:
        if (param == 0)
            target_.stopNoiseDisplay();
        else if (target_.noiseButtonPressed())
            target_.showNoise(readings_.interferenceA / 10.0, readings_.interferenceB / 10.0);
        break;
    case kReferenceFoundEvent:
        indicator_.referenceFound(fieldText(readings_.boxTypeText), readings_.absolutePositionMode,
                                  target_.displayAngle());
        break;
    case kReferencePassedEvent:
        indicator_.referencePassed(fieldText(readings_.boxTypeText), readings_.absolutePositionMode,
                                   target_.displayAngle());
        break;
    case kVersionEvent:
        target_.setVersionLine(versionLine(readings_));
        break;
    case kResetResultEvent:
        if (param == kResetError)
            target_.showBoxResetResult(true);
        else if (param == kFlashErased)
            target_.showBoxResetResult(false);
        break;
    case kPulseRateEvent:
        target_.selectBearingByPulseRate();
        break;
    case kSerialNumbersEvent:
        target_.setSerialLine(serialLine(readings_));
        break;
    default: // the extended display's codes, distance, box info, zero value A and unknown
             // codes: only the common step
        break;
    }
    target_.setReferenceImage(indicator_.expire());
}
