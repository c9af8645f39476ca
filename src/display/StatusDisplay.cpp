#include "display/StatusDisplay.h"

#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PositionTracker.h"
#include "device/SensorState.h"
#include "display/ErrorFlags.h"
#include "display/TextFormat.h"

#include <chrono>

namespace {

// Amplitudes in percent outside this band (the limits themselves are inside)
// mean a sensor distance that needs adjusting.
constexpr double kAmplitudeTooLow = 30.0;
constexpr double kAmplitudeTooHigh = 95.0;
// A detail that reports no fault returns to the status line after this many
// whole seconds have passed.
constexpr int64_t kDetailHoldSeconds = 15;

int64_t steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string row(int r) {
    return text(TextTable::StatusMessages, r);
}

bool contains(const std::string& haystack, const char* needle) {
    return haystack.find(needle) != std::string::npos;
}

// Sets the busy flag for the time of an update and clears it again on exit.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyGuard() { busy_ = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& busy_;
};

} // namespace

StatusChanges diff(const StatusView& before, const StatusView& after) {
    StatusChanges changes;
    changes.text = before.text != after.text;
    changes.picture = before.picture != after.picture;
    changes.lamps = before.lamps != after.lamps;
    changes.startButtons = before.startButtonsEnabled != after.startButtonsEnabled;
    return changes;
}

StatusDisplay::StatusDisplay(const DeviceReadings& readings, const LinkControl& link,
                             const SensorState& sensors, const PositionTracker& positions,
                             StatusListHook* hook, Clock clock)
    : readings_(readings), link_(link), sensors_(sensors), positions_(positions), hook_(hook),
      clock_(clock ? std::move(clock) : Clock(steadyMilliseconds)) {}

std::optional<StatusUpdate> StatusDisplay::updateStatusDisplay(bool statusValid) {
    if (busy_ || link_.recordingActive) {
        return std::nullopt;
    }
    BusyGuard guard(busy_);
    return apply(decide(statusValid));
}

StatusUpdate StatusDisplay::showNoData() {
    StatusView view = shown_;
    view.lamps.fill(Lamp::Grey);
    noDataPhase_ = !noDataPhase_;
    view.picture = noDataPhase_ ? BoxPicture::NoDataA : BoxPicture::NoDataB;
    detailSelection_ = kDetailNone;
    return apply(std::move(view));
}

void StatusDisplay::selectDetail(int selection) {
    if (selection >= kDetailNone && selection <= kDetailPicture) {
        detailSelection_ = selection;
    }
}

StatusUpdate StatusDisplay::apply(StatusView view) {
    StatusUpdate update;
    update.changes = diff(shown_, view);
    shown_ = std::move(view);
    update.view = shown_;
    return update;
}

