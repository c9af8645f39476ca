#pragma once
// Drives the teach-in wizard tick by tick against a box played by the test:
// performs the wizard's actions on the inputs the way the main window and the
// device link would (a reset of the readings empties them; a request stays
// pending until the box is said to have identified itself).

#include "teachin/TeachInWizard.h"

#include <optional>
#include <string>
#include <vector>

struct WizardRig {
    bool warnOptimum = true;
    TeachInWizard wizard{warnOptimum};
    WizardInputs in;
    std::vector<BoxRequest> requests;
    std::vector<WizardMessageKind> messages;
    std::vector<WizardAction::Kind> actions; // every action, in order
    std::optional<WizardResult> result;
    WizardUpdate last;

    // A connected box that has identified itself as `type`; blank: nothing
    // learned yet ("*" marker, no offsets, no reference).
    void connectBox(const std::string& type, bool blank) {
        in = WizardInputs{};
        in.boxTypeText = type;
        in.boxInfoText = blank ? "0*" : "0";
        in.boxInfoMarked = blank;
        in.newProtocol = true;
        in.sensorConnection = 0;
        in.amplitudeYE = 60.0;
        in.amplitudeWH = 60.0;
        in.comPort = 3;
        if (!blank) {
            in.offsetSeenYE = in.offsetSeenWH = true;
            in.refPhaseText = "1234";
        }
    }

    // The box has sent the pending request and identified itself again; it is
    // in its teach state and reports its offsets.
    void boxBack() {
        in.requestPending = false;
        in.statusRestart = false;
        in.boxStarting = false;
        in.noData = false;
        in.boxTypeText = type;
        in.boxInfoText = "0*";
        in.boxInfoMarked = true;
        in.newProtocol = true;
        in.offsetSeenYE = in.offsetSeenWH = true;
        in.errorFlags = 0;
        in.sensorConnection = 0;
    }

    // The main window's resetReadings: the readings empty, the box identifies
    // itself again.
    void resetReadings() {
        type = in.boxTypeText.empty() ? type : in.boxTypeText;
        in.boxTypeText.clear();
        in.boxInfoText.clear();
        in.boxInfoMarked = false;
        in.refPhaseText.clear();
        in.absolutePositionMode = false;
        in.detectedPulseRate = 0;
        in.newProtocol = false;
        in.statusRestart = true;
        in.boxStarting = true;
        in.offsetSeenYE = in.offsetSeenWH = false;
    }

    // The line is silent: the no-data notice resets the readings.
    void lineLost() {
        in.noData = true;
        resetReadings();
    }

    void apply(const WizardUpdate& update) {
        for (const WizardAction& a : update.actions) {
            actions.push_back(a.kind);
            switch (a.kind) {
            case WizardAction::Kind::Request:
                requests.push_back(a.request);
                in.requestPending = a.request != BoxRequest::Write;
                break;
            case WizardAction::Kind::SetStatusRestart:
                in.statusRestart = true;
                break;
            case WizardAction::Kind::ResetReadings:
                resetReadings();
                break;
            case WizardAction::Kind::ShowMessage:
                messages.push_back(a.message.kind);
                break;
            case WizardAction::Kind::Finished:
                result = a.result;
                break;
            case WizardAction::Kind::Beep:
                break;
            }
        }
        last = update;
    }

    const WizardUpdate& tick() {
        apply(wizard.tick(in));
        return last;
    }
    const WizardUpdate& next() {
        apply(wizard.next(in));
        return last;
    }
    const WizardUpdate& back() {
        apply(wizard.back());
        return last;
    }
    const WizardUpdate& cancel() {
        apply(wizard.cancel());
        return last;
    }
    const WizardUpdate& answer(bool accepted) {
        apply(wizard.answer(accepted));
        return last;
    }
    // The main window forwards the amplitudes as they arrive.
    void amplitudes(double ye, double wh) {
        in.amplitudeYE = ye;
        in.amplitudeWH = wh;
        wizard.barUpdate('Y', ye);
        wizard.barUpdate('W', wh);
    }

    int step() const { return wizard.view().step; }

    // Ticks until the step is `step` (at most `limit` ticks); false otherwise.
    bool tickUntilStep(int target, int limit = 10) {
        for (int i = 0; i < limit && step() != target; ++i) {
            tick();
        }
        return step() == target;
    }

    // From a fresh wizard on a blank box to STEP 1 (step 0).
    void startBlank(const std::string& boxType) {
        connectBox(boxType, true);
        type = boxType;
        tick(); // -3 -> -2
        tick(); // -2 -> -1: reset
        boxBack();
        tick(); // -1 -> 0
    }

    // From STEP 1 through STEP 2 into STEP 3 with good amplitudes, the box back
    // from its erase.
    void intoTravel() {
        tick();
        next();
        tick();
        next();
        boxBack();
    }

    std::string type;
};
