#pragma once
// The application object: prepares what the command line asks for (the
// simulated box of the demo, a fixed port), then runs the main window
// modally; when its loop ends, the program ends.

#include "app/CommandLine.h"

#include <QObject>

#include <memory>
#include <string>

class BoxSimulatorPanel;
class QTemporaryDir;
namespace boxsim {
class BoxSimulator;
}

class CORVATIXApp : public QObject {
    Q_OBJECT
public:
    explicit CORVATIXApp(CommandLineOptions options);
    ~CORVATIXApp() override;

    // Runs the program. Returns false, so that the application ends, once
    // the main window has closed; `exitCode` tells how.
    bool InitInstance();
    int exitCode() const { return exitCode_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool startDemoBox();

    CommandLineOptions options_;
    std::unique_ptr<QTemporaryDir> demoDir_;
    std::unique_ptr<boxsim::BoxSimulator> demoBox_;
    std::unique_ptr<BoxSimulatorPanel> panel_;
    bool panelPlaced_ = false;
    int exitCode_ = 0;
};
