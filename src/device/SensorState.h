#pragma once
// What the status decoding knows of the two read heads beyond the box's
// latest line: whether the box has reported each head's DAC offsets since it
// last restarted ("offsets seen"), and whether the heads are connected at all.
//
// The acquisition core owns one and brings it up to date with each device
// event before any receiver hears of it; the main window's status display,
// its amplitude bars, the extended display and the teach-in wizard read it.
// User-interface thread only.

#include "device/Head.h"

#include <optional>

struct DeviceReadings;

// The heads are unplugged: the two-letter box reports a signal error of both
// heads and both first channel values are exactly 0.
bool sensorsNotConnected(const DeviceReadings& readings, bool newProtocol);

class SensorState {
public:
    // sensorConnection values.
    static constexpr int kNoValidStatus = -1;
    static constexpr int kConnected = 0;
    static constexpr int kNotConnected = 1;

    // One device event with the readings of that event. DAC offsets (2):
    // parameter 0 reports the white head's, 2 the yellow head's. Status (5):
    // a parameter other than 0 is a valid status after the box's start-up.
    void deviceEvent(int code, int param, const DeviceReadings& readings, bool newProtocol);

    // The box restarted (or the user asks the bars to start over): each
    // head's offsets must be reported again.
    void clearOffsetsSeen();

    bool offsetSeen(Head head) const { return head == Head::WH ? offsetSeenWH_ : offsetSeenYE_; }
    bool offsetSeenWH() const { return offsetSeenWH_; }
    bool offsetSeenYE() const { return offsetSeenYE_; }
    // The head whose offsets the current event reported for the first time
    // since the last restart; none for every other event.
    std::optional<Head> offsetsFirstSeen() const { return firstSeen_; }

    // kNoValidStatus, kNotConnected or kConnected, as the last status event
    // decided.
    int sensorConnection() const { return sensorConnection_; }

private:
    bool offsetSeenWH_ = false;
    bool offsetSeenYE_ = false;
    std::optional<Head> firstSeen_;
    int sensorConnection_ = kNoValidStatus;
};
