#include "teachin/WizardInputs.h"

#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/TextFormat.h"

WizardInputs wizardInputs(const DeviceReadings& readings, const LinkControl& link,
                          bool offsetSeenYE, bool offsetSeenWH, int sensorConnection, int comPort) {
    WizardInputs in;
    in.amplitudeYE = readings.amplitudeYE;
    in.amplitudeWH = readings.amplitudeWH;
    in.boxTypeText = std::string(fieldText(readings.boxTypeText));
    in.boxInfoText = std::string(fieldText(readings.boxInfoText));
    in.boxInfoMarked = readings.boxInfoMarked;
    in.refPhaseText = std::string(fieldText(readings.refPhaseText));
    in.absolutePositionMode = readings.absolutePositionMode;
    in.detectedPulseRate = readings.detectedPulseRate;
    in.errorFlags = readings.errorFlags;
    in.noData = link.noData;
    in.newProtocol = link.newProtocol;
    in.boxStarting = link.boxStarting;
    in.statusRestart = link.statusRestart;
    in.requestPending = link.pendingCommand != kNoCommand;
    in.offsetSeenYE = offsetSeenYE;
    in.offsetSeenWH = offsetSeenWH;
    in.sensorConnection = sensorConnection;
    in.comPort = comPort;
    return in;
}
