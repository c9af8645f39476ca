#pragma once
// CSelectDlg: the start menu window.
//
// The start menu: teach-in wizard, system diagnosis, change setup or exit.
// Shown after the setup at start-up and every time the wizard or the diagnosis
// window ends. Modal; the owner reads choice() after it closes.
//
// The wizard's optimum-range question (ProgramFlow::warnOptimum) is re-armed by the owner
// each time it shows the menu: the start menu knows nothing of the wizard.

#include "ui/CSetup.h"
#include "ui/DialogUnits.h"

#include <QDialog>

class QLabel;
class QPushButton;

class CSelectDlg : public QDialog {
    Q_OBJECT
public:
    enum Choice { kNoChoice = 0, kTeachInChoice = 1, kDiagnosisChoice = 2 };
    enum Id {
        kHeading = 1022,
        kDiagnosisButton = 1023,
        kTeachInButton = 1024,
        kSetupButton = 1025,
        kExitButton = 1026,
        kHelpHint = 1044,
    };

    explicit CSelectDlg(const SetupRecords& records, QWidget* parent = nullptr);

    // 0 none / exit, 1 teach-in wizard, 2 system diagnosis.
    int choice() const { return choice_; }

    // Captions in the current language (or the user's, when none is set yet).
    void setCaptions();

protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override;

private:
    void choose(int choice);
    void changeSetup();

    SetupRecords records_;
    DialogTemplate template_;
    int choice_ = kNoChoice;
    QLabel* heading_ = nullptr;
    QPushButton* teachIn_ = nullptr;
    QPushButton* diagnosis_ = nullptr;
    QPushButton* setup_ = nullptr;
    QPushButton* exit_ = nullptr;
    QLabel* hint_ = nullptr;
};
