#pragma once
// What the "Position" group shows: the box's raw count turned into the
// displayed position (zero point, counting direction, wrap of the box's
// counter, one revolution), the marker text (" Abs ", the turn counter or the
// blinking " Ref ") and the position and speed texts.
//
// The main window owns one PositionDisplay and calls showPosition for every
// position notification of the device link, while the reader thread waits, so
// the readings are read and written directly there. The zero command comes
// from a button click and takes the readings lock.
//
// The class also remembers what the three fields show, so that the window
// writes a field only when its text changes.

#include <cstdint>
#include <mutex>
#include <string>

struct ConfigData;
struct DeviceReadings;
struct LinkControl;

struct ConvertedPosition {
    int32_t position = 0; // counts within one revolution (absolute mode: the box's value)
    std::string marker;   // text for the marker field (control 1009)
};

// Result of one position update: the texts and which fields to rewrite.
struct PositionView {
    int32_t displayPosition = 0;
    double displayAngle = 0.0; // degrees
    std::string positionText;  // control 1008
    std::string speedText;     // control 1007
    std::string markerText;    // control 1009
    bool writeMarker = false;
    bool writeSpeed = false;
    bool writePosition = false;
    // The marker did not change: positions are arriving, so a running
    // interface search stops.
    bool stopInterfaceSearch = false;
    // Position or speed text changed: an open teach-in window gets both.
    bool textsChanged = false;
    // Colour rule: dark red marker and dark grey position.
    bool dimmed = false;
    // The speed text is the limit of what the samples resolve.
    bool speedWarning = false;
};

// Which fields a state message (showState) rewrites.
struct StateWrites {
    bool writeSpeed = false;
    bool writePosition = false;
    bool changed() const { return writeSpeed || writePosition; }
};

class PositionDisplay {
public:
    PositionDisplay(DeviceReadings& readings, const LinkControl& link, ConfigData& config,
                    std::mutex& readingsLock);

    // The raw count as the position within one revolution, and the marker
    // text; keeps the wrap correction, the zero point (in the readings), the
    // previous raw and display positions and the turn counter.
    ConvertedPosition convertPosition(int32_t rawPosition);

    // The whole update for one position notification; writes displayPosition
    // into the readings.
    PositionView showPosition();

    // A state message in place of the position (for example "No data.  "),
    // with `second` in the speed field; the window writes what is marked.
    StateWrites showState(const std::string& main, const std::string& second);

    // Zero button (1016): the current raw position becomes the zero point.
    void zeroCommand();
    // Direction button (1045): toggles the counting direction and restarts
    // the turn counter; the caller refreshes the window.
    void directionCommand();

    // The main window's refresh empties the copy of the last position text so
    // that the next update rewrites the position field.
    void forgetPositionText() { shownPosition_.clear(); }
    // The no-data notice empties the marker field.
    void clearMarkerField() { shownMarker_.clear(); }

    // Called from the main window's resetReadings (the readings themselves,
    // including the zero point and wrap correction, are zeroed there).
    void reset();

    // The 200 ms timer's blink phase for " Ref ".
    void toggleRefBlink() { refBlink_ = !refBlink_; }
    bool refBlink() const { return refBlink_; }

    int32_t previousRawPosition() const { return previousRawPosition_; }
    double previousDisplayPosition() const { return previousDisplayPosition_; }
    int32_t turnCount() const { return turnCount_; }
    double displayAngle() const { return displayAngle_; }

private:
    DeviceReadings& readings_;
    const LinkControl& link_;
    ConfigData& config_;
    std::mutex& readingsLock_;

    int32_t previousRawPosition_ = 0;
    double previousDisplayPosition_ = 0.0; // 0 means none
    int32_t turnCount_ = 0;
    bool refBlink_ = false;
    double displayAngle_ = 0.0;

    std::string shownPosition_; // copy of the last position text written
    std::string shownSpeed_;    // what the speed field shows
    std::string shownMarker_;   // what the marker field shows
};
