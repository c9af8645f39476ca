#include "ui/Messagebox3.h"

#include "config/StatusMessageRows.h"
#include "ui/UiText.h"

namespace {

const MessageTemplate kTemplate{233,     130,  QRect(17, 7, 209, 90), QRect(176, 109, 50, 14),
                                QRect(), false};

} // namespace

Messagebox3::Messagebox3(QWidget* owner) : CMessageWindow(owner, kTemplate) {}

Messagebox3* Messagebox3::openOnce(QWidget* owner, bool& noticeShown) {
    if (noticeShown) {
        return nullptr;
    }
    noticeShown = true;
    auto* notice = new Messagebox3(owner);
    notice->setContent(uiText(TextTable::StatusMessages, statusrow::kInterfaceSearchTitle),
                       uiText(TextTable::StatusMessages, statusrow::kInterfaceNotFound));
    QObject* context = owner != nullptr ? static_cast<QObject*>(owner) : notice;
    connect(notice, &CMessageWindow::closed, context, [&noticeShown] { noticeShown = false; });
    notice->present();
    return notice;
}
