#include "app/ReferenceIndicator.h"

#include <cmath>
#include <utility>

ReferenceIndicator::ReferenceIndicator(Clock clock) : clock_(std::move(clock)) {}

bool ReferenceIndicator::lightsAt(std::string_view boxTypeText, bool absolutePositionMode,
                                  double displayAngle) {
    if (boxTypeText.find("1Ref") == std::string_view::npos)
        return true;
    const double magnitude = std::fabs(displayAngle);
    return absolutePositionMode && (magnitude < 7.0 || magnitude > 353.0);
}

// The indicator time starts with the first device event, so the first
// expiry after start compares against a real moment, not against zero.
void ReferenceIndicator::startClock() {
    if (!clockStarted_) {
        clockStarted_ = true;
        eventTime_ = clock_();
    }
}

void ReferenceIndicator::referenceFound(std::string_view boxTypeText, bool absolutePositionMode,
                                        double displayAngle) {
    startClock();
    if (image_ != Image::Found && lightsAt(boxTypeText, absolutePositionMode, displayAngle))
        image_ = Image::Found;
    eventTime_ = clock_();
}

void ReferenceIndicator::referencePassed(std::string_view boxTypeText, bool absolutePositionMode,
                                         double displayAngle) {
    startClock();
    if (image_ != Image::Idle)
        return;
    if (lightsAt(boxTypeText, absolutePositionMode, displayAngle))
        image_ = Image::Passed;
    eventTime_ = clock_();
}

ReferenceIndicator::Image ReferenceIndicator::expire() {
    startClock();
    if (clock_() - eventTime_ > kLitMs)
        image_ = Image::Idle;
    return image_;
}
