#pragma once
// The "Box simulator" panel of the demo: the simulated box's shaft, heads,
// signal errors, noise, kind, teach-in and faults at hand beside the main
// window. It only draws and forwards; the box decides.

#include "boxsim/BoxSimulator.h"
#include "config/ConfigData.h"

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
class QSpinBox;

class BoxSimulatorPanel : public QWidget {
    Q_OBJECT
public:
    // `box` must outlive the panel.
    explicit BoxSimulatorPanel(boxsim::BoxSimulator& box, QWidget* parent = nullptr);

    // The row of the panel's text table that names a teach-in phase.
    static int teachPhaseRow(boxsim::TeachPhase phase);

    // A line count near `selected`, within low..high (the rates the program
    // accepts from a box), that no row of the bearing table has: the
    // mismatch notice at one click. `selected` when there is none.
    static int32_t rateFittingNoBearing(const BearingEntry* table, int count, int32_t selected,
                                        int32_t low, int32_t high);

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
    // A real box takes a new kind or line count only when it starts: the
    // change is made while the box is switched off for a power cycle.
    void restartWith(const std::function<void()>& change);
    void toggleCable();

    boxsim::BoxSimulator& box_;
    std::vector<std::pair<int, std::function<void(const QString&)>>> captions_;
    int language_ = -1;
    QLabel* state_ = nullptr;
    QLineEdit* teachState_ = nullptr;
    QPushButton* cable_ = nullptr;
    QPushButton* power_ = nullptr;
    QDoubleSpinBox* speed_ = nullptr;
    QSpinBox* pulseRate_ = nullptr;
    QCheckBox* backwards_ = nullptr;
    QDoubleSpinBox* noiseValues_[2] = {nullptr, nullptr}; // A, B
    // Per head (Yellow, White): offset A, offset B, ratio, phase error.
    QDoubleSpinBox* signalErrors_[2][4] = {};
    QTimer stateTimer_;
    bool cableUnplugged_ = false;
};
