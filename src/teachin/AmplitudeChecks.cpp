#include "teachin/AmplitudeChecks.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "display/TextFormat.h"

#include <cmath>

namespace {

constexpr double kAcceptLow = 45.0;
constexpr double kAcceptHigh = 80.0;
constexpr double kAdviceLow = 55.0;
constexpr double kAdviceHigh = 75.0;
constexpr double kAdviceTarget = 65.0;
constexpr double kNoThicknessBelow = 10.0;
constexpr int kTravelLow = 28;
constexpr int kTravelHigh = 95;
constexpr int kClosingLow = 30;
constexpr int kClosingHigh = 90;
constexpr double kOptimumLow = 30.0;
constexpr double kOptimumHigh = 90.0;

} // namespace

bool distanceAcceptable(double amplitude) {
    return amplitude >= kAcceptLow && amplitude <= kAcceptHigh;
}

ShimAdvice shimAdvice(double amplitude) {
    if (amplitude < kAdviceLow) {
        return ShimAdvice::RemoveShims;
    }
    if (amplitude > kAdviceHigh) {
        return ShimAdvice::AddShims;
    }
    return ShimAdvice::DistanceOk;
}

double shimThickness(double amplitude) {
    return (1.0 + std::trunc(std::fabs(kAdviceTarget - amplitude) / 20.0)) * 0.025;
}

std::string shimAdviceText(double amplitude) {
    const ShimAdvice advice = shimAdvice(amplitude);
    if (advice == ShimAdvice::DistanceOk) {
        return text(TextTable::TeachIn, teachinrow::kDistanceOk);
    }
    if (advice == ShimAdvice::RemoveShims && amplitude < kNoThicknessBelow) {
        return text(TextTable::TeachIn, teachinrow::kReduceDistance);
    }
    return text(TextTable::TeachIn, teachinrow::kApprox) +
           formatText(" %.3lfmm\n", shimThickness(amplitude)) +
           text(TextTable::TeachIn, advice == ShimAdvice::RemoveShims ? teachinrow::kRemoveShims
                                                                      : teachinrow::kAddShims);
}

int truncatedPercent(double amplitude) {
    constexpr double kLimit = 1e6;
    if (std::isnan(amplitude)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::fmax(-kLimit, std::fmin(kLimit, amplitude))));
}

void widenExtremes(int& min, int& max, double amplitude) {
    const int value = truncatedPercent(amplitude);
    if (amplitude > max) {
        max = value;
    }
    if (amplitude < min) {
        min = value;
    }
}

bool travelFailed(int min, int max) {
    return min < kTravelLow || max > kTravelHigh;
}

bool outsideOptimum(double amplitude) {
    return amplitude < kOptimumLow || amplitude > kOptimumHigh;
}

ClosingFinding closingAmplitudeTest(const AmplitudeExtremes& e, bool yeOk, bool whOk) {
    ClosingFinding finding;
    const bool yeBoth = e.yeMin < kClosingLow && e.yeMax > kClosingHigh;
    const bool whBoth = e.whMin < kClosingLow && e.whMax > kClosingHigh;
    if (yeBoth || whBoth) {
        finding.text = text(TextTable::TeachIn, teachinrow::kWasherNotCentred);
        finding.step = 0;
        return finding;
    }
    finding.text = text(TextTable::TeachIn, teachinrow::kReadjust);
    const struct {
        bool applies;
        int row;
    } items[] = {
        {e.yeMin < kClosingLow, teachinrow::kYeLow},
        {e.yeMax > kClosingHigh, teachinrow::kYeHigh},
        {e.whMin < kClosingLow, teachinrow::kWhLow},
        {e.whMax > kClosingHigh, teachinrow::kWhHigh},
    };
    for (const auto& item : items) {
        if (item.applies) {
            finding.text += text(TextTable::TeachIn, item.row);
        }
    }
    finding.step = !yeOk ? 0 : (!whOk ? 1 : 0);
    return finding;
}
