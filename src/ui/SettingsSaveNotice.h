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
// The same for an event log that cannot be written.
QString eventLogProblemText(const QString& path, const QString& reason);

class SettingsSaveNotice {
public:
    // After a failed save, shows the notice unless one was shown before in
    // this run: over the window the user is looking at (`owner` when none
    // is; it may be null), without blocking, or with `waitForUser` until it
    // is closed (the program is about to end). Returns the notice still
    // open, or null.
    QMessageBox* report(QWidget* owner, const QString& path, const FileWriteResult& result,
                        bool waitForUser = false);

    bool told() const { return told_; }

private:
    bool told_ = false;
};

extern SettingsSaveNotice settingsSaveNotice;

// Saves ORVAdata.cfg (saveConfig) and reports a failure through
// settingsSaveNotice; `waitForUser` as there.
FileWriteResult saveSettings(QWidget* owner = nullptr, bool waitForUser = false);
