#pragma once
// Where the teach-in wizard's window puts what: a pure function of the client
// rectangle. The left panel holds the texts, the advice picture and the
// buttons in percent of its size; the bar region on the right holds the two
// amplitude bars with the scale between them.

#include <QRect>

struct WizardLayout {
    QRect panel; // left panel P
    QRect title;
    QRect boxLine;
    QRect stepText;
    QRect advicePicture;
    QRect adviceText;
    QRect positionText; // from STEP 3, over the advice text box
    QRect speedText;
    QRect slowerText; // under the speed text, inside the advice text box
    QRect cancel;     // "Cancel\nTeach-In" and OK share this place
    QRect back;
    QRect next;
    QRect help;

    QRect bars;        // bar region B
    QRect yeBar;       // full height of B
    QRect scaleColumn; // between the bars
    QRect whBar;

    static WizardLayout compute(const QRect& client);

    // The row of `percent` amplitude in the bar region: 0 % on its last row,
    // 200 % near its top, along the shared compressed scale.
    int scaleY(double percent) const;
};
