#pragma once
// The interference measurement at standstill: what button 1034 ("Start"),
// the bar area 1033 and the value field 1036 of the main window show, and when
// the box is asked for a new measurement.
//
// The class keeps the whole visible state (NoiseView); the noise widget applies
// it after every call. All calls come from the user-interface thread: the
// button, the main window's 200 ms timer, and the interference notification of
// the device link (inside the notification, while the reader thread waits).

#include "device/InterferenceRequests.h"

#include <QRect>

#include <functional>
#include <string>
#include <vector>

struct LinkControl;

enum class NoiseIcon { Idle, Green, Yellow, Red };

// Why a running measurement ended without the user.
enum class NoiseStop {
    None,
    TooMuchInterference, // two values of kOverLimit or more in a row
    NoData,              // the box went silent
};
enum class NoisePaint { Grey, LightGreen, LightYellow, LightRed };

struct NoiseView {
    bool buttonPressed = false; // button 1034 pressed in: the measurement runs
    NoiseIcon icon = NoiseIcon::Idle;
    bool areaVisible = false; // control 1033
    std::string areaText;     // "Wait" countdown of the one-letter dialect, in 1033
    bool barsDrawn = false;   // bars have been drawn since the area was shown
    double a = 0.0;           // bar values as drawn (full scale 3)
    double b = 0.0;
    NoisePaint paint = NoisePaint::Grey;
    std::string valueText; // control 1036, e.g. "1.5 "
    bool operator==(const NoiseView&) const = default;
};

// The event log's line for a stop of the measurement by itself.
const char* noiseStopLogText(NoiseStop why);

class NoiseMeasurement {
public:
    // Full scale of the bars.
    static constexpr double kFullScale = 3.0;
    // Two values of this or more in a row end the measurement.
    static constexpr double kOverLimit = 20.0;

    NoiseMeasurement(LinkControl& link, InterferenceRequests requests);

    const NoiseView& view() const { return view_; }
    int noiseCount() const { return noiseCount_; }
    int noiseOverCount() const { return noiseOverCount_; }

    // The handler of button 1034 after it changed its state to `pressed`
    // (`byButton`: the user's click, never a stop by itself).
    // Returns true when the stop form of the interference notification must
    // be posted to the main window (the user released the button).
    bool toggleNoise(bool pressed, bool byButton = false);

    // Draws the display for a and b (as the interference notification hands
    // them: the box's values divided by 10). 0 and 0 clear it. Two values of
    // 20 or more in a row release the button; the result is then true and the
    // stop form must be posted, as for a release by the user.
    bool showNoise(double a, double b);

    // The stop form of the interference notification: clears the bars, hides
    // the area and empties the value field.
    void stop();

    // Why the measurement stopped by itself since the last call (None when it
    // did not); the reason is handed out once.
    NoiseStop takeSelfStop();

    // The main window's 200 ms tick: advances the one-letter countdown while
    // the measurement runs; otherwise keeps the area hidden, the idle icon on
    // the button and the value field empty.
    void tick();

    // The countdown's first and longest form in the current language: the
    // area's text is fitted to it, so every step keeps its dots.
    static std::string longestWaitText();

    // Geometry of control 1033 (all pure).
    // The bar area: the control reduced by a quarter of its height at the top
    // and at the bottom; a uses its upper half, b its lower half.
    static QRect barArea(const QRect& control);
    // Length of a bar in pixels for a bar area `width` wide: trunc(width x value
    // / 3); a length above the width, or negative, fills the whole width.
    static int barLength(int width, double value);
    // The upper (a) and lower (b) half of the bar area.
    static QRect upperHalf(const QRect& area);
    static QRect lowerHalf(const QRect& area);
    // x of the five tick marks for 0, 1, 1.5, 2 and 3, below the bar area.
    static std::vector<int> tickPositions(const QRect& area);
    // Tick marks are this long, downward from the bar area's lower edge.
    static constexpr int kTickLength = 3;

private:
    // The view and the poll cycle learn the button state together.
    void setPressed(bool pressed);

    LinkControl& link_;
    InterferenceRequests requests_;
    NoiseView view_;
    int noiseCount_ = 0;
    int noiseOverCount_ = 0;
    NoiseStop selfStop_ = NoiseStop::None;
};
