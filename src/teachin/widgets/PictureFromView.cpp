#include "teachin/widgets/PictureFromView.h"

namespace {

ShownButton shown(const WizardButton& button) {
    return ShownButton{button.visible, button.enabled, button.caption.text()};
}

int redrawHints(const WizardRedraw& r) {
    int hints = 0;
    if (r.header)
        hints |= WizardPicture::kRedrawHeader;
    if (r.textArea)
        hints |= WizardPicture::kRedrawText;
    if (r.leftPanel)
        hints |= WizardPicture::kRedrawPanel;
    if (r.advice)
        hints |= WizardPicture::kRedrawAdvice;
    if (r.barRegion || r.bars)
        hints |= WizardPicture::kRedrawBars;
    if (r.window)
        hints |= WizardPicture::kRedrawWindow;
    return hints;
}

} // namespace

WizardPicture pictureFromView(const WizardView& view, const WizardRedraw& redraw,
                              const WizardInputs& inputs, double amplitudeYE, double amplitudeWH) {
    WizardPicture p;
    p.step = view.step;
    p.stepCount = view.stepCount;
    p.comPort = view.comPort;
    p.noData = inputs.noData;
    p.boxTypeText = inputs.boxTypeText;
    p.amplitudeYE = amplitudeYE;
    p.amplitudeWH = amplitudeWH;
    p.travelRunning = view.travelStarted;
    p.yeMin = view.extremes.yeMin;
    p.yeMax = view.extremes.yeMax;
    p.whMin = view.extremes.whMin;
    p.whMax = view.extremes.whMax;
    p.failure = view.failure;
    p.stepSatisfied = view.stepSatisfied;
    p.boxBusy = view.boxBusy;
    p.blinkOn = view.blinkPhase;
    p.positionText = view.positionText;
    p.speedText = view.speedText;
    p.tooFast = view.tooFast;
    p.result = view.result;
    p.cancel = shown(view.cancel);
    p.ok = shown(view.ok);
    p.back = shown(view.back);
    p.next = shown(view.next);
    p.help = shown(view.help);
    p.nextFocused = view.nextTakesFocus;
    p.redraw = redrawHints(redraw);
    return p;
}
