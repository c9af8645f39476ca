#pragma once
// The figures of the extended display: how each value box formats its value,
// when it turns light red, and which boxes each panel holds in which mode.
// Positions are in the window's own units: x in client width / 638, y in
// client height / 168, so the widget only multiplies.

#include <string>
#include <vector>

struct DeviceReadings;

// Modes of the channel panel (extDisplayMode).
enum MonitorMode : int { kModeOffsets = 0, kModeChannelValues = 1, kModeFactors = 2 };

enum class ValueKind {
    Percent, // "%.1lf%%", light red above 100 in magnitude
    Signal,  // "%.1lf", light red from 505 in magnitude
    Tenth,   // "%.1lf"
    Factor,  // "%.4lf"
    Integer, // "%.0lf"
};

struct MonitorValue {
    std::string text;
    bool overLimit = false; // drawn in light red instead of grey
    bool operator==(const MonitorValue&) const = default;
};

// A value as its box shows it; exactly 0 shows " 0 " in every kind.
MonitorValue formatMonitorValue(double value, ValueKind kind);

enum class MonitorPanel { RefSignal, DacOffset, Channels };

enum class BoxBackground { White, LightYellow };

struct MonitorBox {
    double x = 0.0;    // left of the label field, or of the box when it has no label
    double y = 0.0;    // top
    std::string label; // one letter, or empty
    MonitorValue value;
    BoxBackground background = BoxBackground::White;
};

// Sizes in the same units.
constexpr double kBoxWidth = 100.0;
constexpr double kBoxHeight = 20.0;
constexpr double kLabelWidth = 20.0;
constexpr double kUnitsWide = 638.0;
constexpr double kUnitsHigh = 168.0;

// The boxes of one panel filled from the readings; `mode` matters for the
// channel panel only (offsets in percent, channel values, or factors).
std::vector<MonitorBox> monitorBoxes(MonitorPanel panel, const DeviceReadings& readings, int mode);

// The panels that a refresh event redraws: 2, 3 and 4 the channel panel when
// it shows offsets, values or factors; 16 the DAC-Offset panel; 12, 19 and 20
// the reference panel; 22 all three.
std::vector<MonitorPanel> panelsForEvent(int event, int mode);
