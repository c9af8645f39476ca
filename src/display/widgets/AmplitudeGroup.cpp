#include "display/widgets/AmplitudeGroup.h"

#include <QMouseEvent>

AmplitudeGroup::AmplitudeGroup(QWidget* parent) : QGroupBox(parent) {}

void AmplitudeGroup::setBars(QWidget* bars) {
    bars_ = bars;
    if (bars_ == nullptr)
        return;
    bars_->setParent(this);
    bars_->setGeometry(rect());
    bars_->show();
}

void AmplitudeGroup::mousePressEvent(QMouseEvent* event) {
    // Clicks on the bars arrive here too, unless the bars widget takes them.
    if (event->button() == Qt::LeftButton) {
        emit leftClicked();
        event->accept();
        return;
    }
    QGroupBox::mousePressEvent(event);
}

void AmplitudeGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    if (bars_ != nullptr)
        bars_->setGeometry(rect());
}
