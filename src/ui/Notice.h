#pragma once
// A message with an OK button that does not block: the caller's timers and the
// reader thread keep running while it is open. It belongs to `owner` and
// deletes itself when closed.

#include <QMessageBox>
#include <QString>

QMessageBox* showNotice(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                        const QString& message);
