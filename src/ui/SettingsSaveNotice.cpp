#include "ui/SettingsSaveNotice.h"

#include "config/ConfigFile.h"
#include "config/MainWindowRows.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "ui/Notice.h"

#include <cstdio>

SettingsSaveNotice settingsSaveNotice;

QString settingsSaveProblemText(const QString& path, const QString& reason) {
    // The row holds two "%s": the file, then the reason. Filled in one after
    // the other, so a "%s" inside the path is not taken for the second.
    QString message =
        QString::fromUtf8(text(TextTable::MainWindow, mainwindowrow::kSettingsNotSaved));
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

QMessageBox* SettingsSaveNotice::report(QWidget* owner, const QString& path,
                                        const FileWriteResult& result) {
    if (result.ok || told_)
        return nullptr;
    told_ = true;
    const QString message = settingsSaveProblemText(path, result.reason);
    // Also on the terminal: a save that fails while the program ends has no
    // window left to show it in.
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    return showNotice(owner, QMessageBox::Warning,
                      QString::fromUtf8(text(TextTable::StatusMessages, statusrow::kError)),
                      message);
}

FileWriteResult saveSettings(QWidget* owner) {
    const FileWriteResult result = saveConfig();
    settingsSaveNotice.report(owner, QString::fromStdString(configDirectory() + kConfigFileName),
                              result);
    return result;
}
