// main() of the window tests: one QApplication for all tests of the program,
// made before and destroyed after them.

#include "ui/DialogStyle.h"

#include <QApplication>

#include <gtest/gtest.h>

// Qt's GUI library draws images with its own worker threads and locks that
// ThreadSanitizer cannot see (Qt is not built with it): reports from inside
// that library are not about the program. The program's own threads are
// still checked.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libQt6Gui.so.6\n";
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Qt's own event loop instead of GLib's, whose thread-local cleanup
    // ThreadSanitizer cannot follow either.
    qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    applyDialogStyle(app);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
