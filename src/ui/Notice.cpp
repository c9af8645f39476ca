#include "ui/Notice.h"

QMessageBox* showNotice(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                        const QString& message) {
    auto* box = new QMessageBox(icon, caption, message, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}
