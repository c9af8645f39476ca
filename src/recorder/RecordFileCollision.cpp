#include "recorder/RecordFileCollision.h"

#include "config/RecorderRows.h"
#include "config/Texts.h"
#include "display/TextFormat.h"
#include "recorder/RecordFileNames.h"

#include <QDir>
#include <QFileInfo>

QStringList recordFilesInTheWay(const QString& chosenPath) {
    const QString base = recordBaseName(chosenPath);
    QStringList found;
    for (const QString& path : {ampFilePathOf(base), refFilePathOf(base)}) {
        const QFileInfo file(path);
        // A link that leads nowhere is in the way as well.
        if (file.exists() || file.isSymLink()) {
            found << path;
        }
    }
    return found;
}

RecorderMessage replaceRecordingQuestion(const QStringList& files) {
    QStringList shown;
    for (const QString& path : files) {
        shown << QDir::toNativeSeparators(path);
    }
    RecorderMessage question;
    question.icon = RecorderMessage::Icon::Information;
    question.caption =
        std::string("ORVATIX data recorder: ") + text(TextTable::Recorder, recorderrow::kRefAndAmp);
    question.text = formatText(text(TextTable::Recorder, recorderrow::kReplaceQuestion),
                               shown.join(QLatin1Char('\n')).toStdString().c_str());
    question.defaultYes = false;
    return question;
}
