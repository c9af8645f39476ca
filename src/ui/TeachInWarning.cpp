#include "ui/TeachInWarning.h"

#include "config/MainWindowRows.h"
#include "config/TeachInRows.h"
#include "config/YesNoRows.h"
#include "ui/MessageWindow.h"
#include "ui/UiText.h"

void setTeachInWarning(CMessageWindow& window) {
    window.setContent(uiText(TextTable::TeachIn, teachinrow::kTitle),
                      uiText(TextTable::MainWindow, mainwindowrow::kRepeatTeachInWarning) +
                          QStringLiteral("\n\n") +
                          uiText(TextTable::MainWindow, mainwindowrow::kRepeatTeachInQuestion),
                      uiText(TextTable::YesNo, yesnorow::kYes),
                      uiText(TextTable::YesNo, yesnorow::kNo));
}
