#include "teachin/TeachInMessages.h"

#include "config/MainWindowRows.h"
#include "config/SetupRows.h"
#include "config/StatusMessageRows.h"
#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "config/YesNoRows.h"

#include <cstring>

namespace {

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
        m.acceptButton = text(TextTable::Setup, setuprow::kOk);
        break;
    case MessageButtons::OkCancel:
        m.acceptButton = text(TextTable::Setup, setuprow::kOk);
        m.rejectButton = text(TextTable::Setup, setuprow::kCancel);
        break;
    case MessageButtons::YesNo:
        m.acceptButton = text(TextTable::YesNo, yesnorow::kYes);
        m.rejectButton = text(TextTable::YesNo, yesnorow::kNo);
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
    return message(WizardMessageKind::PlugInSensors, teachIn(teachinrow::kTitle),
                   text(TextTable::MainWindow, mainwindowrow::kPlugInBothSensors) +
                       std::string("\n"),
                   MessageIcon::Exclamation, MessageButtons::OkCancel);
}

WizardMessage repeatWarningMessage() {
    WizardMessage m = message(
        WizardMessageKind::RepeatWarning, teachIn(teachinrow::kTitle),
        text(TextTable::MainWindow, mainwindowrow::kRepeatTeachInWarning) + std::string("\n\n") +
            text(TextTable::MainWindow, mainwindowrow::kRepeatTeachInQuestion),
        MessageIcon::Exclamation, MessageButtons::YesNo);
    // "Yes" erases the box's teach-in: a stray Return must not.
    m.rejectIsDefault = true;
    return m;
}

WizardMessage cancelQuestionMessage() {
    WizardMessage m = message(WizardMessageKind::CancelQuestion, teachIn(teachinrow::kTitle),
                              teachIn(teachinrow::kCancelQuestion), MessageIcon::Exclamation,
                              MessageButtons::YesNo);
    // "No" goes on with the teach-in.
    m.rejectIsDefault = true;
    return m;
}

WizardMessage closingFailureMessage(WizardMessageKind kind) {
    const int row = kind == WizardMessageKind::NoAbsolute ? statusrow::kTeachInNoAbsolutePosition
                                                          : statusrow::kTeachInNoReference;
    return message(kind, text(TextTable::StatusMessages, statusrow::kError),
                   text(TextTable::StatusMessages, row), MessageIcon::Stop, MessageButtons::Ok);
}

WizardMessage amplitudeFailureMessage(const std::string& body) {
    return message(WizardMessageKind::AmplitudeFailure,
                   text(TextTable::StatusMessages, statusrow::kError), body,
                   MessageIcon::Exclamation, MessageButtons::Ok);
}

WizardMessage optimumRangeMessage() {
    return message(WizardMessageKind::OptimumRange, kApplicationName, teachIn(teachinrow::kOptimum),
                   MessageIcon::Information, MessageButtons::YesNo);
}

std::string helpText(int step) {
    switch (step) {
    case 0:
    case 1: {
        std::string out = teachIn(teachinrow::kDistanceCauses);
        for (int row = teachinrow::kFirstCause; row <= teachinrow::kLastCause; ++row) {
            out += teachIn(row);
        }
        return out;
    }
    case 2:
        return teachIn(teachinrow::kStep3Help) + teachIn(teachinrow::kCentring) +
               teachIn(teachinrow::kCentringWasher) + teachIn(teachinrow::kEncoding);
    case 3:
    case 4:
        return teachIn(teachinrow::kStep3Help + step - 2);
    case -3:
    case -2:
    case -1:
        return teachIn(teachinrow::kDeleteParameters);
    default:
        return {};
    }
}

WizardMessage helpMessage(int step) {
    return message(WizardMessageKind::Help, teachIn(teachinrow::kInfo), helpText(step),
                   MessageIcon::Information, MessageButtons::Ok);
}

WizardMessage resultMessage(WizardResult result) {
    switch (result) {
    case WizardResult::Success:
        return message(WizardMessageKind::ResultSuccess, teachIn(teachinrow::kTitle),
                       teachIn(teachinrow::kSuccessExit) + "\n\n" + teachIn(teachinrow::kAssigned),
                       MessageIcon::Information, MessageButtons::Ok);
    case WizardResult::NotDone:
        return message(WizardMessageKind::ResultNotDone, teachIn(teachinrow::kTitle),
                       teachIn(teachinrow::kNotDone) + "\n\n" + teachIn(teachinrow::kNotUpdated),
                       MessageIcon::Exclamation, MessageButtons::Ok);
    case WizardResult::Failed:
        break;
    }
    return message(WizardMessageKind::ResultFailed, teachIn(teachinrow::kTitle),
                   teachIn(teachinrow::kFailedExit) + "\n\n" + teachIn(teachinrow::kNotReady),
                   MessageIcon::Stop, MessageButtons::Ok);
}
