#include "display/widgets/NoiseDisplay.h"

#include "config/DiagnosisNoticeRows.h"
#include "config/MainWindowRows.h"
#include "device/LinkControl.h"
#include "display/BarColours.h"
#include "display/widgets/QtColour.h"
#include "ui/Artwork.h"
#include "ui/Notice.h"
#include "ui/UiText.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QTimer>

namespace {

Art iconArt(NoiseIcon icon) {
    switch (icon) {
    case NoiseIcon::Green:
        return Art::NoiseGreen;
    case NoiseIcon::Yellow:
        return Art::NoiseYellow;
    case NoiseIcon::Red:
        return Art::NoiseRed;
    case NoiseIcon::Idle:
        break;
    }
    return Art::NoiseIdle;
}

} // namespace

NoiseDisplay::NoiseDisplay(LinkControl& link, InterferenceRequests requests, QWidget* parent)
    : QWidget(parent), link_(link), noise_(link, std::move(requests)) {
    hide();
}

void NoiseDisplay::attach(QAbstractButton* button, QLabel* valueField) {
    button_ = button;
    valueField_ = valueField;
    // The value field reaches into the bar area: its number stays readable
    // over the bars.
    if (valueField_ && valueField_->parentWidget() == parentWidget())
        stackUnder(valueField_);
    if (button_) {
        button_->setCheckable(true);
        connect(button_, &QAbstractButton::clicked, this,
                [this](bool checked) { toggleNoise(checked); });
    }
    iconSet_ = false;
    apply();
}

void NoiseDisplay::toggleNoise(bool pressed) {
    if (noise_.toggleNoise(pressed))
        postStopForm();
    apply();
    reportSelfStop();
}

void NoiseDisplay::showNoise(double a, double b) {
    if (noise_.showNoise(a, b))
        postStopForm();
    apply();
    reportSelfStop();
}

QString NoiseDisplay::stopText(NoiseStop why) {
    namespace rows = diagnosisnoticerow;
    switch (why) {
    case NoiseStop::TooMuchInterference:
        return uiText(TextTable::DiagnosisNotices, rows::kNoiseStoppedHigh);
    case NoiseStop::NoData:
        return uiText(TextTable::DiagnosisNotices, rows::kNoiseStoppedNoData);
    case NoiseStop::None:
        break;
    }
    return {};
}

void NoiseDisplay::reportSelfStop() {
    const NoiseStop why = noise_.takeSelfStop();
    if (why == NoiseStop::None)
        return;
    // Called inside a device event: the notice (which does not block) and
    // the log entry follow once the reader thread goes on.
    QTimer::singleShot(0, this, [this, why] {
        const QString reason = stopText(why);
        if (stopNotice_)
            stopNotice_->close();
        QWidget* owner = window();
        // The button's caption, on one line, names the measurement.
        const QString caption = uiText(TextTable::MainWindow, mainwindowrow::kMeasureNoise)
                                    .replace(QLatin1Char('\n'), QLatin1Char(' '));
        stopNotice_ = showNotice(owner, QMessageBox::Information, caption, reason);
        if (stoppedByItself)
            stoppedByItself(why);
    });
}

void NoiseDisplay::stopForm() {
    noise_.stop();
    apply();
}

void NoiseDisplay::tick() {
    noise_.tick();
    apply();
}

void NoiseDisplay::postStopForm() {
    // As the interference notification's stop form, it arrives after the
    // current handler and is dropped while a data recording runs.
    QTimer::singleShot(0, this, [this] {
        if (!link_.recordingActive.load())
            stopForm();
    });
}

void NoiseDisplay::apply() {
    const NoiseView& v = noise_.view();
    if (button_) {
        if (button_->isChecked() != v.buttonPressed) {
            const QSignalBlocker quiet(button_);
            button_->setChecked(v.buttonPressed);
        }
        if (!iconSet_ || shownIcon_ != v.icon) {
            button_->setIcon(artIcon(iconArt(v.icon)));
            shownIcon_ = v.icon;
            iconSet_ = true;
        }
    }
    if (valueField_) {
        const QString value = QString::fromStdString(v.valueText);
        if (valueField_->text() != value)
            valueField_->setText(value);
    }
    if (isVisible() != v.areaVisible)
        setVisible(v.areaVisible);
    if (v.areaText != shown_.areaText || v.barsDrawn != shown_.barsDrawn || v.a != shown_.a ||
        v.b != shown_.b || v.paint != shown_.paint)
        update();
    shown_ = v;
}

QColor NoiseDisplay::paintColour(NoisePaint paint, int depth) {
    const BarShades shades = barShades(depth);
    Rgb c = barcolour::kGrey;
    switch (paint) {
    case NoisePaint::LightGreen:
        c = shades.green;
        break;
    case NoisePaint::LightYellow:
        c = shades.yellow;
        break;
    case NoisePaint::LightRed:
        c = shades.red;
        break;
    case NoisePaint::Grey:
        break;
    }
    return toQColor(c);
}

QFont NoiseDisplay::areaFont() const {
    QFont f = font();
    const QString longest = QString::fromStdString(NoiseMeasurement::longestWaitText());
    const qreal room = width() - 1;
    // Smaller fonts do not shrink in proportion (hinting), so step down
    // until the text fits, but not below a legible size.
    for (int step = 0; step < 12; ++step) {
        const qreal wide = QFontMetricsF(f).horizontalAdvance(longest);
        if (wide <= room || room <= 0)
            break;
        if (f.pixelSize() > 0) {
            if (f.pixelSize() <= 7)
                break;
            f.setPixelSize(f.pixelSize() - 1);
        } else {
            if (f.pointSizeF() <= 5.0)
                break;
            f.setPointSizeF(f.pointSizeF() - 0.5);
        }
    }
    return f;
}

void NoiseDisplay::paintEvent(QPaintEvent*) {
    const NoiseView& v = noise_.view();
    QPainter p(this);
    if (!v.areaText.empty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(areaFont());
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   QString::fromStdString(v.areaText));
        return;
    }
    if (!v.barsDrawn)
        return;
    const QRect area = NoiseMeasurement::barArea(rect());
    const QColor grey = toQColor(barcolour::kGrey);
    const QColor colour = paintColour(v.paint, depth());
    const struct {
        QRect half;
        double value;
    } bars[] = {{NoiseMeasurement::upperHalf(area), v.a}, {NoiseMeasurement::lowerHalf(area), v.b}};
    for (const auto& bar : bars) {
        const int length = NoiseMeasurement::barLength(bar.half.width(), bar.value);
        p.fillRect(QRect(bar.half.left(), bar.half.top(), length, bar.half.height()), colour);
        p.fillRect(QRect(bar.half.left() + length, bar.half.top(), bar.half.width() - length,
                         bar.half.height()),
                   grey);
    }
    p.setPen(Qt::black);
    const int below = area.top() + area.height();
    for (int x : NoiseMeasurement::tickPositions(area))
        p.drawLine(x, below, x, below + NoiseMeasurement::kTickLength - 1);
}
