#pragma once
// CSignalViewDlg: the signal view window.
//
// The "Signal view": for each head (YE left, WH right, as the bars stand) the
// two channel values against each other, scaled so that the radius reads as
// the amplitude in percent, with the fit's figures under it; below, both
// amplitudes over the last 60 s. A modeless window that its owner feeds, on
// the user-interface thread:
//
//     view_ = new CSignalViewDlg(this);
//     view_->show();
//     ... in the device-event handler, on every position event (code 0; the
//     reader thread waits, so the readings may be read directly):
//         view_->addSample(signalSampleFrom(deviceReadings, seconds));
//
// On the two-letter box the channel values are those of the position line
// just parsed and the amplitudes those of the line before (they follow the
// position event), which a one-minute trend does not mind. The older box
// sends its channel values on lines of their own, one channel at a time: its
// figure means something only while the shaft turns very slowly.
//
// addSample only stores; the window repaints from a single-shot timer at most
// ten times a second, and not at all while nothing arrives. Closing hides it.

#include "signalview/SignalView.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QTimer>

class AmplitudeStrip;
class LissajousPlot;
class QLabel;
class QPushButton;

class CSignalViewDlg : public QDialog {
    Q_OBJECT
public:
    enum Id {
        kClose = 1,
        kClear = 1101,
        kYellowPlot = 1102,
        kWhitePlot = 1103,
        kYellowFigures = 1104,
        kWhiteFigures = 1105,
        kTrend = 1106,
        kYellowCaption = 1107,
        kWhiteCaption = 1108,
        kTrendCaption = 1109,
    };
    // Shortest time between two repaints.
    static constexpr int kRepaintMs = 100;

    explicit CSignalViewDlg(QWidget* owner = nullptr);

    // One position line's values; cheap, the drawing follows from the timer.
    void addSample(const SignalSample& s);
    // Forgets every point and the trend (the "Clear" button).
    void clear();

    const SignalView& view() const { return view_; }
    // True while a repaint is due.
    bool repaintPending() const { return timer_.isActive(); }
    // The fit's figures and the plots brought up to date now (what the timer does).
    void refresh();
    // Captions in the current language.
    void refreshCaptions();

    // The figures under a head's plot, as shown ("" parts when no fit).
    static QString figuresText(const std::optional<HeadFit>& fit, const SignalTrace& trace);

private:
    SignalView view_;
    DialogTemplate template_;
    QTimer timer_;
    LissajousPlot* plots_[2] = {};
    QLabel* figures_[2] = {};
    QLabel* captions_[2] = {};
    QLabel* trendCaption_ = nullptr;
    AmplitudeStrip* strip_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
