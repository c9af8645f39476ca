#include "ui/SettingsSaveNotice.h"

#include "config/ConfigFile.h"
#include "config/MainWindowRows.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "ui/Notice.h"

#include <QFile>

#include <cstdio>

SettingsSaveNotice settingsSaveNotice;

namespace {

// A row with two "%s": the file, then the reason. Filled in one after the
// other, so a "%s" inside the path is not taken for the second.
QString fillPathAndReason(const char* row, const QString& path, const QString& reason) {
    QString message = QString::fromUtf8(row);
    const QString placeholder = QStringLiteral("%s");
    const qsizetype first = message.indexOf(placeholder);
    if (first < 0)
        return message;
    message.replace(first, placeholder.size(), path);
    const qsizetype second = message.indexOf(placeholder, first + path.size());
    if (second >= 0)
        message.replace(second, placeholder.size(), reason);
    return message;
}

} // namespace

QString settingsSaveProblemText(const QString& path, const QString& reason) {
    return fillPathAndReason(text(TextTable::MainWindow, mainwindowrow::kSettingsNotSaved), path,
                             reason);
}

QString eventLogProblemText(const QString& path, const QString& reason) {
    return fillPathAndReason(text(TextTable::MainWindow, mainwindowrow::kEventLogNotWritten), path,
                             reason);
}

QMessageBox* SettingsSaveNotice::report(QWidget* owner, const QString& path,
                                        const FileWriteResult& result, bool waitForUser) {
    if (result.ok || told_)
        return nullptr;
    told_ = true;
    const QString message = settingsSaveProblemText(path, result.reason);
    // Also on the terminal: a save that fails while the program ends has no
    // window left to show it in.
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    const QString caption = QString::fromUtf8(text(TextTable::StatusMessages, statusrow::kError));
    if (waitForUser) {
        QMessageBox box(QMessageBox::Warning, caption, message, QMessageBox::Ok,
                        windowInFront(owner));
        box.exec();
        return nullptr;
    }
    return showNoticeInFront(owner, QMessageBox::Warning, caption, message);
}

FileWriteResult saveSettings(QWidget* owner, bool waitForUser) {
    const FileWriteResult result = saveConfig();
    // The folder's name in the file system's encoding, which need not be UTF-8.
    settingsSaveNotice.report(
        owner, QFile::decodeName(QByteArray::fromStdString(configDirectory() + kConfigFileName)),
        result, waitForUser);
    return result;
}
