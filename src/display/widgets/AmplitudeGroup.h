#pragma once
// The "Amplitude" group (1018) of the main window: the frame in which the two
// amplitude bars of the sensors are drawn. A left click inside it asks for the
// box reset handling.
//
// The bars themselves are a widget of their own: setBars() takes it and keeps
// it over the group's whole rectangle (the geometry of the bars is computed
// from the group's size), so it draws with a transparent background and the
// frame and caption show through.

#include <QGroupBox>

class AmplitudeGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit AmplitudeGroup(QWidget* parent = nullptr);

    // Places `bars` (made a child of the group) over the group's rectangle.
    void setBars(QWidget* bars);
    QWidget* bars() const { return bars_; }

signals:
    void leftClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* bars_ = nullptr;
};
