#include "ui/CMessagebox2.h"

#include "ui/TeachInWarning.h"

namespace {

const MessageTemplate kTemplate{228, 135, QRect(8, 10, 204, 83), QRect(56, 110, 50, 16),
                                QRect(123, 110, 50, 16)};

} // namespace

CMessagebox2::CMessagebox2(QWidget* owner, std::function<void()> yes, std::function<void()> no)
    : CMessageWindow(owner, kTemplate), yes_(std::move(yes)), no_(std::move(no)) {}

CMessagebox2* CMessagebox2::open(QWidget* owner, std::function<void()> yes,
                                 std::function<void()> no) {
    auto* box = new CMessagebox2(owner, std::move(yes), std::move(no));
    setTeachInWarning(*box);
    box->present();
    return box;
}

void CMessagebox2::okPressed() {
    if (yes_) {
        yes_();
    }
}

void CMessagebox2::cancelPressed() {
    if (no_) {
        no_();
    }
}
