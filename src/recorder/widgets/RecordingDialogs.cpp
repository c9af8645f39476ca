#include "recorder/widgets/RecordingDialogs.h"

#include "config/EvaluationRows.h"
#include "recorder/widgets/CProtokollText.h"
#include "ui/UiText.h"

#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QMessageBox::Icon iconOf(const RecorderMessage& message) {
    return message.icon == RecorderMessage::Icon::Error ? QMessageBox::Critical
                                                        : QMessageBox::Information;
}

QString evaluationText(int row) {
    return uiText(TextTable::Evaluation, row);
}

} // namespace

QString QtRecordingDialogs::saveFileName(QWidget* parent, const QString& title,
                                         const QString& proposedName, const QString& filter) {
    // The proposed name may carry the placeholder "[Filename]": the dialog
    // shows it in the name field, as it stands.
    return QFileDialog::getSaveFileName(parent, title, QDir::fromNativeSeparators(proposedName),
                                        filter);
}

QString QtRecordingDialogs::recordingName(QWidget* parent, const QString& title,
                                          const QString& proposedName, const QString& filter) {
    // The name typed is not a file that is written: "run1.txt" becomes
    // run1_amp.txt and run1_ref.txt, which the session checks.
    return QFileDialog::getSaveFileName(parent, title, QDir::fromNativeSeparators(proposedName),
                                        filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtRecordingDialogs::recordingToOpen(QWidget* parent, const QStringList& lastFiles) {
    namespace rows = evaluationrow;
    QMenu menu(parent);
    QAction* open = menu.addAction(evaluationText(rows::kOpenFile));
    QMenu* last = menu.addMenu(evaluationText(rows::kShowLastFiles));
    last->setEnabled(!lastFiles.isEmpty());
    for (const QString& path : lastFiles) {
        last->addAction(QDir::toNativeSeparators(path))->setData(path);
    }
    menu.addSeparator();
    menu.addAction(evaluationText(rows::kExit));
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == nullptr) {
        return {};
    }
    if (chosen == open) {
        const QString folder =
            lastFiles.isEmpty() ? QString() : QFileInfo(lastFiles.first()).path();
        return QFileDialog::getOpenFileName(parent, evaluationText(rows::kOpenFilesTitle), folder,
                                            QStringLiteral("Text files (*.txt);;All files (*)"));
    }
    return chosen->data().toString(); // "Exit" has none
}

void QtRecordingDialogs::message(QWidget* parent, const RecorderMessage& message) {
    QMessageBox box(iconOf(message), QString::fromUtf8(message.caption),
                    QString::fromUtf8(message.text), QMessageBox::Ok, parent);
    box.exec();
}

bool QtRecordingDialogs::question(QWidget* parent, const RecorderMessage& message) {
    QMessageBox box(iconOf(message), QString::fromUtf8(message.caption),
                    QString::fromUtf8(message.text), QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(message.defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtRecordingDialogs::editRemarks(QWidget* parent, ReportRemarks& remarks) {
    CProtokollText dialog(parent, remarks);
    return dialog.exec() == QDialog::Accepted;
}

bool QtRecordingDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
