#pragma once
// The position and speed texts of the main window's "Position" group, in the
// four display formats: 0 decimal degrees, 1 degrees/minutes/whole seconds,
// 2 degrees/minutes/tenths of seconds, 3 linear (micrometres, metres per second).
// Texts are UTF-8 (degree sign U+00B0, micro sign U+00B5); utf8ToLatin1
// (config/Latin1.h) gives the 8-bit form with 0xB0 and 0xB5.

#include "device/PositionTracker.h"
#include "display/Rgb.h"

#include <cstdint>
#include <string>
#include <string_view>

// The pulse rate a conversion works with: the configuration keeps it within
// 2..20000; anything else is pulled into that range so that one revolution is
// never 0 counts.
int32_t usablePulseRate(int32_t pulseRate);

// One revolution in counts: pulseRate x 5000 (one signal period is 5000 counts).
int64_t countsPerRevolution(int32_t pulseRate);

// Text for the position field (control 1008); p in counts within a revolution.
// A display format outside 0..3 is shown as decimal degrees.
std::string formatPosition(double p, int displayFormat, int32_t pulseRate);

// Text for the speed field (control 1007); speed in 10^6 counts per second as
// the line parser delivers it. A speed that is not a finite number shows as 0.
std::string formatSpeed(double speed, int displayFormat, int32_t pulseRate, bool directionReversed);

// Text for the speed field when the shaft turns faster than the position
// samples resolve: "> N rpm " (or m/s) with the limit rounded down, so the
// claim holds. Shown in the warning colour.
std::string formatSpeedLimit(double limit, int displayFormat, int32_t pulseRate);
constexpr Rgb kSpeedWarningColour{192, 0, 0};

// Colour rule of the marker and position fields: while a box with one coded
// reference mark has not found its absolute position (marker " Ref " or empty),
// the marker is dark red and the position dark grey.
constexpr Rgb kMarkerDimColour{128, 0, 0};
constexpr Rgb kPositionDimColour{64, 64, 64};
bool positionDimmed(std::string_view boxTypeText, std::string_view markerText);

// Text for the marker field (control 1009): " Abs ", the turn counter "%i T ",
// " Ref " in the blink phase refBlink (empty otherwise), or nothing.
std::string markerText(PositionMarker marker, int32_t turnCount, bool refBlink);
