#include "ui/TeachInWarning.h"

#include "config/Texts.h"
#include "ui/MessageWindow.h"

void setTeachInWarning(CMessageWindow& window) {
    auto t = [](TextTable table, int row) { return QString::fromUtf8(text(table, row)); };
    window.setContent(t(TextTable::TeachIn, kTeachInTitleRow),
                      t(TextTable::MainWindow, 0) + QStringLiteral("\n\n") +
                          t(TextTable::MainWindow, 1),
                      t(TextTable::YesNo, 0), t(TextTable::YesNo, 1));
}
