#include "display/NoiseMeasurement.h"

#include "config/MainWindowRows.h"
#include "config/Texts.h"
#include "device/LinkControl.h"
#include "display/TextFormat.h"

#include <algorithm>
#include <utility>

NoiseMeasurement::NoiseMeasurement(LinkControl& link, InterferenceRequests requests)
    : link_(link), requests_(std::move(requests)) {}

bool NoiseMeasurement::toggleNoise(bool pressed) {
    view_.valueText.clear();
    if (link_.noData.load() || link_.boxStarting.load()) {
        // No box to measure: the button springs back.
        if (view_.buttonPressed && link_.noData.load())
            selfStop_ = NoiseStop::NoData;
        setPressed(false);
        showNoise(0.0, 0.0);
        return false;
    }
    if (pressed) {
        setPressed(true);
        noiseCount_ = 0;
        view_.areaVisible = true;
        showNoise(0.0, 0.0);
        requests_.request();
        return false;
    }
    setPressed(false);
    view_.icon = NoiseIcon::Idle;
    return true;
}

namespace {

// "Wait" with two dots for each step still to come.
std::string waitText(int count) {
    std::string wait = text(TextTable::MainWindow, mainwindowrow::kWait);
    for (int i = count; i < 3; ++i)
        wait += "..";
    return wait;
}

} // namespace

std::string NoiseMeasurement::longestWaitText() {
    return waitText(0);
}

bool NoiseMeasurement::showNoise(double a, double b) {
    if (link_.newProtocol.load()) {
        // The box's values are hundredths.
        a /= 10.0;
        b /= 10.0;
    } else if (view_.buttonPressed) {
        // The one-letter box measures once per request: ask again once the
        // last request went out and the countdown has run, and show the
        // countdown until then. (Once the measurement has stopped, a clear
        // asks the box for nothing.)
        const bool requestSent = !requests_.slotTaken();
        if (requestSent && noiseCount_ == 4) {
            view_.areaText.clear();
            noiseCount_ = 5;
            requests_.request();
        } else if (requestSent && noiseCount_ > 8) {
            noiseCount_ = 5;
            requests_.request();
        } else {
            if (noiseCount_ < 4)
                view_.areaText = waitText(noiseCount_);
            return false;
        }
    }

    const double m = std::max(a, b);
    std::string valueText;
    NoisePaint paint = NoisePaint::Grey;
    if (!(m > 0.0)) {
        a = b = 0.0;
        noiseOverCount_ = 0;
    } else {
        valueText = formatText("%.1lf ", m);
        NoiseIcon icon = NoiseIcon::Red;
        if (m <= 1.5) {
            paint = NoisePaint::LightGreen;
            icon = NoiseIcon::Green;
            noiseOverCount_ = 0;
        } else if (m <= 2.0) {
            paint = NoisePaint::LightYellow;
            icon = NoiseIcon::Yellow;
            noiseOverCount_ = 0;
        } else if (m < kOverLimit) {
            paint = NoisePaint::LightRed;
            noiseOverCount_ = 0;
        } else {
            if (++noiseOverCount_ >= 2) {
                // Too much interference to be worth measuring: stop.
                noiseOverCount_ = 0;
                selfStop_ = NoiseStop::TooMuchInterference;
                return toggleNoise(false);
            }
            paint = NoisePaint::LightRed;
        }
        view_.icon = icon;
    }

    view_.a = a;
    view_.b = b;
    view_.paint = paint;
    view_.barsDrawn = true;
    if (!valueText.empty() && view_.valueText.substr(0, 8).find(valueText) == std::string::npos)
        view_.valueText = valueText;
    return false;
}

void NoiseMeasurement::setPressed(bool pressed) {
    view_.buttonPressed = pressed;
    link_.noiseButtonPressed.store(pressed);
}

void NoiseMeasurement::stop() {
    showNoise(0.0, 0.0);
    view_.areaVisible = false;
    view_.valueText.clear();
}

const char* noiseStopLogText(NoiseStop why) {
    switch (why) {
    case NoiseStop::TooMuchInterference:
        return "noise measurement stopped: interference of 20 or more twice in a row";
    case NoiseStop::NoData:
        return "noise measurement stopped: no data from the box";
    case NoiseStop::None:
        break;
    }
    return "noise measurement stopped";
}

NoiseStop NoiseMeasurement::takeSelfStop() {
    const NoiseStop why = selfStop_;
    selfStop_ = NoiseStop::None;
    return why;
}

void NoiseMeasurement::tick() {
    if (view_.buttonPressed) {
        ++noiseCount_;
        return;
    }
    if (view_.icon != NoiseIcon::Idle) {
        view_.areaVisible = false;
        view_.icon = NoiseIcon::Idle;
        view_.valueText.clear();
    }
}

QRect NoiseMeasurement::barArea(const QRect& control) {
    const int quarter = control.height() / 4;
    return QRect(control.left(), control.top() + quarter, control.width(),
                 control.height() - 2 * quarter);
}

int NoiseMeasurement::barLength(int width, double value) {
    const double length = width * value / kFullScale;
    if (!(length >= 0.0) || length > width)
        return width;
    return static_cast<int>(length);
}

QRect NoiseMeasurement::upperHalf(const QRect& area) {
    return QRect(area.left(), area.top(), area.width(), area.height() / 2);
}

QRect NoiseMeasurement::lowerHalf(const QRect& area) {
    const int upper = area.height() / 2;
    return QRect(area.left(), area.top() + upper, area.width(), area.height() - upper);
}

std::vector<int> NoiseMeasurement::tickPositions(const QRect& area) {
    const int left = area.left();
    const int w = area.width();
    return {left, left + w / 3, left + w / 2, left + 2 * w / 3, left + w - 1};
}
