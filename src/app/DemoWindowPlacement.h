#pragma once
// Where the demo's windows go: the box's panel at the right edge of the
// screen, every window of the program left of it, so that the panel is never
// covered (the maximised wizard takes the room left of it instead).

#include <QRect>
#include <QSize>

namespace demoplace {

// Space left between the panel and the windows beside it, in pixels.
inline constexpr int kGap = 8;

// The panel's frame: top right of the available screen area.
QRect panelFrame(const QRect& available, const QSize& frameSize);

// The room left of the panel, as high as the available area: the wizard's
// frame in place of the whole screen.
QRect roomBeside(const QRect& available, const QRect& panel);

// `frame` moved left so that it clears the panel, as far as the available
// area allows; unchanged when it does not touch the panel.
QRect clearOfPanel(const QRect& frame, const QRect& panel, const QRect& available);

} // namespace demoplace
