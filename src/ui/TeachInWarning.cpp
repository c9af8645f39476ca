#include "ui/TeachInWarning.h"

#include "ui/MessageWindow.h"
#include "ui/UiText.h"

void setTeachInWarning(CMessageWindow& window) {
    window.setContent(uiText(TextTable::TeachIn, kTeachInTitleRow),
                      uiText(TextTable::MainWindow, 0) + QStringLiteral("\n\n") +
                          uiText(TextTable::MainWindow, 1),
                      uiText(TextTable::YesNo, 0), uiText(TextTable::YesNo, 1));
}
