// orvatix: setup and diagnosis of the ORVA Box.

#include "app/CORVATIXApp.h"
#include "app/CommandLine.h"
#include "app/TerminationSignals.h"
#include "ui/DialogStyle.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv) {
    ignoreFileSizeLimitSignal();
    // The command line is answered before a display is needed: --help,
    // --version and a wrong option work on a machine without one (QApplication
    // would abort there first).
    const CommandLineOptions options = parseCommandLine(programArguments(argc, argv));
    switch (options.action) {
    case CommandLineOptions::Action::Version:
        std::cout << versionText();
        return 0;
    case CommandLineOptions::Action::Help:
        std::cout << usageText("orvatix");
        return 0;
    case CommandLineOptions::Action::Error:
        std::cerr << "orvatix: " << options.error << "\nTry 'orvatix --help'.\n";
        return 2;
    case CommandLineOptions::Action::Run:
        break;
    }

    // The desktop's own scale, fractions included: rounding turned 150 % into
    // 200 %, and the main window with the extended display below it no longer
    // fitted a 1080-line screen. The bars and frames stay legible at 125 % and
    // 150 % (the gallery renders them at any QT_SCALE_FACTOR).
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    applyDialogStyle(app);
    QApplication::setApplicationName(QStringLiteral("ORVATIX"));
    // The main window is hidden while the start menu shows; that is no reason
    // to quit.
    QApplication::setQuitOnLastWindowClosed(false);

    CORVATIXApp orvatix(options);
    orvatix.InitInstance();
    return orvatix.exitCode();
}
