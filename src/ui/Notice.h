#pragma once
// A message with an OK button that does not block: the caller's timers and the
// reader thread keep running while it is open. It belongs to `owner` and
// deletes itself when closed.

#include <QMessageBox>
#include <QString>

QMessageBox* showNotice(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                        const QString& message);

// The window the user is looking at: the dialog in front (a modal one first),
// else the active window, else `fallback` when it shows, else null.
QWidget* windowInFront(QWidget* fallback = nullptr);

// A notice that must be seen although it may be raised while a dialog is
// still being built: shown at once over windowInFront(owner), and moved over
// the dialog that opens right after (the setup dialog saves while it is made).
QMessageBox* showNoticeInFront(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                               const QString& message);
