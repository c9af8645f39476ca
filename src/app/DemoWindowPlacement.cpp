#include "app/DemoWindowPlacement.h"

#include <algorithm>

namespace demoplace {

QRect panelFrame(const QRect& available, const QSize& frameSize) {
    QRect frame(QPoint(0, 0), frameSize);
    frame.moveTopRight(available.topRight());
    // A panel wider than the screen keeps its left edge, with its controls,
    // on it.
    if (frame.left() < available.left())
        frame.moveLeft(available.left());
    return frame;
}

QRect roomBeside(const QRect& available, const QRect& panel) {
    QRect room = available;
    room.setRight(std::max(available.left(), panel.left() - kGap - 1));
    return room;
}

QRect clearOfPanel(const QRect& frame, const QRect& panel, const QRect& available) {
    if (!frame.intersects(panel.adjusted(-kGap, 0, kGap, 0)))
        return frame;
    QRect moved = frame;
    moved.moveRight(panel.left() - kGap - 1);
    // Too wide for the room: the title bar stays on the screen.
    if (moved.left() < available.left())
        moved.moveLeft(available.left());
    return moved;
}

} // namespace demoplace
