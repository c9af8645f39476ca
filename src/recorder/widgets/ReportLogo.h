#pragma once
// The logo in the report's top left corner (resources/art/report_logo.svg).

#include <QRectF>

class QPainter;

// Draws the logo stretched over `target`.
void drawReportLogo(QPainter& painter, const QRectF& target);
