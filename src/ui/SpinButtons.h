#pragma once
// The up-down control beside the pulse-rate field: two arrow buttons attached
// to a text field, stepping the number in it within a range and wrapping at
// the ends. The arrow keys step it too while the field has the focus.

#include <QWidget>

class QLineEdit;
class QToolButton;

class SpinButtons : public QWidget {
    Q_OBJECT
public:
    SpinButtons(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // Steps the buddy's number; does nothing while the control is disabled.
    void stepBy(int steps);

    // The number after `steps` steps from `current`: a number outside the range
    // is first brought into it, and stepping past an end continues at the
    // other end.
    static int steppedValue(long long current, int steps, int minimum, int maximum);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
};
