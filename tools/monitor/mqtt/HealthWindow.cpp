#include "HealthWindow.h"

#include "JsonText.h"

#include "display/TextFormat.h"

#include <chrono>

void HealthWindow::Range::add(double v) {
    if (count == 0 || v < min)
        min = v;
    if (count == 0 || v > max)
        max = v;
    sum += v;
    ++count;
}

void HealthWindow::addSample(const PlantValues& v) {
    ++samples_;
    amplitude_[0].add(v.amplitudeWH);
    amplitude_[1].add(v.amplitudeYE);
    if (v.speedKnown)
        speed_.add(v.speedRpm);
    SignalSample s = v.signal;
    s.time = std::chrono::duration<double>(v.when.time_since_epoch()).count();
    signals_.addSample(s);
}

std::string HealthWindow::headPayload(int head, Head signalHead) const {
    const Range& a = amplitude_[head];
    std::string out = "{\"amplitude\":";
    out += a.count == 0 ? std::string("null")
                        : "{\"min\":" + jsonNumber(a.min) +
                              ",\"mean\":" + jsonNumber(a.sum / double(a.count)) +
                              ",\"max\":" + jsonNumber(a.max) + "}";
    const std::optional<HeadFit>& fit = signals_.fit(signalHead);
    out += ",\"fit\":";
    out += !fit ? std::string("null")
                : "{\"offsetA\":" + jsonNumber(fit->offsetA, 2) +
                      ",\"offsetB\":" + jsonNumber(fit->offsetB, 2) +
                      ",\"ratio\":" + jsonNumber(fit->ratio, 4) +
                      ",\"phase\":" + jsonNumber(fit->phase, 2) +
                      formatText(",\"points\":%zu}", signals_.trace(signalHead).size());
    return out + "}";
}

std::string HealthWindow::takePayload(const std::string& since, const std::string& time,
                                      double intervalS) {
    std::string out =
        "{\"time\":" + jsonString(time) + ",\"since\":" + jsonString(since) +
        ",\"interval\":" + jsonNumber(intervalS, 1) +
        formatText(",\"samples\":%zu,\"referenceMarks\":%zu,\"speed\":", samples_, marks_);
    out += speed_.count == 0
               ? std::string("null")
               : "{\"min\":" + jsonNumber(speed_.min) + ",\"max\":" + jsonNumber(speed_.max) + "}";
    out += ",\"heads\":{\"WH\":" + headPayload(0, Head::WH) +
           ",\"YE\":" + headPayload(1, Head::YE) + "}}";
    *this = HealthWindow();
    return out;
}
