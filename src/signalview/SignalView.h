#pragma once
// The signal view's state without a screen: per head the last points of its
// Lissajous figure and the fit over them, and both amplitudes over the last
// minute. The window (widgets/CSignalViewDlg.h) draws it.
//
//     SignalView view;
//     view.addSample(signalSampleFrom(readings, seconds));  // per position line
//     if (auto fit = view.fit(Head::YE)) ... fit->phase ...

#include "device/Head.h"
#include "signalview/AmplitudeHistory.h"
#include "signalview/EllipseFit.h"
#include "signalview/SignalSample.h"
#include "signalview/SignalTrace.h"

#include <cstddef>
#include <optional>

class SignalView {
public:
    // Points kept and drawn per head: several turns of a slowly turned shaft.
    static constexpr std::size_t kTracePoints = 3000;

    SignalView();

    // One position line. A head whose point cannot be computed (offsets out
    // of range) or repeats the last one exactly (an older box sends its
    // channel values less often than positions) adds no point.
    void addSample(const SignalSample& s);
    void clear();

    const SignalTrace& trace(Head h) const { return traces_[static_cast<int>(h)]; }
    const AmplitudeHistory& history() const { return history_; }

    // The fit over the head's points, computed when first asked after a change.
    const std::optional<HeadFit>& fit(Head h) const;

    // Samples taken since construction or the last clear.
    std::size_t samples() const { return samples_; }

private:
    // Per head, indexed by the Head's value.
    SignalTrace traces_[2];
    AmplitudeHistory history_;
    mutable std::optional<HeadFit> fits_[2];
    mutable bool fitStale_[2] = {true, true};
    bool haveLast_[2] = {false, false};
    double lastA_[2] = {};
    double lastB_[2] = {};
    std::size_t samples_ = 0;
};
