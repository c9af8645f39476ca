#pragma once
// Settings that cannot be saved are not lost without a word: the first failed
// save of a run tells the user which file and why; later ones stay quiet, so a
// folder that stays read-only does not bring the notice back at every change.

#include "config/AtomicTextFile.h"

#include <QMessageBox>
#include <QString>

#include <functional>

// The text of the notice, in the current language.
QString settingsSaveProblemText(const QString& path, const QString& reason);

class SettingsSaveNotice {
public:
    // After a failed save, shows the notice (non-blocking, owned by `owner`,
    // which may be null) unless one was shown before in this run. Returns the
    // notice shown, or null.
    QMessageBox* report(QWidget* owner, const QString& path, const FileWriteResult& result);

    bool told() const { return told_; }

private:
    bool told_ = false;
};

extern SettingsSaveNotice settingsSaveNotice;

// Saves ORVAdata.cfg (saveConfig) and reports a failure through
// settingsSaveNotice.
FileWriteResult saveSettings(QWidget* owner = nullptr);
