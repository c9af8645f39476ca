#pragma once
// Where the program's side windows open: next to the main window, but always
// on the screen area the desktop leaves free, so that no window opens where
// the user cannot reach it.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The side of the main window a window prefers.
enum class DockSide { Right, Below };

// The top-left corner for a window frame of `size` inside `available`: the
// frame moved as little as possible; a frame larger than the area keeps its
// top-left corner (and with it the title bar) on the area.
QPoint keepInside(const QRect& frame, const QRect& available);

// Beside `anchor` on `side`, level with its top (Right) or its left edge
// (Below); on the opposite side when there is no room, and within
// `available` in any case.
QPoint placeNextTo(const QRect& anchor, QSize size, DockSide side, const QRect& available);

// The free area of the screen `window` (or else the primary screen) is on.
QRect availableArea(const QWidget& window);
