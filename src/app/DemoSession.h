#pragma once
// The demo (--demo): a simulated box on a pseudo-terminal as COM1, and its
// "Box simulator" panel at the right edge of the screen with the program's
// windows beside it. The panel stays usable while the setup dialog, the start
// menu or any other dialog of the program waits for an answer: the box is
// not part of the program and never waits for it. At the first setup the box
// takes the line count of the bearing chosen there, so that the first start
// fits; the panel sets another count in one click.

#include "app/SessionDialogs.h"

#include <QObject>

#include <memory>
#include <string>

class BoxSimulatorPanel;
class QTemporaryDir;
class QWidget;
namespace boxsim {
class BoxSimulator;
}

class DemoSession : public QObject {
    Q_OBJECT
public:
    DemoSession();
    ~DemoSession() override;

    // Starts the box in a temporary folder; false with the reason in *error.
    bool start(std::string* error);
    // The path of the box's terminal (COM1 of the program).
    std::string linkPath() const;
    boxsim::BoxSimulator& box() { return *box_; }
    BoxSimulatorPanel* panel() { return panel_.get(); }

    // The program's own setup dialog and start menu, with the line count of
    // the first confirmed setup handed to the box.
    SessionDialogs& sessionDialogs() { return *dialogs_; }

    // Shows the panel at the right edge of `mainWindow`'s screen. From now
    // on a window that would open over it opens beside it instead, and the
    // wizard takes the room beside it in place of the whole screen.
    void watch(const QWidget& mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Dialogs;
    void placeWindow(QWidget& window);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<boxsim::BoxSimulator> box_;
    std::unique_ptr<BoxSimulatorPanel> panel_;
    std::unique_ptr<SessionDialogs> dialogs_;
    bool watching_ = false;
};
