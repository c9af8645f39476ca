#pragma once
// CMessageWindow: the common base of the program's own message windows.
//
// The program's own message windows. Unlike a standard message box they do
// not block: each stays on top of its owner while the owner's timers and the
// reader thread keep running, and acts when one of its buttons is pressed.
// One static text (1045) and up to two buttons (OK 1, Cancel 2); the code that
// opens a window sets its title, text and captions, so one template serves
// every language. The window deletes itself when it closes.

#include "ui/DialogUnits.h"

#include <QDialog>
#include <QRect>

class QLabel;
class QPushButton;

// A template in dialog units.
struct MessageTemplate {
    int width;
    int height;
    QRect text;
    QRect ok;
    QRect cancel; // empty: no Cancel button
    bool okVisible = true;
};

class CMessageWindow : public QDialog {
    Q_OBJECT
public:
    enum Id { kOk = 1, kCancel = 2, kText = 1045 };

    CMessageWindow(QWidget* owner, const MessageTemplate& layout);

    // Title, text and the two captions (an empty caption keeps the button's).
    void setContent(const QString& title, const QString& message, const QString& okCaption = {},
                    const QString& cancelCaption = {});

    // Shows the window and brings it to the top.
    void present();

    QWidget* owner() const { return owner_; }

    // OK and Cancel (also the close box and the Escape key): the window's
    // action, then it closes.
    void accept() override;
    void reject() override;

signals:
    // Emitted once, when the window closes by whatever way.
    void closed();

protected:
    // What OK and Cancel do before the window closes. Cancel is also the close
    // box and the Escape key.
    virtual void okPressed() {}
    virtual void cancelPressed() {}

    void done(int result) override;

private:
    QWidget* owner_;
    DialogTemplate template_;
    QLabel* text_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool closing_ = false;
    bool closedSent_ = false;
};
