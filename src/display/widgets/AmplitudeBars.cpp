#include "display/widgets/AmplitudeBars.h"

#include "display/widgets/QtColour.h"

#include <QGroupBox>
#include <QPaintEvent>
#include <QPainter>

namespace {

// A 3-D frame one pixel outside `inner`: dark on top and left, light on the
// bottom and right.
void frame3d(QPainter& p, const QRect& inner) {
    const QRect r = inner.adjusted(-1, -1, 1, 1);
    p.setPen(toQColor(barcolour::kDarkEdge));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(toQColor(barcolour::kLightEdge));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

AmplitudeBars::AmplitudeBars(QWidget* parent) : QWidget(parent) {
    // Clicks belong to the group: a left click resets the box, a right click
    // opens the main window's menu.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    normalFont_ = font();
    normalFont_.setWeight(QFont::Light);
    boldFont_ = QFont(QStringLiteral("Arial"));
    boldFont_.setWeight(QFont::DemiBold);
}

AmplitudeTrack& AmplitudeBars::trackOf(Head sensor) {
    return sensor == Head::WH ? wh_ : ye_;
}

const AmplitudeTrack& AmplitudeBars::track(Head sensor) const {
    return sensor == Head::WH ? wh_ : ye_;
}

void AmplitudeBars::draw(const BarUpdate& bar) {
    if (painting_)
        return;
    const AmplitudeBarGeometry g = geometry();
    switch (bar.kind) {
    case BarUpdate::Kind::Amplitude:
        if (trackOf(bar.head).newAmplitude(bar.amplitude))
            update(barRegion(g, bar.head));
        break;
    case BarUpdate::Kind::ForgetExtremes:
        trackOf(bar.head).reset();
        break;
    case BarUpdate::Kind::Redraw:
        // The scale is drawn with the white bar.
        if (bar.head == Head::WH)
            update(scaleRegion(g));
        update(barRegion(g, bar.head));
        break;
    }
}

void AmplitudeBars::setLabelFonts(const QFont& normal, const QFont& bold) {
    normalFont_ = normal;
    boldFont_ = bold;
    update();
}

void AmplitudeBars::setOffsetSeen(Head sensor, bool seen) {
    bool& flag = sensor == Head::WH ? offsetSeenWH_ : offsetSeenYE_;
    if (flag == seen)
        return;
    flag = seen;
    update(geometry().labelBox(sensor));
}

bool AmplitudeBars::offsetSeen(Head sensor) const {
    return sensor == Head::WH ? offsetSeenWH_ : offsetSeenYE_;
}

QRect AmplitudeBars::barArea() const {
    if (auto* group = qobject_cast<const QGroupBox*>(parentWidget())) {
        // The group's area below its caption, in this widget's coordinates.
        const QRect contents = group->contentsRect();
        return QRect(mapFrom(group, contents.topLeft()), contents.size());
    }
    return rect();
}

QColor AmplitudeBars::paintColour(BarPaint paint, int depth) {
    const BarShades shades = barShades(depth);
    switch (paint) {
    case BarPaint::Grey:
        return toQColor(barcolour::kGrey);
    case BarPaint::LightRed:
        return toQColor(shades.red);
    case BarPaint::LightYellow:
        return toQColor(shades.yellow);
    case BarPaint::LightGreen:
        return toQColor(shades.green);
    case BarPaint::Black:
        break;
    }
    return toQColor(barcolour::kBlack);
}

QColor AmplitudeBars::sensorColour(Head sensor, int depth) {
    return sensor == Head::WH ? toQColor(barcolour::kWhite) : toQColor(barShades(depth).yellow);
}

QRect AmplitudeBars::barRegion(const AmplitudeBarGeometry& g, Head sensor) {
    return g.bar(sensor)
        .adjusted(-1, -1, 1, 1)
        .united(g.labelBox(sensor).adjusted(-1, -1, 1, 1))
        .united(g.percentBox(sensor).adjusted(-1, -1, 1, 1));
}

QRect AmplitudeBars::scaleRegion(const AmplitudeBarGeometry& g) {
    QRect region;
    for (const QLine& line : amplitudeScaleMarks(g))
        region = region.united(QRect(line.p1(), line.p2()).normalized());
    return region;
}

void AmplitudeBars::paintEvent(QPaintEvent* event) {
    painting_ = true;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    const AmplitudeBarGeometry g = geometry();
    if (g.barHeight > 4 && g.barWidth > 2) {
        paintScale(painter, g);
        paintBar(painter, g, Head::YE);
        paintBar(painter, g, Head::WH);
    }
    painting_ = false;
}

void AmplitudeBars::paintScale(QPainter& p, const AmplitudeBarGeometry& g) const {
    p.setPen(QPen(Qt::black, 1));
    for (const QLine& line : amplitudeScaleMarks(g))
        p.drawLine(line);
}

void AmplitudeBars::paintBar(QPainter& p, const AmplitudeBarGeometry& g, Head sensor) const {
    const int depth = this->depth();
    const AmplitudeTrack& t = track(sensor);

    frame3d(p, g.bar(sensor));
    for (const BarFill& fill : amplitudeBarFills(g, sensor, t))
        p.fillRect(fill.rect, paintColour(fill.paint, depth));

    // Percentage box: the value, black on the sensor's colour.
    const QRect box = g.percentBox(sensor);
    p.fillRect(box, sensorColour(sensor, depth));
    p.setPen(Qt::black);
    p.setFont(normalFont_);
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromStdString(amplitudePercentText(t.value)));
    frame3d(p, box);

    // Label in the sensor's colour on a dark ground (white and light yellow
    // cannot be read on the light window); bold once the box has reported
    // the sensor's offsets.
    const QRect label = g.labelBox(sensor);
    p.fillRect(label, toQColor(barcolour::kLabelGround));
    p.setPen(sensorColour(sensor, depth));
    p.setFont(offsetSeen(sensor) ? boldFont_ : normalFont_);
    p.drawText(label, Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromLatin1(amplitudeLabelText(sensor)));
}
