#include "ui/Notice.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

QMessageBox* showNotice(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                        const QString& message) {
    auto* box = new QMessageBox(icon, caption, message, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

QWidget* windowInFront(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return fallback != nullptr && fallback->isVisible() ? fallback : nullptr;
}

QMessageBox* showNoticeInFront(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                               const QString& message) {
    QMessageBox* box = showNotice(windowInFront(owner), icon, caption, message);
    // Once the event loop runs again, a dialog that opened meanwhile would
    // hide the notice (and block it): the notice moves over that dialog.
    QTimer::singleShot(0, box, [notice = QPointer<QMessageBox>(box)] {
        if (notice == nullptr || !notice->isVisible())
            return;
        QWidget* front = QApplication::activeModalWidget();
        if (front == nullptr || front == notice || front == notice->parentWidget())
            return;
        notice->hide();
        notice->setParent(front, notice->windowFlags());
        notice->open();
        notice->raise();
        notice->activateWindow();
    });
    return box;
}
