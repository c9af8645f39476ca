#include "recorder/RecordFileNames.h"

#include "config/ConfigData.h"
#include "config/ConfigFile.h"

#include <QDir>

#include <algorithm>

namespace {

qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace

QString recordBaseName(const QString& chosenPath) {
    const QString name = chosenPath.mid(lastSeparator(chosenPath) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.mid(dot + 1) == QLatin1String("txt")) {
        return chosenPath.left(chosenPath.size() - 4);
    }
    return chosenPath;
}

QString ampFilePathOf(const QString& baseName) {
    return baseName + QLatin1String(kAmpFileSuffix);
}

QString refFilePathOf(const QString& baseName) {
    return baseName + QLatin1String(kRefFileSuffix);
}

std::string recordFolderOf(const QString& chosenPath) {
    // The folder ends at the last separator. (Cutting at the first place where
    // the file name occurs would give "/d" for "/data/a".)
    return QDir::toNativeSeparators(chosenPath.left(lastSeparator(chosenPath) + 1)).toStdString();
}

QString proposedRecordName(ConfigData& config) {
    const char separator = QDir::separator().toLatin1();
    if (config.lastFile.empty() || config.lastFile.back() != separator) {
        config.lastFile = defaultLastFile();
    }
    return QString::fromStdString(config.lastFile) + QStringLiteral("[Filename]");
}
