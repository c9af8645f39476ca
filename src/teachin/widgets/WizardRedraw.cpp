#include "teachin/widgets/WizardRedraw.h"

#include "teachin/widgets/WizardBarPair.h"
#include "teachin/widgets/WizardTexts.h"

namespace {

int hintedAreas(int redraw) {
    using namespace wizardarea;
    int areas = 0;
    if (redraw & WizardPicture::kRedrawHeader)
        areas |= kTitle | kBoxLine | kStepText;
    if (redraw & WizardPicture::kRedrawText)
        areas |= kStepText | kAdviceText;
    if (redraw & WizardPicture::kRedrawPanel)
        areas |= kTitle | kBoxLine | kStepText | kAdvicePicture | kAdviceText;
    if (redraw & WizardPicture::kRedrawAdvice)
        areas |= kAdvicePicture | kAdviceText;
    if (redraw & WizardPicture::kRedrawBars)
        areas |= kBars;
    if (redraw & WizardPicture::kRedrawWindow)
        areas |= kWindow;
    return areas;
}

} // namespace

int staleAreas(const WizardPicture& a, const WizardPicture& b) {
    using namespace wizardarea;
    int areas = hintedAreas(b.redraw);
    if (a.finished() != b.finished() || (b.finished() && a.result != b.result))
        return areas | kWindow;
    if (a.step != b.step || a.stepCount != b.stepCount)
        areas |= kTitle | kBoxLine | kStepText | kAdvicePicture | kAdviceText | kBars;
    if (headerContent(a) != headerContent(b) || a.boxTypeText != b.boxTypeText)
        areas |= kBoxLine | kStepText;
    // The search text blinks.
    if (headerContent(b) == HeaderContent::Searching &&
        (a.blinkOn != b.blinkOn || a.comPort != b.comPort))
        areas |= kBoxLine;
    if (stepTextRow(a) != stepTextRow(b))
        areas |= kStepText;
    if (a.blinkOn != b.blinkOn || a.stepSatisfied != b.stepSatisfied || a.boxBusy != b.boxBusy)
        areas |= kAdvicePicture;
    if (a.positionText != b.positionText || a.speedText != b.speedText || a.tooFast != b.tooFast)
        areas |= kAdviceText;
    if (WizardBarPair::stripsShown(a) != WizardBarPair::stripsShown(b) ||
        WizardBarPair::markersShown(a) != WizardBarPair::markersShown(b) ||
        (WizardBarPair::stripsShown(b) &&
         (a.yeMin != b.yeMin || a.yeMax != b.yeMax || a.whMin != b.whMin || a.whMax != b.whMax)))
        areas |= kBars;
    return areas;
}
