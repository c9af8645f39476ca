// What the recorder does when the program is told to end by a signal: no
// question may keep a logout waiting, so the samples go where they can.

#include "app/ProgramFeatures.h"

#include "config/ConfigFile.h"
#include "eventlog/SessionEventLog.h"
#include "recorder/DataRecorder.h"
#include "recorder/RecentFiles.h"

#include <QDateTime>
#include <QFile>

#include <cstdio>

void RecorderFeature::saveBeforeTermination() {
    DataRecorder& recorder = records_.recorder;
    if (!recorder.hasUnsavedSamples())
        return;
    const QString rescueFolder =
        QFile::decodeName(QByteArray::fromStdString(rescueRecordingFolder()));
    const QString datedName =
        QStringLiteral("ORVATIX-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    const SaveResult result = recorder.saveBeforeTermination(rescueFolder, datedName);
    if (result.saved) {
        if (!result.openPath.isEmpty())
            records_.recentFiles.add(result.openPath);
        if (eventLog_ != nullptr)
            eventLog_->recordingSaved(result.ampPath.toStdString(), result.refPath.toStdString());
        std::fprintf(stderr, "ORVATIX: recording saved to %s\n",
                     QFile::encodeName(result.openPath).constData());
        return;
    }
    QString reason;
    for (const FailedFile& f : result.failed)
        reason += (reason.isEmpty() ? QString() : QStringLiteral("; ")) + f.path +
                  QStringLiteral(": ") + f.reason;
    if (eventLog_ != nullptr)
        eventLog_->recordingLost(reason.toStdString());
    std::fprintf(stderr, "ORVATIX: recording not saved: %s\n", reason.toLocal8Bit().constData());
}
