#include "ui/MessageWindow.h"

#include "ui/Artwork.h"
#include "ui/Help.h"

#include <QLabel>
#include <QPushButton>

CMessageWindow::CMessageWindow(QWidget* owner, const MessageTemplate& layout)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      owner_(owner), template_(this, layout.width, layout.height) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowIcon(artIcon(Art::ProgramIcon));
    const QRect& r = layout.text;
    text_ = template_.place(kText, r.x(), r.y(), r.width(), r.height(), new QLabel);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);

    const QRect& o = layout.ok;
    ok_ = template_.place(kOk, o.x(), o.y(), o.width(), o.height(), new QPushButton);
    ok_->setVisible(layout.okVisible);
    connect(ok_, &QPushButton::clicked, this, &CMessageWindow::accept);
    if (!layout.cancel.isEmpty()) {
        const QRect& c = layout.cancel;
        cancel_ = template_.place(kCancel, c.x(), c.y(), c.width(), c.height(), new QPushButton);
        cancel_->setAutoDefault(false);
        connect(cancel_, &QPushButton::clicked, this, &CMessageWindow::reject);
    }
    if (layout.okVisible) {
        ok_->setDefault(true);
    }
    installHelpKey(this);
}

void CMessageWindow::setContent(const QString& title, const QString& message,
                                const QString& okCaption, const QString& cancelCaption) {
    setWindowTitle(title);
    text_->setText(message);
    if (!okCaption.isEmpty()) {
        ok_->setText(okCaption);
    }
    if (cancel_ != nullptr && !cancelCaption.isEmpty()) {
        cancel_->setText(cancelCaption);
    }
}

void CMessageWindow::present() {
    show();
    raise();
    activateWindow();
}

void CMessageWindow::accept() {
    if (closing_) {
        return;
    }
    closing_ = true;
    okPressed();
    QDialog::accept();
}

void CMessageWindow::reject() {
    if (closing_) {
        return;
    }
    closing_ = true;
    cancelPressed();
    QDialog::reject();
}

void CMessageWindow::done(int result) {
    QDialog::done(result);
    if (!closedSent_) {
        closedSent_ = true;
        emit closed();
    }
}
