#include "teachin/widgets/WizardTexts.h"

#include "config/Texts.h"
#include "display/TextFormat.h"

#include <cctype>
#include <cmath>

namespace {

std::string row(int r) {
    return text(TextTable::TeachIn, r);
}

// `given` without trailing blanks.
std::string trimmed(const std::string& given) {
    const std::size_t last = given.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : given.substr(0, last + 1);
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The number of `given` with one decimal, and where its further decimals end.
std::string shortenedNumber(const std::string& given, std::size_t* rest) {
    const std::size_t point = given.find('.');
    if (point == std::string::npos || point + 1 >= given.size()) {
        *rest = given.size();
        return given;
    }
    std::size_t end = point + 2;
    *rest = end;
    while (*rest < given.size() && isDigit(given[*rest]))
        ++*rest;
    return given.substr(0, end);
}

std::string leadingBlanksDropped(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

} // namespace

double shimThickness(double amplitude) {
    return (1 + std::trunc(std::fabs(65 - amplitude) / 20)) * 0.025;
}

ShimAdvice shimAdvice(double amplitude) {
    if (amplitude < 55) {
        if (amplitude < 10)
            return {ShimMove::Closer, row(wizardrow::kReduceDistance)};
        return {ShimMove::Closer, row(wizardrow::kApprox) +
                                      formatText(" %.3lfmm\n", shimThickness(amplitude)) +
                                      row(wizardrow::kRemoveShims)};
    }
    if (amplitude > 75) {
        return {ShimMove::Away, row(wizardrow::kApprox) +
                                    formatText(" %.3lfmm\n", shimThickness(amplitude)) +
                                    row(wizardrow::kAddShims)};
    }
    return {ShimMove::Ok, row(wizardrow::kDistanceOk)};
}

std::optional<Art> advicePicture(const WizardPicture& p, double amplitudeYE, double amplitudeWH) {
    if (p.step < 0 || p.step > 4 || p.finished())
        return std::nullopt;
    if (p.step <= 1) {
        const bool ye = p.step == 0;
        const double amplitude = ye ? amplitudeYE : amplitudeWH;
        if (amplitude < 0) // none has arrived yet
            return std::nullopt;
        const bool bright = p.blinkOn;
        switch (shimAdvice(amplitude).move) {
        case ShimMove::Closer:
            if (ye)
                return bright ? Art::WizardYeCloserBright : Art::WizardYeCloserDark;
            return bright ? Art::WizardWhCloserBright : Art::WizardWhCloserDark;
        case ShimMove::Away:
            if (ye)
                return bright ? Art::WizardYeAwayBright : Art::WizardYeAwayDark;
            return bright ? Art::WizardWhAwayBright : Art::WizardWhAwayDark;
        case ShimMove::Ok:
            break;
        }
        return ye ? Art::WizardYeOk : Art::WizardWhOk;
    }
    if (p.stepSatisfied)
        return Art::WizardRotateDone;
    return !p.blinkOn || p.boxBusy ? Art::WizardRotateDark : Art::WizardRotateBright;
}

std::string adviceText(const WizardPicture& p, double amplitudeYE, double amplitudeWH) {
    const double amplitude = p.step == 0 ? amplitudeYE : amplitudeWH;
    if ((p.step != 0 && p.step != 1) || amplitude < 0)
        return {};
    return shimAdvice(amplitude).text;
}

HeaderContent headerContent(const WizardPicture& p) {
    if (p.step == -2)
        return HeaderContent::Nothing;
    if (p.step < 0 || p.noData)
        return HeaderContent::Searching;
    return HeaderContent::Box;
}

std::string searchText(int comPort) {
    return row(wizardrow::kSearching) + formatText("          COM%i", comPort);
}

int stepTextRow(const WizardPicture& p) {
    if (p.step < 0 || p.step >= p.stepCount || p.step > 4)
        return -1;
    if (p.step == p.stepCount - 1 && p.stepSatisfied)
        return wizardrow::kDoneStep;
    return p.step;
}

std::string wizardPositionText(const std::string& given) {
    const std::string position = leadingBlanksDropped(trimmed(given));
    std::size_t rest = 0;
    const std::string number = shortenedNumber(position, &rest);
    return row(wizardrow::kPos) + number + position.substr(rest) + "    ";
}

std::string wizardSpeedText(const std::string& given) {
    const std::string speed = leadingBlanksDropped(trimmed(given));
    std::size_t rest = 0;
    std::string number = shortenedNumber(speed, &rest);
    // Only the number: the unit is in the caption.
    const std::size_t blank = number.find(' ');
    if (blank != std::string::npos)
        number.resize(blank);
    return row(wizardrow::kRpm) + ": " + number + "    ";
}

bool acceptsPositionTexts(const WizardPicture& p) {
    return p.step >= 2 && p.step <= p.stepCount;
}
