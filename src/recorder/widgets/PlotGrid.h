#pragma once
// What both plots share: the title in the strip above the plot, and the nine
// vertical grid lines every 45 degrees with their labels below the plot.

#include "recorder/widgets/PlotGeometry.h"

#include <QFont>
#include <QPen>
#include <QString>

class QPainter;

// The title, black, single line, vertically centred and left aligned.
void drawPlotTitle(QPainter& painter, const PlotTarget& target, const QRect& strip,
                   const QString& title);

// Grid lines from the top to one below the bottom, labelled "0" .. "360".
void drawAngleGrid(QPainter& painter, const PlotTarget& target, const PlotBox& plot,
                   const QPen& pen, const QFont& labelFont);

// The label font of the plots (Arial 8 x 6 light; printer 2 x 1 mm).
QFont plotLabelFont(const PlotTarget& target);

// Thin and thick black pens of the grids (1 and 2 pixels; printer 0.2 and 0.4 mm).
QPen thinGridPen(const PlotTarget& target);
QPen thickGridPen(const PlotTarget& target);
