#pragma once
// The "Box simulator" panel of the demo: the simulated box's shaft, heads,
// signal errors, noise, kind, teach-in and faults at hand beside the main
// window. It only draws and forwards; the box decides.

#include "boxsim/BoxSimulator.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

class BoxSimulatorPanel : public QWidget {
    Q_OBJECT
public:
    // `box` must outlive the panel.
    explicit BoxSimulatorPanel(boxsim::BoxSimulator& box, QWidget* parent = nullptr);

    // Puts the panel beside `window` (right of it, or left when there is no
    // room on the screen).
    void placeBeside(const QWidget& window);

    // The row of the panel's text table that names a teach-in phase.
    static int teachPhaseRow(boxsim::TeachPhase phase);

private:
    // Shows row `row` of the panel's table through `show`, now and again
    // whenever the program's language changes.
    void caption(int row, std::function<void(const QString&)> show);
    void retranslate();
    void showState();
    void applySpeed();
    void applyNoise();
    void applySignalErrors(boxsim::Sensor sensor);
    void powerCycle();
    void toggleCable();

    boxsim::BoxSimulator& box_;
    std::vector<std::pair<int, std::function<void(const QString&)>>> captions_;
    int language_ = -1;
    QLabel* state_ = nullptr;
    QLineEdit* teachState_ = nullptr;
    QPushButton* cable_ = nullptr;
    QPushButton* power_ = nullptr;
    QDoubleSpinBox* speed_ = nullptr;
    QCheckBox* backwards_ = nullptr;
    QDoubleSpinBox* noiseValues_[2] = {nullptr, nullptr}; // A, B
    // Per head (Yellow, White): offset A, offset B, ratio, phase error.
    QDoubleSpinBox* signalErrors_[2][4] = {};
    QTimer stateTimer_;
    bool cableUnplugged_ = false;
};
