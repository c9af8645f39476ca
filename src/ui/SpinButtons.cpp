#include "ui/SpinButtons.h"

#include "ui/PulseField.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

SpinButtons::SpinButtons(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        column->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    buddy_->installEventFilter(this);
}

void SpinButtons::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

int SpinButtons::steppedValue(long long current, int steps, int minimum, int maximum) {
    const long long span = static_cast<long long>(maximum) - minimum + 1;
    long long value = std::clamp<long long>(current, minimum, maximum) - minimum + steps % span;
    value = ((value % span) + span) % span;
    return static_cast<int>(value + minimum);
}

void SpinButtons::stepBy(int steps) {
    if (!isEnabled()) {
        return;
    }
    const long long current = parsePulseField(buddy_->text().toStdString());
    buddy_->setText(QString::number(steppedValue(current, steps, minimum_, maximum_)));
}

bool SpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
