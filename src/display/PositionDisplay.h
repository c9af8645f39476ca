#pragma once
// What the "Position" group shows: the position and speed texts in the chosen
// display format and the marker text (" Abs ", the turn counter or the
// blinking " Ref "), from the acquisition core's position tracker, which has
// counted the event's raw position before the window hears of it.
//
// The main window owns one PositionDisplay and calls showPosition for every
// position notification of the device link, while the reader thread waits.
// The zero and direction commands come from button clicks; they change the
// tracker's counting (the zero command reads the raw position under the
// readings lock).
//
// The class also remembers what the three fields show, so that the window
// writes a field only when its text changes.

#include <cstdint>
#include <mutex>
#include <string>

class PositionTracker;
struct ConfigData;
struct DeviceReadings;

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
    PositionDisplay(PositionTracker& tracker, const DeviceReadings& readings, ConfigData& config,
                    std::mutex& readingsLock);

    // The texts for one position notification, from the tracker's position
    // and the readings' speed.
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

    // The 200 ms timer's blink phase for " Ref ".
    void toggleRefBlink() { refBlink_ = !refBlink_; }
    bool refBlink() const { return refBlink_; }

private:
    PositionTracker& tracker_;
    const DeviceReadings& readings_;
    ConfigData& config_;
    std::mutex& readingsLock_;

    bool refBlink_ = false;

    std::string shownPosition_; // copy of the last position text written
    std::string shownSpeed_;    // what the speed field shows
    std::string shownMarker_;   // what the marker field shows
};
