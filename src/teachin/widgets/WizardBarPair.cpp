#include "teachin/widgets/WizardBarPair.h"

#include "display/TextFormat.h"
#include "display/widgets/QtColour.h"
#include "teachin/widgets/WizardFonts.h"
#include "teachin/widgets/WizardPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// The exclusive right edge, as the layout's percentages are written.
int rightEdge(const QRect& r) {
    return r.left() + r.width();
}

int bottomEdge(const QRect& r) {
    return r.top() + r.height();
}

bool adjusting(int step) {
    return step == 0 || step == 1;
}

} // namespace

WizardBandLimits WizardBarPair::limits(int step) {
    if (step <= 1)
        return {45, 55, 75, 80};
    return {30, 50, 80, 90};
}

WizardBand WizardBarPair::band(double value, const WizardBandLimits& l) {
    if (value < l.a || value > l.d)
        return WizardBand::Red;
    if (value < l.b || value > l.c)
        return WizardBand::PaleGreen;
    return WizardBand::Green;
}

WizardBand WizardBarPair::barBand(int step, Head sensor, double value) {
    if ((step == 0 && sensor == Head::WH) || (step == 1 && sensor == Head::YE))
        return WizardBand::Idle;
    return band(value, limits(step));
}

Rgb WizardBarPair::bandColour(WizardBand band, int depth) {
    using namespace wizardcolour;
    switch (band) {
    case WizardBand::Red:
        return chooseShade(kRed, kPureRed, depth);
    case WizardBand::PaleGreen:
        return kPaleGreen;
    case WizardBand::Green:
        return chooseShade(kGreen, kPureGreen, depth);
    case WizardBand::Idle:
        break;
    }
    return kIdleBar;
}

bool WizardBarPair::stripsShown(const WizardPicture& p) {
    const bool rangeFailed = (p.failure & (kYeRange | kWhRange)) != 0;
    return p.travelRunning && (p.step > 1 || rangeFailed);
}

bool WizardBarPair::markersShown(const WizardPicture& p) {
    return adjusting(p.step) || (p.step >= 2 && p.travelRunning);
}

QRect WizardBarPair::bar(const WizardLayout& l, Head sensor) {
    return sensor == Head::YE ? l.yeBar : l.whBar;
}

QRect WizardBarPair::valueFill(const WizardLayout& l, Head sensor, double value) {
    const QRect b = bar(l, sensor);
    const int top = l.scaleY(value);
    return QRect(b.left(), top, b.width(), bottomEdge(b) - top);
}

QRect WizardBarPair::strip(const WizardLayout& l, Head sensor, int minimum, int maximum) {
    const QRect b = bar(l, sensor);
    const int top = l.scaleY(maximum);
    const int bottom = l.scaleY(minimum);
    return QRect(b.left() + 2, top, b.width() - 4, bottom - top + 1);
}

QRect WizardBarPair::labelBox(const WizardLayout& l, Head sensor) {
    const QRect b = bar(l, sensor);
    return QRect(b.left(), l.bars.top(), b.width(), l.scaleY(100) - l.bars.top());
}

QRect WizardBarPair::bandColumn(const WizardLayout& l, int textWidth) {
    const int width = textWidth + 2;
    const int middle = l.scaleColumn.left() + l.scaleColumn.width() / 2;
    return QRect(middle - width / 2, l.bars.top(), width, l.bars.height());
}

std::vector<QLine> WizardBarPair::ticks(const WizardLayout& l, double percent) {
    const int y = l.scaleY(percent);
    return {
        QLine(l.bars.left(), y, l.yeBar.left() - 2, y),
        QLine(rightEdge(l.yeBar) + 1, y, l.scaleColumn.left(), y),
        QLine(rightEdge(l.scaleColumn), y, l.whBar.left() - 2, y),
        QLine(rightEdge(l.whBar) + 1, y, rightEdge(l.bars), y),
    };
}

QRect WizardBarPair::numberBox(const WizardLayout& l, double percent, int textWidth) {
    const int y = l.scaleY(percent);
    const int gapLeft = rightEdge(l.yeBar) + 1;
    const int gapWidth = l.whBar.left() - 1 - gapLeft;
    const int width = std::min(gapWidth, textWidth + 4);
    return QRect(gapLeft + (gapWidth - width) / 2, y - 10, width, 21);
}

std::vector<QLine> WizardBarPair::markerLines(const WizardLayout& l,
                                              const WizardBandLimits& limits) {
    const int top = l.scaleY(limits.d);
    const int bottom = l.scaleY(limits.a);
    const int middle = l.scaleColumn.left() + l.scaleColumn.width() / 2;
    std::vector<QLine> lines;
    for (int y : {top, bottom}) {
        lines.emplace_back(rightEdge(l.yeBar) + 1, y, l.whBar.left() - 2, y);
        lines.emplace_back(l.bars.left(), y, l.yeBar.left() - 2, y);
        lines.emplace_back(rightEdge(l.whBar) + 1, y, rightEdge(l.bars), y);
    }
    lines.emplace_back(middle, top, middle, bottom);
    return lines;
}

