// Gallery shots of the teach-in wizard's window at a typical maximised size:
// the start steps, STEP 1 to STEP 5 in typical states, and the three results.

#include "Gallery.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "teachin/WizardPositionTexts.h"
#include "teachin/widgets/CTeachInDlg.h"

#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

std::string teachInRow(int row) {
    return text(TextTable::TeachIn, row);
}

// The picture of a running step with the buttons as the wizard sets them.
WizardPicture stepPicture(int step, int stepCount) {
    WizardPicture p = WizardPicture::initial();
    p.step = step;
    p.stepCount = stepCount;
    p.comPort = 3;
    p.noData = false;
    p.boxTypeText = stepCount == 5 ? "ORVA 1Ref" : "ORVA";
    p.back.enabled = step >= 0;
    p.help.enabled = step >= 0;
    return p;
}

CTeachInDlg* wizard(const WizardPicture& picture, double ye, double wh) {
    auto* window = new CTeachInDlg;
    window->resize(kWidth, kHeight);
    WizardPicture p = picture;
    p.amplitudeYE = ye;
    p.amplitudeWH = wh;
    window->apply(p);
    if (ye >= 0)
        window->drawBar(Head::YE, ye);
    if (wh >= 0)
        window->drawBar(Head::WH, wh);
    return window;
}

// The travel phase of STEP 3 to STEP 5 with the extremes seen so far.
WizardPicture travelling(int step, int stepCount) {
    WizardPicture p = stepPicture(step, stepCount);
    p.travelRunning = true;
    p.yeMin = 58;
    p.yeMax = 71;
    p.whMin = 49;
    p.whMax = 63;
    p.positionText = wizardPositionText("123.4567° ");
    p.speedText = wizardSpeedText("1.85 rpm ");
    return p;
}

CTeachInDlg* finished(WizardResult result, int failure) {
    WizardPicture p = stepPicture(6, 5);
    p.failure = failure;
    p.result = result;
    p.cancel.shown = false;
    p.back.shown = false;
    p.next.shown = false;
    p.help.shown = false;
    return wizard(p, 64, 61);
}

} // namespace

ORVATIX_GALLERY_SHOT(app_teachin_searching) {
    WizardPicture p = stepPicture(-3, 0);
    p.noData = true;
    p.help.enabled = false;
    return wizard(p, -1, -1);
}

ORVATIX_GALLERY_SHOT(app_teachin_box_check) {
    WizardPicture p = stepPicture(-2, 0);
    p.cancel.enabled = false;
    return wizard(p, -1, -1);
}

ORVATIX_GALLERY_SHOT(app_teachin_box_reset) {
    return wizard(stepPicture(-1, 0), -1, -1);
}

ORVATIX_GALLERY_SHOT(app_teachin_step1_too_low) {
    WizardPicture p = stepPicture(0, 5);
    p.blinkOn = false;
    return wizard(p, 38.5, 61);
}

ORVATIX_GALLERY_SHOT(app_teachin_step1_ok) {
    WizardPicture p = stepPicture(0, 5);
    p.next = {true, true, teachInRow(teachinrow::kNext)};
    p.help.enabled = false;
    return wizard(p, 66, 61);
}

ORVATIX_GALLERY_SHOT(app_teachin_step1_travel_failed) {
    // Back from STEP 3: the yellow sensor fell below 28 % while the shaft turned.
    WizardPicture p = stepPicture(0, 5);
    p.failure = kYeRange | kTravelRange;
    p.travelRunning = true;
    p.yeMin = 24;
    p.yeMax = 52;
    p.whMin = 55;
    p.whMax = 66;
    return wizard(p, 47, 60);
}

ORVATIX_GALLERY_SHOT(app_teachin_step2_too_high) {
    return wizard(stepPicture(1, 5), 64, 88);
}

ORVATIX_GALLERY_SHOT(app_teachin_step3_turning) {
    const WizardPicture p = travelling(2, 5);
    return wizard(p, 64, 56);
}

ORVATIX_GALLERY_SHOT(app_teachin_step3_too_fast) {
    // The box reports the shaft too fast to learn from.
    WizardPicture p = travelling(2, 5);
    p.speedText = wizardSpeedText("5.12 rpm ");
    p.tooFast = true;
    return wizard(p, 64, 56);
}

ORVATIX_GALLERY_SHOT(app_teachin_step3_box_busy) {
    WizardPicture p = stepPicture(2, 4);
    p.boxBusy = true;
    return wizard(p, 62, 57);
}

ORVATIX_GALLERY_SHOT(app_teachin_step4_reference) {
    const WizardPicture p = travelling(3, 5);
    return wizard(p, 69, 50);
}

ORVATIX_GALLERY_SHOT(app_teachin_step5_satisfied) {
    WizardPicture p = travelling(4, 5);
    p.stepSatisfied = true;
    p.cancel.enabled = false;
    p.help.enabled = false;
    p.next = {true, true, teachInRow(teachinrow::kNext)};
    return wizard(p, 66, 59);
}

ORVATIX_GALLERY_SHOT(app_teachin_result_success) {
    return finished(WizardResult::Success, 0);
}

ORVATIX_GALLERY_SHOT(app_teachin_result_failure) {
    return finished(WizardResult::Failed, kCancelled);
}

ORVATIX_GALLERY_SHOT(app_teachin_result_not_done) {
    return finished(WizardResult::NotDone, kNotDone);
}
