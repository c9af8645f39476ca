#pragma once
// The noise measurement's part of the main window: the bars of control 1033
// (or the one-letter dialect's "Wait" countdown), the icon of the toggle
// button 1034 and the value in control 1036. The rules are NoiseMeasurement's;
// this widget takes the place of control 1033 and keeps the two other
// controls in step with them.
//
// Its requests go through the box-request door its owner hands it (the main
// window's acquisition core). Wiring in the main window (user-interface
// thread):
//
//     auto* noise = new NoiseDisplay(linkControl,
//                                    interferenceRequestsThrough(core.requests()), this);
//     noise->setGeometry(controls.noiseArea->geometry());   // replaces 1033
//     noise->setObjectName(controls.noiseArea->objectName());
//     delete controls.noiseArea; controls.noiseArea = noise;
//     noise->attach(controls.noiseButton, controls.noiseValue);  // button 1034 -> toggleNoise
//     // 200 ms timer:                          noise->tick();
//     // device event 8, not recording:  param 0: noise->stopForm();
//     //                          else, if noise->running(): noise->showNoise(A / 10, B / 10);
//     // no-data notice, if noise->running():   noise->toggleNoise(false);

#include "display/NoiseMeasurement.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QLabel;
struct LinkControl;

class NoiseDisplay : public QWidget {
    Q_OBJECT
public:
    // `requests` lead to the box-request door (interferenceRequestsThrough).
    NoiseDisplay(LinkControl& link, InterferenceRequests requests, QWidget* parent = nullptr);

    // The toggle button 1034 (its clicks run toggleNoise) and the value field
    // 1036. Either may be null (then only this area is drawn).
    void attach(QAbstractButton* button, QLabel* valueField);

    // The button's handler: the button now shows `pressed`. A release posts
    // the stop form (unless a data recording runs, which suppresses it).
    void toggleNoise(bool pressed);

    // An interference value pair (the box's values divided by 10).
    void showNoise(double a, double b);

    // The stop form of the interference notification: bars cleared, area
    // hidden, value field empty.
    void stopForm();

    // The main window's 200 ms timer tick.
    void tick();

    // Button 1034 is pressed in: the measurement runs.
    bool running() const { return noise_.view().buttonPressed; }
    const NoiseMeasurement& measurement() const { return noise_; }

    static QColor paintColour(NoisePaint paint, int depth);

    // The measurement stopped by itself: `why` is shown in a notice beside
    // the main window and handed here too (the event log), once per stop,
    // after the device event that caused it.
    std::function<void(NoiseStop why)> stoppedByItself;
    // The notice of the last such stop while it is open.
    QWidget* stopNotice() const { return stopNotice_; }
    // The notice's text for `why` in the current language.
    static QString stopText(NoiseStop why);

    // The countdown's font: the window's, made smaller where the longest
    // countdown would not fit the area (a long word such as "Attendere").
    QFont areaFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void apply();
    void postStopForm();
    void reportSelfStop();

    LinkControl& link_;
    NoiseMeasurement noise_;
    QPointer<QAbstractButton> button_;
    QPointer<QLabel> valueField_;
    bool iconSet_ = false;
    NoiseIcon shownIcon_ = NoiseIcon::Idle;
    NoiseView shown_;
    QPointer<QWidget> stopNotice_;
};
