#pragma once
// The two modal dialogs of a session start: the setup dialog and the start
// menu. The main window runs them through this seam so that a test can answer
// them without a screen; the program uses the real dialogs.

class QWidget;

class SessionDialogs {
public:
    // Choices of the start menu.
    enum Choice { kExit = 0, kTeachIn = 1, kDiagnosis = 2 };

    virtual ~SessionDialogs() = default;
    // The setup dialog; true when confirmed with OK.
    virtual bool runSetup(QWidget* parent) = 0;
    // The start menu; returns the choice.
    virtual int runStartMenu(QWidget* parent) = 0;
};

// The program's dialogs: CSetup and CSelectDlg.
class StandardSessionDialogs : public SessionDialogs {
public:
    bool runSetup(QWidget* parent) override;
    int runStartMenu(QWidget* parent) override;
};
