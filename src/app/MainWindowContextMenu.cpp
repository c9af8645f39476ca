#include "app/MainWindowContextMenu.h"

#include "app/CORVATIXDlg.h"
#include "app/ProgramVersion.h"
#include "app/SerialPortMenu.h"
#include "config/EvaluationRows.h"
#include "config/MenuRows.h"
#include "config/SignalViewRows.h"
#include "config/Texts.h"
#include "ui/Artwork.h"

#include <QMenu>
#include <QMessageBox>

#include <utility>

namespace {

QString menuText(TextTable table, int row) {
    return QString::fromStdString(text(table, row));
}

QString commandName(int id) {
    return QString::number(id);
}

// A tick before an open window only: an empty box before a closed one reads
// like a setting that can be ticked.
void tickWhenOpen(QAction* action, bool open) {
    action->setCheckable(open);
    action->setChecked(open);
}

} // namespace

void fillMainWindowContextMenu(CORVATIXDlg& window, AcquisitionCore& core, QMenu& menu) {
    QAction* extended = menu.addAction(menuText(TextTable::Menu, menurow::kExtendedDisplay));
    QAction* list = menu.addAction(menuText(TextTable::Menu, menurow::kStatusList));
    QAction* info = menu.addAction(menuText(TextTable::Menu, menurow::kInfo));
    extended->setObjectName(commandName(CORVATIXDlg::kMenuExtendedDisplay));
    list->setObjectName(commandName(CORVATIXDlg::kMenuStatusList));
    info->setObjectName(commandName(CORVATIXDlg::kMenuInfo));
    tickWhenOpen(extended, window.extendedDisplay() != nullptr);
    tickWhenOpen(list, window.statusListWindow() != nullptr);
    QObject::connect(extended, &QAction::triggered, &window, &CORVATIXDlg::toggleExtendedDisplay);
    QObject::connect(list, &QAction::triggered, &window, &CORVATIXDlg::toggleStatusList);
    QObject::connect(info, &QAction::triggered, &window, &CORVATIXDlg::showAboutBox);

    if (window.recorderFlow() != nullptr) {
        QAction* open =
            menu.addAction(menuText(TextTable::Evaluation, evaluationrow::kOpenFilesTitle));
        open->setObjectName(QStringLiteral("openRecording"));
        QObject::connect(open, &QAction::triggered, &window, [&window] {
            if (RecorderFlow* recorder = window.recorderFlow())
                recorder->openRecordingFile();
        });
    }
    QAction* signal = menu.addAction(menuText(TextTable::SignalView, signalviewrow::kTitle));
    signal->setObjectName(QStringLiteral("signalView"));
    tickWhenOpen(signal, window.signalViewOpen());
    QObject::connect(signal, &QAction::triggered, &window, &CORVATIXDlg::toggleSignalView);
    addSerialPortMenu(menu, core.search(), core.ports());
}

void openMainWindowContextMenu(CORVATIXDlg& window, AcquisitionCore& core,
                               const QPoint& globalPos) {
    QMenu menu(&window);
    fillMainWindowContextMenu(window, core, menu);
    const QSize hint = menu.sizeHint();
    menu.exec(globalPos - QPoint(hint.width() / 2, hint.height() / 2));
}

void showMainWindowAboutBox(CORVATIXDlg& window) {
    QMessageBox about(&window);
    about.setObjectName(QString::number(CORVATIXDlg::kAboutBox));
    about.setWindowTitle(QStringLiteral("ORVATIX"));
    about.setIconPixmap(artPixmap(Art::ProgramIcon, QSize(48, 48), window.devicePixelRatioF()));
    about.setText(QStringLiteral("ORVATIX Version %1").arg(QString::fromUtf8(kProgramVersion)));
    about.setStandardButtons(QMessageBox::Ok);
    about.exec();
}
