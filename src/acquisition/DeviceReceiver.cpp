#include "acquisition/DeviceReceiver.h"

#include "device/DeviceEvents.h"

bool mutedWhileRecording(int code) {
    switch (code) {
    case kChannelValuesEvent:
    case kStatusEvent:
    case kAmplitudeWhiteEvent:
    case kAmplitudeYellowEvent:
    case kInterferenceEvent:
    case kReferenceFoundEvent:
    case kReferencePassedEvent:
    case kZeroValueBEvent:
    case kReferenceMarkEvent:
        return true;
    default:
        // The DAC offsets are noted while recording (the bars start over
        // once each box reset); only their drawing waits.
        return false;
    }
}
