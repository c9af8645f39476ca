#include "display/PositionDisplay.h"

#include "config/ConfigData.h"
#include "config/ShaftGeometry.h"
#include "device/DeviceReadings.h"
#include "device/PositionTracker.h"
#include "display/PositionFormat.h"
#include "display/TextFormat.h"

PositionDisplay::PositionDisplay(PositionTracker& tracker, const DeviceReadings& readings,
                                 ConfigData& config, std::mutex& readingsLock)
    : tracker_(tracker), readings_(readings), config_(config), readingsLock_(readingsLock) {}

PositionView PositionDisplay::showPosition() {
    PositionView view;
    view.displayPosition = tracker_.displayPosition();
    view.displayAngle = tracker_.displayAngle();
    view.positionText =
        formatPosition(view.displayPosition, config_.displayFormat, config_.pulseRate);
    view.speedText = formatSpeed(tracker_.speedRaw(), config_.displayFormat, config_.pulseRate,
                                 shaft::reversed(config_.directionReversed));
    // Beyond what the samples resolve the estimate aliases: the limit only.
    if (tracker_.speedOverLimit() && tracker_.speedLimit() > 0.0) {
        view.speedText =
            formatSpeedLimit(tracker_.speedLimit(), config_.displayFormat, config_.pulseRate);
        view.speedWarning = true;
    }
    view.markerText = markerText(tracker_.marker(), tracker_.turnCount(), refBlink_);
    view.dimmed = positionDimmed(fieldText(readings_.boxTypeText), view.markerText);

    view.writeMarker = view.markerText != shownMarker_;
    view.stopInterfaceSearch = !view.writeMarker;
    view.writeSpeed = view.speedText != shownSpeed_;
    view.writePosition = view.positionText != shownPosition_;
    view.textsChanged = view.writeSpeed || view.writePosition;
    if (view.writeMarker) {
        shownMarker_ = view.markerText;
    }
    if (view.writeSpeed) {
        shownSpeed_ = view.speedText;
    }
    if (view.writePosition) {
        shownPosition_ = view.positionText;
    }
    return view;
}

StateWrites PositionDisplay::showState(const std::string& main, const std::string& second) {
    StateWrites writes;
    writes.writeSpeed = second != shownSpeed_;
    writes.writePosition = main != shownPosition_;
    if (writes.writeSpeed) {
        shownSpeed_ = second;
    }
    if (writes.writePosition) {
        shownPosition_ = main;
    }
    return writes;
}

void PositionDisplay::zeroCommand() {
    int32_t raw = 0;
    {
        std::lock_guard<std::mutex> lock(readingsLock_);
        raw = readings_.rawPosition;
    }
    tracker_.zero(raw);
}

void PositionDisplay::directionCommand() {
    config_.directionReversed = config_.directionReversed != 0 ? 0 : 1;
    tracker_.directionChanged();
    forgetPositionText();
}