const std::vector<int>& WizardBarPair::scaleNumbers() {
    static const std::vector<int> numbers = {200, 100, 80, 50, 30, 0};
    return numbers;
}

std::string wizardValueText(double value) {
    return formatText("   %.0lf%%   ", value);
}

void WizardBarPair::paint(QPainter& p, const WizardLayout& l, const WizardFonts& fonts,
                          const WizardPicture& picture, const WizardBarValues& values, int depth) {
    paintScale(p, l, fonts, picture, depth);
    paintBar(p, l, fonts, picture, values, Head::YE, depth);
    paintBar(p, l, fonts, picture, values, Head::WH, depth);
}

void WizardBarPair::paintScale(QPainter& p, const WizardLayout& l, const WizardFonts& fonts,
                               const WizardPicture& picture, int depth) {
    using namespace wizardcolour;
    const WizardBandLimits lim = limits(picture.step);
    p.setFont(fonts.scale);
    const QRect column =
        bandColumn(l, QFontMetrics(fonts.scale).horizontalAdvance(QStringLiteral("200")));
    const auto fillBetween = [&](int top, int bottom, WizardBand band) {
        p.fillRect(QRect(column.left(), top, column.width(), bottom - top),
                   toQColor(bandColour(band, depth)));
    };
    fillBetween(l.bars.top(), l.scaleY(lim.d), WizardBand::Red);
    fillBetween(l.scaleY(lim.d), l.scaleY(lim.c), WizardBand::PaleGreen);
    fillBetween(l.scaleY(lim.c), l.scaleY(lim.b), WizardBand::Green);
    fillBetween(l.scaleY(lim.b), l.scaleY(lim.a), WizardBand::PaleGreen);
    fillBetween(l.scaleY(lim.a), bottomEdge(l.bars), WizardBand::Red);

    const bool markers = markersShown(picture);
    const QColor face = p.background().color();
    QPen tickPen(toQColor(kScaleTick), kTickPen);
    tickPen.setCapStyle(Qt::FlatCap);
    p.setPen(tickPen);
    for (int number : scaleNumbers()) {
        for (const QLine& line : ticks(l, number))
            p.drawLine(line);
    }
    if (markers) {
        QPen markerPen(toQColor(kDarkBlue), kMarkerPen);
        markerPen.setCapStyle(Qt::FlatCap);
        p.setPen(markerPen);
        for (const QLine& line : markerLines(l, lim))
            p.drawLine(line);
    }
    // The numbers stand in boxes over the marker's vertical line; a marker
    // text takes the place of the number it stands on.
    const QFontMetrics metrics(fonts.scale);
    const auto boxedText = [&](double percent, const QString& text) {
        const QRect box = numberBox(l, percent, metrics.horizontalAdvance(text));
        p.fillRect(box, face);
        p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    };
    p.setPen(toQColor(kText));
    for (int number : scaleNumbers()) {
        if (markers && (number == lim.a || number == lim.d))
            continue;
        boxedText(number, QString::number(number));
    }
    if (!markers)
        return;
    p.setPen(toQColor(kDarkBlue));
    for (auto [percent, caption] : {std::pair{lim.d, "MAX"}, std::pair{lim.a, "MIN"}})
        boxedText(percent, QString::fromLatin1(caption));
}

void WizardBarPair::paintBar(QPainter& p, const WizardLayout& l, const WizardFonts& fonts,
                             const WizardPicture& picture, const WizardBarValues& values,
                             Head sensor, int depth) {
    using namespace wizardcolour;
    const bool ye = sensor == Head::YE;
    const double value = ye ? values.ye : values.wh;
    const QRect b = bar(l, sensor);
    p.fillRect(b, toQColor(kBarBackground));
    // Until the first amplitude arrives the bar stays grey and empty.
    const bool hasValue = value >= 0;
    if (hasValue) {
        p.fillRect(valueFill(l, sensor, value),
                   toQColor(bandColour(barBand(picture.step, sensor, value), depth)));
    }
    if (stripsShown(picture)) {
        const QRect s =
            strip(l, sensor, ye ? values.yeMin : values.whMin, ye ? values.yeMax : values.whMax);
        p.fillRect(s, QBrush(toQColor(kDarkBlue), Qt::BDiagPattern));
    }
    p.setPen(toQColor(kText));
    if (hasValue) {
        p.setFont(fonts.value);
        p.drawText(b, Qt::AlignCenter | Qt::TextSingleLine,
                   QString::fromStdString(wizardValueText(value)));
    }
    const bool emphasised = (ye && picture.step == 0) || (!ye && picture.step == 1);
    p.setFont(emphasised ? fonts.labelBold : fonts.label);
    p.setPen(ye ? toQColor(barShades(depth).yellow) : toQColor(barcolour::kWhite));
    p.drawText(labelBox(l, sensor), Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromLatin1(ye ? "YE" : "WH"));
}
