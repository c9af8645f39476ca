#include "app/EventLogNotice.h"

#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "ui/Notice.h"
#include "ui/SettingsSaveNotice.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cstdio>

EventLogOptions eventLogOptionsWithNotice() {
    EventLogOptions options;
    options.onFailure = [](const QString& file, const QString& reason) {
        std::fprintf(stderr, "ORVATIX: the event log cannot be written in %s: %s\n",
                     file.toLocal8Bit().constData(), reason.toLocal8Bit().constData());
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr)
            return;
        QMetaObject::invokeMethod(
            app,
            [file, reason] {
                showNoticeInFront(
                    nullptr, QMessageBox::Warning,
                    QString::fromUtf8(text(TextTable::StatusMessages, statusrow::kError)),
                    eventLogProblemText(file, reason));
            },
            Qt::QueuedConnection);
    };
    return options;
}
