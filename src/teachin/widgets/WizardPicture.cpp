#include "teachin/widgets/WizardPicture.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"

WizardPicture WizardPicture::initial() {
    WizardPicture p;
    const auto row = [](int r) { return std::string(text(TextTable::TeachIn, r)); };
    p.ok = {false, true, "OK"};
    p.cancel = {true, true, row(teachinrow::kCancel)};
    p.back = {true, false, row(teachinrow::kBack)};
    p.next = {true, false, "..."};
    p.help = {true, true, "?"};
    return p;
}