StatusView StatusDisplay::decide(bool statusValid) {
    using namespace errorflag;
    namespace sr = statusrow;
    const int32_t f = readings_.errorFlags;
    const double version = readings_.firmwareVersion;
    int d = detailSelection_;

    // Every status line is logged, also without a valid status.
    if (hook_ != nullptr && !link_.statusRestart && !hook_->statusListBusy()) {
        hook_->appendStatusEntry(positions_.displayPosition(), f);
    }

    StatusView view = shown_;
    // A box that has not identified itself has no valid status.
    if (!statusValid || !(version > 0.0)) {
        detailSelection_ = kDetailNone;
        detailStamp_ = clock_();
        view.text = row(sr::kWaiting);
        view.picture = BoxPicture::Wait;
        view.startButtonsEnabled = false;
        view.lamps.fill(Lamp::Grey);
        previousDetail_ = detailSelection_;
        return view;
    }

    const bool versionMaxSpeed = version >= kFirmwareMaxSpeed;
    const bool refIsSignalError = version >= kFirmwareRefIsSignal;
    const bool refIsSpeedError = version < kFirmwareRefIsSpeedBelow;
    const bool refPhaseKnown = readings_.refPhaseText[0] != '\0';
    const std::string ident = std::string(fieldText(readings_.boxTypeText)) +
                              std::string(fieldText(readings_.boxInfoText));

    view.startButtonsEnabled = true;
    view.lamps.fill(Lamp::Green);
    int r = sr::kNoError;
    bool amplitudeWarning = false;
    const bool notConnected = sensorsNotConnected(readings_, link_.newProtocol);

    // SIGNAL lamps.
    struct SignalInputs {
        int32_t signalBit;
        int32_t highBit;
        bool offsetSeen;
        double amplitude;
        int lamp;
        int detail;
    };
    const SignalInputs sensors[2] = {
        {kWhSignal, kWhHigh, sensors_.offsetSeenWH(), readings_.amplitudeWH, kSignalWH,
         kDetailSignalWH},
        {kYeSignal, kYeHigh, sensors_.offsetSeenYE(), readings_.amplitudeYE, kSignalYE,
         kDetailSignalYE},
    };
    if (notConnected) {
        view.lamps[kSignalWH] = Lamp::Red;
        view.lamps[kSignalYE] = Lamp::Red;
        if (d == kDetailSignalWH || d == kDetailSignalYE) {
            r = sr::kNotConnected;
        }
    } else {
        for (const SignalInputs& s : sensors) {
            Lamp& lamp = view.lamps[s.lamp];
            const bool selected = d == s.detail;
            if (f & s.signalBit) {
                lamp = Lamp::Red;
                if (selected) {
                    r = (f & s.highBit) ? sr::kHighAmplitude : sr::kSignalError;
                }
            } else if ((f & kNoOffset) && !s.offsetSeen) {
                lamp = Lamp::Yellow;
                if (selected) {
                    r = sr::kNoOffsetFound;
                }
            } else if (s.amplitude < kAmplitudeTooLow || s.amplitude > kAmplitudeTooHigh) {
                amplitudeWarning = true;
                lamp = Lamp::Yellow;
                if (selected) {
                    r = s.amplitude > kAmplitudeTooHigh ? sr::kSensorTooClose : sr::kSensorTooFar;
                }
            }
        }
    }
    if ((f & kUnexpectedRef) && refIsSignalError) {
        view.lamps[kSignalYE] = Lamp::Red;
        if (d == kDetailSignalYE) {
            r = sr::kUnexpectedReference;
        }
    }

    // SENSOR lamps.
    if (f & kWhNoSensor) {
        view.lamps[kSensorWH] = Lamp::Red;
        if (d == kDetailSensorWH) {
            r = sr::kNoSensor;
        }
    }
    if (f & kYeNoSensor) {
        view.lamps[kSensorYE] = Lamp::Red;
        if (d == kDetailSensorYE) {
            r = sr::kNoSensor;
        }
    }

    // SPEED lamps.
    if (((f & kUnexpectedRef) && refIsSpeedError) || ((f & kWhLowOrMaxSpeed) && versionMaxSpeed)) {
        view.lamps[kSpeedWH] = Lamp::Red;
        view.lamps[kSpeedYE] = Lamp::Red;
        if (d == kDetailSpeedWH || d == kDetailSpeedYE) {
            r = sr::kSpeedError;
        }
    } else {
        if (f & (kWhOffsetSpeed | kRs232Stopped)) {
            view.lamps[kSpeedWH] = Lamp::Yellow;
            if (d == kDetailSpeedWH) {
                r = sr::kNoOffsetCalculation;
            }
        }
        if (f & (kYeOffsetSpeed | kRs232Stopped)) {
            view.lamps[kSpeedYE] = Lamp::Yellow;
            if (d == kDetailSpeedYE) {
                r = sr::kNoOffsetCalculation;
            }
        }
    }

    // Box picture; the picture's own detail row counts only when it is selected.
    const bool oneRef = contains(ident, "1Ref");
    const bool noRef = contains(ident, "NoRef");
    int pictureRow = -1;
    if (f & kAdcTimeout) {
        view.picture = BoxPicture::Adc;
        pictureRow = sr::kAdcTimeout;
    } else if (notConnected) {
        view.picture = BoxPicture::Sensor;
        pictureRow = sr::kNotConnected;
    } else if ((f & (kWhNoSensor | kYeNoSensor)) || ((f & kUnexpectedRef) && refIsSpeedError)) {
        view.picture = BoxPicture::Hardware;
        pictureRow = sr::kHardwareError;
    } else if (f & kDacCalFailed) {
        view.picture = BoxPicture::Dac;
        pictureRow = sr::kOutputCalFailed;
    } else if (sensors_.offsetSeenWH() && sensors_.offsetSeenYE() &&
               !(f & (kNoOffset | kWhNoSensor | kYeNoSensor))) {
        if (refPhaseKnown && !readings_.absolutePositionMode && oneRef) {
            if (contains(ident, "^") || contains(ident, "*")) {
                view.picture = BoxPicture::LearnWithRef;
                pictureRow = sr::kNoAbsPosSuffix;
            } else if (readings_.detectedPulseRate == 0) {
                view.picture = BoxPicture::Restart;
                pictureRow = sr::kRestartTeachIn;
            } else {
                view.picture = BoxPicture::SignalWithRef;
                pictureRow = sr::kNoAbsPosSuffix;
            }
        } else if (refPhaseKnown) {
            view.picture = BoxPicture::SignalWithRef;
            pictureRow = sr::kNoError;
        } else if (noRef) {
            view.picture = BoxPicture::SignalWithoutRef;
            pictureRow = sr::kNoError;
        } else {
            view.picture = BoxPicture::LearnWithoutRef;
            pictureRow = sr::kNoReference;
        }
    } else if (!(f & kNoOffset) && refPhaseKnown) {
        // Picture and row stay as they are.
    } else {
        view.picture = BoxPicture::Learn;
        pictureRow = sr::kDoTeachIn;
    }
    if (d == kDetailPicture && pictureRow >= 0) {
        r = pictureRow;
    }

    // Text: the detail of the clicked element, or the status line.
    if (d != kDetailNone) {
        const int64_t now = clock_();
        const bool noFault = r == sr::kNoError || r == sr::kReady;
        if (d == previousDetail_ && noFault && (now - detailStamp_) / 1000 > kDetailHoldSeconds) {
            d = kDetailNone;
        } else if (d != previousDetail_ || !noFault) {
            detailStamp_ = now;
        }
        detailSelection_ = d;
        view.text = std::string(text(TextTable::ChannelLabels, d)) + row(r);
    } else if ((f & kWhLowOrMaxSpeed) && versionMaxSpeed) {
        view.text = row(sr::kSpeedError);
    } else if ((f & kErrorMask) || ((f & kUnexpectedRef) && refIsSignalError)) {
        view.text = row(sr::kError);
    } else if (!(f & kNoOffset) && refPhaseKnown && (readings_.absolutePositionMode || !oneRef)) {
        view.text = row(amplitudeWarning ? sr::kSensorDistance : sr::kReady);
    } else if (!(f & kNoOffset) && !refPhaseKnown && noRef) {
        view.text = row(sr::kReady);
    } else {
        view.text = row(sr::kBoxReset);
        if (f & kNoOffset) {
            view.text += row(sr::kNoOffsetSuffix);
        } else if (!refPhaseKnown) {
            view.text += row(sr::kNoRefSuffix);
        } else {
            view.text += row(contains(ident, "^") ? sr::kNoAbsPosSuffix : sr::kRestartTeachIn);
        }
    }
    previousDetail_ = d;
    return view;
}
