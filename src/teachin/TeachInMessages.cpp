#include "teachin/TeachInMessages.h"

#include "config/Texts.h"

#include <cstring>

namespace {

// Rows of the teach-in text table.
constexpr int kRowDeleteParameters = 0;
constexpr int kRowDistanceCauses = 3; // followed by the five causes 4..8
constexpr int kRowFirstCause = 4;
constexpr int kRowLastCause = 8;
constexpr int kRowCentring = 9; // 9 and 10
constexpr int kRowEncoding = 11;
constexpr int kRowOptimum = 12;
constexpr int kRowStep3Help = 13; // 13..15 STEP 3 to STEP 5
constexpr int kRowFailedExit = 39;
constexpr int kRowNotReady = 40;
constexpr int kRowSuccessExit = 41;
constexpr int kRowAssigned = 42;
constexpr int kRowNotDone = 43;
constexpr int kRowNotUpdated = 44;
constexpr int kRowTitle = 46;
constexpr int kRowInfo = 53;

// Rows of other tables.
constexpr int kMainRepeatWarning = 0;
constexpr int kMainRepeatQuestion = 1;
constexpr int kMainPlugIn = 14;
constexpr int kStatusError = 1;
constexpr int kStatusNoReference = 42;
constexpr int kStatusNoAbsolute = 43;
constexpr int kSetupOk = 2;
constexpr int kSetupCancel = 5;
// The program's name, the caption of the optimum-range question.
constexpr const char* kApplicationName = "ORVATIX";

std::string teachIn(int row) {
    return text(TextTable::TeachIn, row);
}

WizardMessage message(WizardMessageKind kind, std::string caption, std::string body,
                      MessageIcon icon, MessageButtons buttons) {
    WizardMessage m;
    m.kind = kind;
    m.caption = std::move(caption);
    m.text = std::move(body);
    m.icon = icon;
    m.buttons = buttons;
    switch (buttons) {
    case MessageButtons::Ok:
        m.acceptButton = text(TextTable::Setup, kSetupOk);
        break;
    case MessageButtons::OkCancel:
        m.acceptButton = text(TextTable::Setup, kSetupOk);
        m.rejectButton = text(TextTable::Setup, kSetupCancel);
        break;
    case MessageButtons::YesNo:
        m.acceptButton = text(TextTable::YesNo, 0);
        m.rejectButton = text(TextTable::YesNo, 1);
        break;
    }
    return m;
}

} // namespace

std::string Caption::text() const {
    return teachInRow >= 0 ? ::text(TextTable::TeachIn, teachInRow) : std::string(literal);
}

bool Caption::operator==(const Caption& other) const {
    return teachInRow == other.teachInRow &&
           (teachInRow >= 0 || std::strcmp(literal, other.literal) == 0);
}

WizardMessage plugInMessage() {
    return message(WizardMessageKind::PlugInSensors, teachIn(kRowTitle),
                   text(TextTable::MainWindow, kMainPlugIn) + std::string("\n"),
                   MessageIcon::Exclamation, MessageButtons::OkCancel);
}

WizardMessage repeatWarningMessage() {
    return message(WizardMessageKind::RepeatWarning, teachIn(kRowTitle),
                   text(TextTable::MainWindow, kMainRepeatWarning) + std::string("\n\n") +
                       text(TextTable::MainWindow, kMainRepeatQuestion),
                   MessageIcon::Exclamation, MessageButtons::YesNo);
}

WizardMessage closingFailureMessage(WizardMessageKind kind) {
    const int row = kind == WizardMessageKind::NoAbsolute ? kStatusNoAbsolute : kStatusNoReference;
    return message(kind, text(TextTable::StatusMessages, kStatusError),
                   text(TextTable::StatusMessages, row), MessageIcon::Stop, MessageButtons::Ok);
}

WizardMessage amplitudeFailureMessage(const std::string& body) {
    return message(WizardMessageKind::AmplitudeFailure,
                   text(TextTable::StatusMessages, kStatusError), body, MessageIcon::Exclamation,
                   MessageButtons::Ok);
}

WizardMessage optimumRangeMessage() {
    return message(WizardMessageKind::OptimumRange, kApplicationName, teachIn(kRowOptimum),
                   MessageIcon::Information, MessageButtons::YesNo);
}

std::string helpText(int step) {
    switch (step) {
    case 0:
    case 1: {
        std::string out = teachIn(kRowDistanceCauses);
        for (int row = kRowFirstCause; row <= kRowLastCause; ++row) {
            out += teachIn(row);
        }
        return out;
    }
    case 2:
        return teachIn(kRowStep3Help) + teachIn(kRowCentring) + teachIn(kRowCentring + 1) +
               teachIn(kRowEncoding);
    case 3:
    case 4:
        return teachIn(kRowStep3Help + step - 2);
    case -3:
    case -2:
    case -1:
        return teachIn(kRowDeleteParameters);
    default:
        return {};
    }
}

WizardMessage helpMessage(int step) {
    return message(WizardMessageKind::Help, teachIn(kRowInfo), helpText(step),
                   MessageIcon::Information, MessageButtons::Ok);
}

WizardMessage resultMessage(WizardResult result) {
    switch (result) {
    case WizardResult::Success:
        return message(WizardMessageKind::ResultSuccess, teachIn(kRowTitle),
                       teachIn(kRowSuccessExit) + "\n\n" + teachIn(kRowAssigned),
                       MessageIcon::Information, MessageButtons::Ok);
    case WizardResult::NotDone:
        return message(WizardMessageKind::ResultNotDone, teachIn(kRowTitle),
                       teachIn(kRowNotDone) + "\n\n" + teachIn(kRowNotUpdated),
                       MessageIcon::Exclamation, MessageButtons::Ok);
    case WizardResult::Failed:
        break;
    }
    return message(WizardMessageKind::ResultFailed, teachIn(kRowTitle),
                   teachIn(kRowFailedExit) + "\n\n" + teachIn(kRowNotReady), MessageIcon::Stop,
                   MessageButtons::Ok);
}
