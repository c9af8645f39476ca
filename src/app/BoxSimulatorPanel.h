#pragma once
// The "Box simulator" panel of the demo: the simulated box's shaft, heads,
// noise, dialect and faults at hand beside the main window.

#include "box-simulator/BoxSimulator.h"

#include <QTimer>
#include <QWidget>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

class BoxSimulatorPanel : public QWidget {
    Q_OBJECT
public:
    // `box` must outlive the panel.
    explicit BoxSimulatorPanel(boxsim::BoxSimulator& box, QWidget* parent = nullptr);

    // Puts the panel beside `window` (right of it, or left when there is no
    // room on the screen).
    void placeBeside(const QWidget& window);

private:
    void showState();
    void applyNoise();
    void powerCycle();
    void toggleCable();

    boxsim::BoxSimulator& box_;
    QLabel* state_ = nullptr;
    QPushButton* cable_ = nullptr;
    QPushButton* power_ = nullptr;
    QDoubleSpinBox* noiseValues_[2] = {nullptr, nullptr}; // A, B
    QTimer stateTimer_;
    bool cableUnplugged_ = false;
};
