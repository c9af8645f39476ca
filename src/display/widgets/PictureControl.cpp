#include "display/widgets/PictureControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

PictureControl::PictureControl(Art art, QWidget* parent) : QWidget(parent), art_(art) {}

void PictureControl::setArt(Art art) {
    if (art == art_)
        return;
    art_ = art;
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Keep the picture square-ish: its own aspect, centred in the control.
    const QSizeF own = artSize(art_).isEmpty() ? QSizeF(size()) : QSizeF(artSize(art_));
    const qreal scale = std::min(width() / own.width(), height() / own.height());
    const QSizeF drawn = own * scale;
    const QRectF target(QPointF((width() - drawn.width()) / 2, (height() - drawn.height()) / 2),
                        drawn);
    drawArt(painter, art_, target);
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
