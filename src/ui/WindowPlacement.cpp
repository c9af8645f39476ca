#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QPoint keepInside(const QRect& frame, const QRect& available) {
    if (available.isEmpty())
        return frame.topLeft();
    const int x =
        std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int y =
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return {x, y};
}

QPoint placeNextTo(const QRect& anchor, QSize size, DockSide side, const QRect& available) {
    QRect frame(QPoint(), size);
    if (side == DockSide::Right) {
        frame.moveTopLeft(QPoint(anchor.right() + 1, anchor.top()));
        if (frame.right() > available.right() && anchor.left() - size.width() >= available.left())
            frame.moveRight(anchor.left() - 1);
    } else {
        frame.moveTopLeft(QPoint(anchor.left(), anchor.bottom() + 1));
        if (frame.bottom() > available.bottom() && anchor.top() - size.height() >= available.top())
            frame.moveBottom(anchor.top() - 1);
    }
    return keepInside(frame, available);
}

QRect availableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}
