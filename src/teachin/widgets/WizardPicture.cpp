#include "teachin/widgets/WizardPicture.h"

#include "config/Texts.h"
#include "teachin/widgets/WizardTexts.h"

WizardPicture WizardPicture::initial() {
    WizardPicture p;
    const auto row = [](int r) { return std::string(text(TextTable::TeachIn, r)); };
    p.ok = {false, true, "OK"};
    p.cancel = {true, true, row(wizardrow::kCancel)};
    p.back = {true, false, row(wizardrow::kBack)};
    p.next = {true, false, "..."};
    p.help = {true, true, "?"};
    return p;
}
