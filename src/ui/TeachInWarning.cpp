#include "ui/TeachInWarning.h"

#include "config/MainWindowRows.h"
#include "config/TeachInRows.h"
#include "config/YesNoRows.h"
#include "ui/DialogUnits.h"
#include "ui/MessageWindow.h"
#include "ui/UiText.h"

#include <QPushButton>

void setTeachInWarning(CMessageWindow& window) {
    window.setContent(uiText(TextTable::TeachIn, teachinrow::kTitle),
                      uiText(TextTable::MainWindow, mainwindowrow::kRepeatTeachInWarning) +
                          QStringLiteral("\n\n") +
                          uiText(TextTable::MainWindow, mainwindowrow::kRepeatTeachInQuestion),
                      uiText(TextTable::YesNo, yesnorow::kYes),
                      uiText(TextTable::YesNo, yesnorow::kNo));
}

void makeNoTheDefault(CMessageWindow& window) {
    auto* yes = window.findChild<QPushButton*>(controlName(CMessageWindow::kOk));
    auto* no = window.findChild<QPushButton*>(controlName(CMessageWindow::kCancel));
    if (yes == nullptr || no == nullptr)
        return;
    // Return presses the focused button, and "No" when the focus is elsewhere.
    yes->setAutoDefault(true);
    yes->setDefault(false);
    no->setAutoDefault(true);
    no->setDefault(true);
    no->setFocus(Qt::OtherFocusReason);
}
