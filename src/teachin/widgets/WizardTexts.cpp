#include "teachin/widgets/WizardTexts.h"

#include "config/TeachInRows.h"
#include "config/TeachInStepRows.h"
#include "config/Texts.h"
#include "display/TextFormat.h"
#include "teachin/AmplitudeChecks.h"

namespace {

std::string row(int r) {
    return text(TextTable::TeachIn, r);
}

} // namespace

std::optional<Art> advicePicture(const WizardPicture& p) {
    if (p.step < 0 || p.step > 4 || p.finished())
        return std::nullopt;
    if (p.step <= 1) {
        const bool ye = p.step == 0;
        const double amplitude = ye ? p.amplitudeYE : p.amplitudeWH;
        if (amplitude < 0) // none has arrived yet
            return std::nullopt;
        const bool bright = p.blinkOn;
        switch (shimAdvice(amplitude)) {
        case ShimAdvice::RemoveShims:
            if (ye)
                return bright ? Art::WizardYeCloserBright : Art::WizardYeCloserDark;
            return bright ? Art::WizardWhCloserBright : Art::WizardWhCloserDark;
        case ShimAdvice::AddShims:
            if (ye)
                return bright ? Art::WizardYeAwayBright : Art::WizardYeAwayDark;
            return bright ? Art::WizardWhAwayBright : Art::WizardWhAwayDark;
        case ShimAdvice::DistanceOk:
            break;
        }
        return ye ? Art::WizardYeOk : Art::WizardWhOk;
    }
    if (p.stepSatisfied)
        return Art::WizardRotateDone;
    return !p.blinkOn || p.boxBusy ? Art::WizardRotateDark : Art::WizardRotateBright;
}

std::string adviceText(const WizardPicture& p) {
    const double amplitude = p.step == 0 ? p.amplitudeYE : p.amplitudeWH;
    if ((p.step != 0 && p.step != 1) || amplitude < 0)
        return {};
    return shimAdviceText(amplitude);
}

HeaderContent headerContent(const WizardPicture& p) {
    if (p.step == -2)
        return HeaderContent::Nothing;
    if (p.step < 0 || p.noData)
        return HeaderContent::Searching;
    return HeaderContent::Box;
}

std::string searchText(int comPort) {
    return row(teachinrow::kSearching) + formatText("          COM%i", comPort);
}

int stepTextRow(const WizardPicture& p) {
    if (p.step < 0 || p.step >= p.stepCount || p.step > 4)
        return -1;
    if (p.step == p.stepCount - 1 && p.stepSatisfied)
        return teachinsteprow::kDone;
    return teachinsteprow::kStep1 + p.step;
}
