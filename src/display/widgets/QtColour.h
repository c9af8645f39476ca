#pragma once
// The colours the display logic picks, as Qt draws them.

#include "display/Rgb.h"

#include <QColor>

inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
