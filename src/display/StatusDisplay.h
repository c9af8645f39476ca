#pragma once
// The main window's state indicators, decided from the box's flag word after
// every status line: the six lamps, the box picture, the status line or the
// detail text of a clicked lamp, and whether the Start buttons (recording 1035,
// noise 1034) may be used. The decisions come back as a StatusView value; the
// window applies only what changed (StatusChanges).
//
// Runs on the user-interface thread inside the status notification of the
// device link (the reader thread waits), so the readings are read directly.
// What it knows of the heads (offsets seen) and the position each status line
// is logged with come from the acquisition core (SensorState,
// PositionTracker), which has taken the event in before the window hears of it.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class PositionTracker;
class SensorState;
struct DeviceReadings;
struct LinkControl;

enum class Lamp : uint8_t { Green, Yellow, Red, Grey };

// Index into the lamp array, in the order of lampStates.
enum LampIndex : int {
    kSpeedWH = 0,
    kSpeedYE = 1,
    kSensorWH = 2,
    kSensorYE = 3,
    kSignalWH = 4,
    kSignalYE = 5,
    kLampCount = 6,
};

enum class BoxPicture : uint8_t {
    Wait,             // "Wait" and three dots
    Adc,              // ADC over a question mark
    Sensor,           // sensor not connected
    Hardware,         // sine wave with arrows
    Dac,              // DAC over a sine wave
    Learn,            // LRN !
    LearnWithRef,     // LRN over a sine wave and a reference pulse
    LearnWithoutRef,  // LRN over a sine wave
    Restart,          // grey sine and pulse with a red exclamation mark
    SignalWithRef,    // green sine wave and dark red reference pulse
    SignalWithoutRef, // green sine wave
    NoDataA,          // the two no-data pictures that alternate while the
    NoDataB,          // box is silent
};

// What a detail click selects (detailSelection).
enum DetailSelection : int {
    kDetailNone = 0,
    kDetailSignalWH = 1,
    kDetailSensorWH = 2,
    kDetailSpeedWH = 3,
    kDetailSignalYE = 4,
    kDetailSensorYE = 5,
    kDetailSpeedYE = 6,
    kDetailPicture = 7,
};

struct StatusView {
    std::array<Lamp, kLampCount> lamps{Lamp::Green, Lamp::Green, Lamp::Green,
                                       Lamp::Green, Lamp::Green, Lamp::Green};
    BoxPicture picture = BoxPicture::Wait;
    std::string text; // status line or detail text (control 1046), UTF-8
    bool startButtonsEnabled = false;
    bool operator==(const StatusView&) const = default;
};

// Which parts of the window an update rewrites: the status text, the picture,
// all six lamps together, the enabled state of the Start buttons.
struct StatusChanges {
    bool text = false;
    bool picture = false;
    bool lamps = false;
    bool startButtons = false;
    bool any() const { return text || picture || lamps || startButtons; }
    bool operator==(const StatusChanges&) const = default;
};
StatusChanges diff(const StatusView& before, const StatusView& after);

struct StatusUpdate {
    StatusView view;
    StatusChanges changes;
};

// Where each status line is logged: the process-wide status list.
class StatusListHook {
public:
    virtual ~StatusListHook() = default;
    // Set while the list is being deleted or saved; no entry is added then.
    virtual bool statusListBusy() const = 0;
    virtual void appendStatusEntry(int32_t displayPosition, int32_t errorFlags) = 0;
};

class StatusDisplay {
public:
    using Clock = std::function<int64_t()>; // monotonic milliseconds

    // hook may be null (nothing is logged); clock defaults to steady_clock.
    StatusDisplay(const DeviceReadings& readings, const LinkControl& link,
                  const SensorState& sensors, const PositionTracker& positions,
                  StatusListHook* hook = nullptr, Clock clock = {});

    // The update for one status notification; statusValid is false during the
    // status start-up phase after a box restart. Returns nothing while a data
    // recording runs or while a previous update has not finished.
    std::optional<StatusUpdate> updateStatusDisplay(bool statusValid);

    // True while an update runs (the device event handler drops another one).
    bool busy() const { return busy_; }

    // The no-data notice: all lamps grey, the no-data picture (alternating on
    // every notice so that it blinks), detail back to the status line.
    StatusUpdate showNoData();

    // A click on a lamp, the picture (7) or the status text (0).
    void selectDetail(int selection);
    int detailSelection() const { return detailSelection_; }

    // What the window shows now.
    const StatusView& shown() const { return shown_; }

private:
    StatusView decide(bool statusValid);
    StatusUpdate apply(StatusView view);

    const DeviceReadings& readings_;
    const LinkControl& link_;
    const SensorState& sensors_;
    const PositionTracker& positions_;
    StatusListHook* hook_;
    Clock clock_;

    bool busy_ = false;
    int detailSelection_ = kDetailNone;
    int previousDetail_ = kDetailNone;
    int64_t detailStamp_ = 0;
    bool noDataPhase_ = false;
    StatusView shown_;
};
