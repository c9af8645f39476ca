#pragma once
// The signal view's colours. The trend chart's bands are the amplitude bars'
// own (display/BarColours.h).

#include "display/Rgb.h"

namespace signalcolour {
constexpr Rgb kPlotGround{255, 255, 255};
constexpr Rgb kAxis{200, 200, 200};       // cross through the origin, chart grid
constexpr Rgb kIdealCircle{0, 150, 0};    // 100 %
constexpr Rgb kLimitRing{220, 0, 0};      // 30 % and 90 %, dashed
constexpr Rgb kPoint{0, 0, 128};          // newest points; older ones fade to the ground
constexpr Rgb kFittedFigure{230, 110, 0}; // the ellipse of the fit and its centre
constexpr Rgb kScaleText{0, 0, 0};
constexpr Rgb kTraceYellowHead{150, 100,
                               0}; // dark: the head's own light yellow vanishes on the bands
constexpr Rgb kTraceWhiteHead{0, 0, 128};
constexpr Rgb kFrame{64, 64, 64};
} // namespace signalcolour
