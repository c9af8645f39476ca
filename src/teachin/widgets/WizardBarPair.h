#pragma once
// The teach-in wizard's bar pair: the YE bar on the left and the WH bar on the
// right of the bar region, the band scale with its numbers between them, the
// MIN and MAX limit markers, and the hatched strips of the amplitudes seen
// while the shaft turns. Colours are named here; geometry and colour choices
// are static pure functions; paint() draws what they return.

#include "display/AmplitudeTrack.h"
#include "display/BarColours.h"
#include "teachin/widgets/WizardLayout.h"

#include <QLine>
#include <QRect>

#include <vector>

class QPainter;
struct WizardFonts;
struct WizardPicture;

namespace wizardcolour {
constexpr Rgb kRed = barcolour::kLightRed; // red band, failure result
constexpr Rgb kPureRed = barcolour::kPureRed;
constexpr Rgb kPaleGreen = barcolour::kPaleGreen;
constexpr Rgb kGreen = barcolour::kLightGreen; // green band, success result
constexpr Rgb kPureGreen = barcolour::kPureGreen;
constexpr Rgb kBarBackground{128, 128, 128}; // above the value
constexpr Rgb kIdleBar{220, 220, 220};       // the sensor not being adjusted
constexpr Rgb kTitleText{64, 64, 64};
constexpr Rgb kText{0, 0, 0};
constexpr Rgb kDarkBlue{0, 0, 128}; // extreme strips and limit markers
constexpr Rgb kScaleTick{0, 0, 0};
constexpr int kMarkerPen = 3;
constexpr int kTickPen = 3;
} // namespace wizardcolour

enum class WizardBand { Red, PaleGreen, Green, Idle };

// Band limits a < b < c < d in percent.
struct WizardBandLimits {
    double a;
    double b;
    double c;
    double d;
    bool operator==(const WizardBandLimits&) const = default;
};

// What the bars show: the value drawn last (-1: none yet) and the extremes.
struct WizardBarValues {
    double ye = -1.0;
    double wh = -1.0;
    int yeMin = 0;
    int yeMax = 0;
    int whMin = 0;
    int whMax = 0;
};

class WizardBarPair {
public:
    // (45, 55, 75, 80) while a distance is set, (30, 50, 80, 90) from STEP 3 on.
    static WizardBandLimits limits(int step);
    // Below a red, up to b pale green, b..c green, up to d pale green, above red.
    static WizardBand band(double value, const WizardBandLimits& limits);
    // The band of a bar: idle for the sensor not being adjusted in STEP 1/2.
    static WizardBand barBand(int step, Head sensor, double value);
    static Rgb bandColour(WizardBand band, int depth);

    // The strips of the extremes: while the shaft turns from STEP 3 on, or
    // while a travel range failure sends the user back to STEP 1/2.
    static bool stripsShown(const WizardPicture& picture);
    // MIN and MAX: in STEP 1 and STEP 2, and from STEP 3 on once the shaft turns.
    static bool markersShown(const WizardPicture& picture);

    static QRect bar(const WizardLayout& layout, Head sensor);
    // The coloured part of a bar, from the value's row down to the bottom.
    static QRect valueFill(const WizardLayout& layout, Head sensor, double value);
    // The hatched strip from the highest to the lowest value, 2 pixels inside
    // the bar's sides.
    static QRect strip(const WizardLayout& layout, Head sensor, int minimum, int maximum);
    // The label's box: above the bar, between the region's top and 100 %.
    static QRect labelBox(const WizardLayout& layout, Head sensor);
    // The band column of the scale: centred in the scale column, `textWidth`
    // (of "200") plus 2 pixels wide.
    static QRect bandColumn(const WizardLayout& layout, int textWidth);
    // The four black ticks of a scale value, outside the bars and the scale column.
    static std::vector<QLine> ticks(const WizardLayout& layout, double percent);
    // The box behind a scale number or a marker text `textWidth` pixels wide:
    // centred between the bars, 2 pixels around the text, so that the ticks
    // and the MIN/MAX lines beside it stay visible.
    static QRect numberBox(const WizardLayout& layout, double percent, int textWidth);
    // The blue lines of the two limit markers.
    static std::vector<QLine> markerLines(const WizardLayout& layout,
                                          const WizardBandLimits& limits);
    // The scale numbers, top to bottom.
    static const std::vector<int>& scaleNumbers();

    // Draws the scale and both bars.
    static void paint(QPainter& painter, const WizardLayout& layout, const WizardFonts& fonts,
                      const WizardPicture& picture, const WizardBarValues& values, int depth);
    // Draws one bar (its column of the region).
    static void paintBar(QPainter& painter, const WizardLayout& layout, const WizardFonts& fonts,
                         const WizardPicture& picture, const WizardBarValues& values, Head sensor,
                         int depth);
    static void paintScale(QPainter& painter, const WizardLayout& layout, const WizardFonts& fonts,
                           const WizardPicture& picture, int depth);
};

// The percentage written in a bar, e.g. "   62%   ".
std::string wizardValueText(double value);
