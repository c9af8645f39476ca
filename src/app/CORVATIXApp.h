#pragma once
// The application object: prepares what the command line asks for (the
// simulated box of the demo, a fixed port), then runs the main window
// modally; when its loop ends, the program ends.

#include "app/CommandLine.h"

#include <QObject>

#include <memory>
#include <string>

class DemoSession;

class CORVATIXApp : public QObject {
    Q_OBJECT
public:
    explicit CORVATIXApp(CommandLineOptions options);
    ~CORVATIXApp() override;

    // Runs the program. Returns false, so that the application ends, once
    // the main window has closed; `exitCode` tells how.
    bool InitInstance();
    int exitCode() const { return exitCode_; }

    // The demo's box and panel (--demo), for tests that drive them; nullptr
    // without the demo.
    DemoSession* demo() { return demo_.get(); }

private:
    bool startDemoBox();

    CommandLineOptions options_;
    std::unique_ptr<DemoSession> demo_;
    int exitCode_ = 0;
};
