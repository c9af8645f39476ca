#include "ui/DialogStyle.h"

#include <QApplication>

QString dialogStyleSheet() {
    // margin-top is half a caption line, so the frame's top line meets the
    // caption's middle; the caption's own padding keeps the line off its
    // first and last letter.
    return QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0 2px; }");
}

void applyDialogStyle(QApplication& app) {
    app.setStyleSheet(dialogStyleSheet());
}
