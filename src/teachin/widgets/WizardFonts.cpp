#include "teachin/widgets/WizardFonts.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr int kSmallestPixels = 6;

QFont arial(int pixelHeight, QFont::Weight weight = QFont::Normal) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(kSmallestPixels, pixelHeight));
    font.setWeight(weight);
    return font;
}

bool fits(const QFont& font, const QRect& box, const QString& text, int flags) {
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

WizardFonts WizardFonts::make(const WizardLayout& l) {
    WizardFonts f;
    f.title = arial(l.title.height() * 6 / 10, QFont::Bold);
    f.boxLine = arial(l.boxLine.height() * 7 / 10);
    f.text = arial(l.boxLine.height() * 7 / 10);
    f.position = arial(l.speedText.height() * 45 / 100);
    const int barHeight = l.bars.height();
    f.label = arial(barHeight * 4 / 100, QFont::Light);
    f.labelBold = arial(barHeight * 46 / 1000, QFont::Bold);
    f.value = arial(barHeight * 35 / 1000);
    // The scale numbers stand between the bars: "200" must fit there.
    const QRect between(l.yeBar.right() + 1, 0, l.whBar.left() - l.yeBar.right() - 5, 1000);
    f.scale = fittedFont(arial(barHeight * 25 / 1000), between, QStringLiteral("200"),
                         Qt::AlignCenter | Qt::TextSingleLine);
    return f;
}

QFont fittedFont(const QFont& font, const QRect& box, const QString& text, int flags) {
    QFont fitted = font;
    int pixels = std::max(kSmallestPixels, font.pixelSize());
    fitted.setPixelSize(pixels);
    while (pixels > kSmallestPixels && !fits(fitted, box, text, flags)) {
        pixels = std::max(kSmallestPixels, pixels * 9 / 10);
        fitted.setPixelSize(pixels);
    }
    return fitted;
}
