#include "teachin/widgets/WizardLayout.h"

#include "display/AmplitudeScale.h"

namespace {

// A rectangle from its corners, the right and bottom edges excluded, so that
// areas that meet do not share a pixel.
QRect span(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

WizardLayout WizardLayout::compute(const QRect& client) {
    const int L = client.left();
    const int T = client.top();
    const int W = client.width();
    const int H = client.height();

    WizardLayout l;
    l.panel = span(L + W / 50, T + H / 50, L + (2 * W) / 3, T + H - H / 50);
    const int R = l.panel.width();
    const int V = l.panel.height();
    const auto x = [&](int n) { return l.panel.left() + n * R / 100; };
    const auto y = [&](int n) { return l.panel.top() + n * V / 100; };
    const int right = l.panel.left() + R;

    l.title = span(x(1), y(1), x(62), y(10));
    l.boxLine = span(x(1), y(10), x(97), y(14));
    l.stepText = span(x(11), y(16), x(97), y(28));
    l.advicePicture = span(x(11), y(38), x(50), y(74));
    l.adviceText = span(x(62), y(38), x(97), y(52));
    l.positionText = span(x(62), y(38), right, y(40));
    l.speedText = span(x(62), y(40), right, y(50));
    l.slowerText = span(x(62), y(48), x(97), y(52));
    l.cancel = span(x(1), y(88), x(22), y(98));
    const int d = x(62) - x(27);
    l.back = span(x(27), y(88), x(27) + d / 2, y(98));
    l.next = span(x(27) + d / 2, y(88), x(62), y(98));
    l.help = span(x(62) + d / 4, y(88), x(62) + d / 4 + (d / 2 - d / 4), y(98));

    // The vertical insets of the bar region follow the width, as drawn.
    l.bars = span(L + (2 * W) / 3, T + W / 50, L + W - (2 * W) / 50, T + H - W / 50);
    const int o = l.bars.width();
    const int bl = l.bars.left();
    l.yeBar = span(bl + o / 50, l.bars.top(), bl + 21 * o / 50, l.bars.top() + l.bars.height());
    l.scaleColumn =
        span(bl + 22 * o / 50, l.bars.top(), bl + 28 * o / 50, l.bars.top() + l.bars.height());
    l.whBar =
        span(bl + 29 * o / 50, l.bars.top(), bl + 49 * o / 50, l.bars.top() + l.bars.height());
    return l;
}

int WizardLayout::scaleY(double percent) const {
    const int h = bars.height();
    return bars.top() + static_cast<int>(h - AmplitudeScale(percent) / 100.0 * h);
}
