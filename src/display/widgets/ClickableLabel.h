#pragma once
// A static control that reports a left click: the lamps, the box picture and
// the status text of the main window.

#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
