#pragma once
// CMessagebox2: the wizard's question before a repeated teach-in.
//
// The teach-in wizard's question before it erases the box for a repeated
// teach-in. "Yes" runs the wizard's Next action; "No" (or closing the window)
// ends the wizard with "No teach-in was done.". The wizard keeps its busy flag
// set while the question is open.

#include "ui/MessageWindow.h"

#include <functional>

class CMessagebox2 : public CMessageWindow {
    Q_OBJECT
public:
    CMessagebox2(QWidget* owner, std::function<void()> yes, std::function<void()> no);

    // Creates the window with the texts of the current language and shows it.
    static CMessagebox2* open(QWidget* owner, std::function<void()> yes, std::function<void()> no);

protected:
    void okPressed() override;
    void cancelPressed() override;

private:
    std::function<void()> yes_;
    std::function<void()> no_;
};
