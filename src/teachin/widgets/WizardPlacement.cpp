#include "teachin/widgets/WizardPlacement.h"

std::optional<QPoint> wizardMoveBack(Qt::WindowStates states, const QPoint& frameTopLeft,
                                     const QPoint& screenCorner) {
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return std::nullopt;
    if (frameTopLeft == screenCorner)
        return std::nullopt;
    return screenCorner;
}
