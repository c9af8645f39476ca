#include "display/widgets/MainWindowToolTips.h"

#include "config/ToolTipRows.h"
#include "display/widgets/MainWindowLayout.h"
#include "ui/UiText.h"

#include <utility>

namespace {

QString tip(ToolTipRow row) {
    return uiText(TextTable::ToolTips, row);
}

} // namespace

void setMainWindowToolTips(const MainWindowControls& c, bool keepSerialLineTip) {
    const std::pair<QWidget*, ToolTipRow> tips[] = {
        {c.directionButton, kTipDirection},
        {c.zeroButton, kTipZero},
        {c.markerField, kTipMarker},
        {c.speedField, kTipSpeed},
        {c.positionField, kTipPosition},
        {c.setupButton, kTipSetup},
        {c.helpButton, kTipHelp},
        {c.exitButton, kTipExit},
        {c.recordCaption, kTipRecord},
        {c.recordButton, kTipRecord},
        {c.noiseCaption, kTipNoiseButton},
        {c.noiseButton, kTipNoiseButton},
        {c.noiseValue, kTipNoiseValue},
        {c.noiseArea, kTipNoiseValue},
        {c.statusListButton, kTipStatusList},
        {c.boxPicture, kTipBoxPicture},
        {c.signalCaption, kTipSignalLamp},
        {c.sensorCaption, kTipSensorLamp},
        {c.speedCaption, kTipSpeedLamp},
        {c.yellowLabel, kTipYellowLamps},
        {c.whiteLabel, kTipWhiteLamps},
        {c.statusText, kTipStatusText},
        {c.amplitudeGroup, kTipAmplitudes},
        {c.versionLine, kTipVersionLine},
    };
    for (const auto& [control, row] : tips)
        if (control != nullptr)
            control->setToolTip(tip(row));
    // Lamps in LampIndex order: SPEED, SENSOR, SIGNAL, white and yellow each.
    const ToolTipRow lampRows[kLampCount] = {kTipSpeedLamp,  kTipSpeedLamp,  kTipSensorLamp,
                                             kTipSensorLamp, kTipSignalLamp, kTipSignalLamp};
    for (int i = 0; i < kLampCount; ++i)
        c.lamps[i]->setToolTip(tip(lampRows[i]));
    if (!keepSerialLineTip)
        setSerialLineToolTip(c);
}

void setSerialLineToolTip(const MainWindowControls& c) {
    c.serialLine->setToolTip(tip(kTipSerialLine));
}
