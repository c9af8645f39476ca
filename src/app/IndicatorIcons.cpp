#include "app/IndicatorIcons.h"

#include "ui/Artwork.h"

#include <QPainter>
#include <QPushButton>

namespace {

// The zero picture on a round light: green for a found reference, yellow for
// one passed. Not connected: the picture faded.
QPixmap indicatorPixmap(ReferenceIndicator::Image image, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, side, side);
    if (image == ReferenceIndicator::Image::Found || image == ReferenceIndicator::Image::Passed) {
        const QColor light = image == ReferenceIndicator::Image::Found ? QColor(128, 255, 128)
                                                                       : QColor(255, 255, 128);
        QRadialGradient glow(all.center(), side / 2.0);
        glow.setColorAt(0.0, Qt::white);
        glow.setColorAt(0.55, light);
        glow.setColorAt(1.0, light.darker(130));
        painter.setPen(QPen(QColor(64, 64, 64), std::max(1.0, side / 24.0)));
        painter.setBrush(glow);
        painter.drawEllipse(all.adjusted(1, 1, -1, -1));
    }
    if (image == ReferenceIndicator::Image::NotConnected)
        painter.setOpacity(0.3);
    drawArt(painter, Art::ZeroPoint,
            all.adjusted(side / 8.0, side / 8.0, -side / 8.0, -side / 8.0));
    return pixmap;
}

} // namespace

QIcon referenceIndicatorIcon(ReferenceIndicator::Image image) {
    // Made once per picture: the indicator changes with every reference mark.
    // Kept to the end of the process, past the application object.
    static QIcon* const icons = new QIcon[4];
    QIcon& icon = icons[static_cast<int>(image)];
    if (icon.isNull()) {
        // The button is disabled on a box in absolute mode, where the lit
        // indicator still has to be seen: the same pictures when disabled.
        for (int side : {16, 20, 24, 32, 48, 64}) {
            const QPixmap picture = indicatorPixmap(image, side);
            icon.addPixmap(picture);
            icon.addPixmap(picture, QIcon::Disabled);
        }
    }
    return icon;
}

void setButtonArt(QPushButton* button, Art art) {
    const QVariant shown = button->property("art");
    if (shown.isValid() && shown.toInt() == static_cast<int>(art))
        return;
    button->setProperty("art", static_cast<int>(art));
    button->setIcon(artIcon(art));
}

Art lampArt(Lamp lamp) {
    switch (lamp) {
    case Lamp::Green:
        return Art::LampGreen;
    case Lamp::Yellow:
        return Art::LampYellow;
    case Lamp::Red:
        return Art::LampRed;
    case Lamp::Grey:
        break;
    }
    return Art::LampGrey;
}

Art boxArt(BoxPicture picture) {
    switch (picture) {
    case BoxPicture::Wait:
        return Art::BoxWait;
    case BoxPicture::Adc:
        return Art::BoxAdc;
    case BoxPicture::Sensor:
        return Art::BoxSensor;
    case BoxPicture::Hardware:
        return Art::BoxHardware;
    case BoxPicture::Dac:
        return Art::BoxDac;
    case BoxPicture::Learn:
        return Art::BoxLearn;
    case BoxPicture::LearnWithRef:
        return Art::BoxLearnRef;
    case BoxPicture::LearnWithoutRef:
        return Art::BoxLearnNoRef;
    case BoxPicture::Restart:
        return Art::BoxRestart;
    case BoxPicture::SignalWithRef:
        return Art::BoxSignalRef;
    case BoxPicture::SignalWithoutRef:
        return Art::BoxSignalNoRef;
    case BoxPicture::NoDataA:
        return Art::BoxNoDataA;
    case BoxPicture::NoDataB:
        break;
    }
    return Art::BoxNoDataB;
}
