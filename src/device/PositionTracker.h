#pragma once
// The shaft position as the program counts it: the box's raw count turned into
// the position within one revolution (zero point, counting direction, wrap of
// the box's counter), the turn counter and what the marker field stands for,
// the reference mark's position counted the same way, and the speed in the
// counting direction.
//
// The acquisition core owns one tracker and brings it up to date with each
// position and reference-mark event before any receiver hears of it, so every
// receiver (the main window, the recorder, the monitor) reads the same values
// from it while the reader thread waits. The tracker lives on the
// user-interface thread: the device record is only read here, never written,
// and the reader thread never reads the tracker.
//
//   tracker.positionEvent(readings);      // device event 0
//   tracker.referenceMarkEvent(readings); // device event 20
//   tracker.displayPosition(), displayAngle(), marker(), turnCount(), ...

#include <cstdint>

struct ConfigData;
struct DeviceReadings;
struct LinkControl;

// What the marker field beside the position shows.
enum class PositionMarker {
    None,      // nothing: box not identified (counter 0) or restarting
    Absolute,  // " Abs ": the box reports absolute positions
    Reference, // the blinking " Ref ": a box with one coded mark still looks for it
    Turns,     // the turn counter
};

class PositionTracker {
public:
    // Counts with config's pulseRate and directionReversed as they are at each
    // event; link's newProtocol and boxStarting decide the counter's wrap step
    // and the marker.
    PositionTracker(const ConfigData& config, const LinkControl& link);

    // Position event: rawPosition of `readings` becomes the displayed position.
    void positionEvent(const DeviceReadings& readings);
    // Reference-mark event: the mark's raw count (two-letter box) counted as
    // the position is, or the position shown last (one-letter box, whose mark
    // line has no count).
    void referenceMarkEvent(const DeviceReadings& readings);

    // The raw count as the position within one revolution; keeps the wrap
    // correction, the previous raw and display positions and the turn counter.
    int32_t convertPosition(int32_t rawPosition, const DeviceReadings& readings);

    // Zero button: `rawPosition` becomes the zero point.
    void zero(int32_t rawPosition);
    // The counting direction changed: the turn counter starts again.
    void directionChanged();
    // The readings were reset: everything starts at 0.
    void reset();

    int32_t displayPosition() const { return displayPosition_; } // 0 .. one revolution - 1
    double displayAngle() const { return displayAngle_; }        // degrees of displayPosition
    PositionMarker marker() const { return marker_; }
    int32_t turnCount() const { return turnCount_; } // -99..99
    // Counts within one revolution of the last reference mark (-20000 in
    // absolute mode, as the box shifts its positions).
    int32_t referencePosition() const { return referencePosition_; }

    // The box's speed estimate at the last position event, in 10^6 counts per
    // second as the box counts (speedRaw), and in revolutions per minute in
    // the counting direction; speedOverLimit: faster than the samples resolve
    // (up to speedLimit, same unit as speedRaw), so the estimate means nothing.
    double speedRaw() const { return speed_; }
    double speedRpm() const;
    bool speedOverLimit() const { return speedOverLimit_; }
    double speedLimit() const { return speedLimit_; }

    int32_t zeroPosition() const { return zeroPosition_; }
    int32_t wrapCorrection() const { return wrapCorrection_; }
    int32_t previousRawPosition() const { return previousRawPosition_; }
    double previousDisplayPosition() const { return previousDisplayPosition_; }

private:
    const ConfigData& config_;
    const LinkControl& link_;

    int32_t zeroPosition_ = 0;
    int32_t wrapCorrection_ = 0;
    int32_t previousRawPosition_ = 0;
    double previousDisplayPosition_ = 0.0; // 0 means none
    int32_t turnCount_ = 0;
    int32_t displayPosition_ = 0;
    double displayAngle_ = 0.0;
    PositionMarker marker_ = PositionMarker::None;
    int32_t referencePosition_ = 0;
    double speed_ = 0.0;
    double speedLimit_ = 0.0;
    bool speedOverLimit_ = false;
};
