#include "signalview/SignalView.h"

SignalView::SignalView() : traces_{SignalTrace(kTracePoints), SignalTrace(kTracePoints)} {}

void SignalView::addSample(const SignalSample& s) {
    for (Head h : {Head::YE, Head::WH}) {
        const int i = static_cast<int>(h);
        const int c = headFirstChannel(h);
        const double a = s.channelValues[c];
        const double b = s.channelValues[c + 1];
        if (haveLast_[i] && a == lastA_[i] && b == lastB_[i]) {
            continue;
        }
        const std::optional<SignalPoint> p =
            signalPoint(a, b, s.dacOffsets[c], s.dacOffsets[c + 1]);
        if (!p) {
            continue;
        }
        haveLast_[i] = true;
        lastA_[i] = a;
        lastB_[i] = b;
        traces_[i].add(*p);
        fitStale_[i] = true;
    }
    history_.add({s.time, s.amplitudeYE, s.amplitudeWH});
    ++samples_;
}

void SignalView::clear() {
    for (int i = 0; i < 2; ++i) {
        traces_[i].clear();
        fits_[i].reset();
        fitStale_[i] = false;
        haveLast_[i] = false;
    }
    history_.clear();
    samples_ = 0;
}

const std::optional<HeadFit>& SignalView::fit(Head h) const {
    const int i = static_cast<int>(h);
    if (fitStale_[i]) {
        fits_[i] = fitHead(traces_[i].points());
        fitStale_[i] = false;
    }
    return fits_[i];
}
