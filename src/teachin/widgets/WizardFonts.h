#pragma once
// The teach-in wizard's fonts, "Arial" by pixel height, sized from the areas
// they are drawn in so that the window reads the same at any screen size.

#include "teachin/widgets/WizardLayout.h"

#include <QFont>
#include <QString>

struct WizardFonts {
    QFont title;     // "TEACH-IN"
    QFont boxLine;   // "Box: ..." and the interface search
    QFont text;      // step text and advice text, before fitting
    QFont position;  // position and speed texts
    QFont label;     // bar label
    QFont labelBold; // bar label of the sensor being adjusted
    QFont value;     // percentage in the bar
    QFont scale;     // scale numbers, MIN and MAX

    static WizardFonts make(const WizardLayout& layout);
};

// `font`, made smaller until `text` drawn with `flags` (word wrap included)
// fits into `box`; never below 6 pixels.
QFont fittedFont(const QFont& font, const QRect& box, const QString& text, int flags);
