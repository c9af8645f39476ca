#include "ui/DialogUnits.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QWidget>

#include <cmath>

QFont dialogFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

namespace {

// Average character width as the original platform defines it: the extent of
// the 52 letters, halved per pair and rounded.
int averageCharWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    const int extent = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (extent / 26 + 1) / 2;
}

// units * base / divisor, rounded half away from zero.
int scale(int units, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
    : baseX_(averageCharWidth(font)), baseY_(QFontMetrics(font).height()) {}

DialogUnits::DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

int DialogUnits::x(int units) const {
    return scale(units, baseX_, 4);
}

int DialogUnits::y(int units) const {
    return scale(units, baseY_, 8);
}

QRect DialogUnits::rect(int x, int y, int width, int height) const {
    // Edges are converted, not the size, so that neighbouring controls meet
    // exactly where their templates meet.
    const int left = this->x(x);
    const int top = this->y(y);
    return QRect(left, top, this->x(x + width) - left, this->y(y + height) - top);
}

QSize DialogUnits::size(int width, int height) const {
    return QSize(x(width), y(height));
}

QString controlName(int id) {
    return QString::number(id);
}

DialogTemplate::DialogTemplate(QWidget* window, int widthUnits, int heightUnits)
    : window_(window), units_(dialogFont()) {
    window_->setFont(dialogFont());
    window_->setFixedSize(units_.size(widthUnits, heightUnits));
}

void DialogTemplate::placeWidget(int id, int x, int y, int width, int height, QWidget* control) {
    control->setParent(window_);
    control->setFont(window_->font());
    if (id != kNoId) {
        control->setObjectName(controlName(id));
    }
    QRect area = units_.rect(x, y, width, height);
    if (qobject_cast<QComboBox*>(control) != nullptr) {
        area.setHeight(control->sizeHint().height());
    }
    control->setGeometry(area);
}

QWidget* DialogTemplate::control(int id) const {
    return window_->findChild<QWidget*>(controlName(id), Qt::FindDirectChildrenOnly);
}
