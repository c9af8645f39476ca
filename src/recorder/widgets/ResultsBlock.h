#pragma once
// The "Measurement results" block under the plots: per read head the smallest,
// largest and mean amplitude with the angles of the extremes and whether every
// amplitude stayed within 30..90 %, then the number of reference marks.

#include "recorder/MeasurementResults.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

// The block's lines in `language`: the heading, one line per head (yellow,
// then white) or the notice that no position was recorded, and the reference
// marks. Numbers with a decimal point in every language.
QStringList resultLines(const MeasurementResults& results, int language);

// Lines of the block.
constexpr int kResultLineCount = 4;

// Draws the lines in `area` with `font`; a head that failed the band is red.
void drawResults(QPainter& painter, const QRect& area, const MeasurementResults& results,
                 const QFont& font);
