#pragma once
// Where the teach-in wizard puts itself after it was moved: back into the
// top-left corner of its screen, unless the window manager maximised it (or
// made it full screen). A maximised window whose frame is not known yet must
// not be moved: the move would ask for its size before maximising.

#include <QPoint>

#include <optional>

std::optional<QPoint> wizardMoveBack(Qt::WindowStates states, const QPoint& frameTopLeft,
                                     const QPoint& screenCorner);
