#include "status/StatusListFile.h"

#include "config/AtomicTextFile.h"
#include "display/TextFormat.h"

#include <algorithm>

QString statusFileName(const QString& chosen) {
    const qsizetype slash =
        std::max(chosen.lastIndexOf(QLatin1Char('/')), chosen.lastIndexOf(QLatin1Char('\\')));
    const QString name = chosen.mid(slash + 1);
    if (name.contains(QLatin1Char('.')))
        return chosen;
    return chosen + QStringLiteral(".txt");
}

QByteArray statusFileContents(const std::vector<StatusListEntry>& entries) {
    QByteArray out;
    for (const StatusListEntry& e : entries) {
        const std::string time = e.time.toString(QStringLiteral("HH mm ss")).toStdString();
        out += formatText("%s\t %4.4lf\t 0x%04x\r\n", time.c_str(), e.position,
                          static_cast<unsigned>(e.flags))
                   .c_str();
    }
    return out;
}

FileWriteResult saveStatusList(StatusList& list, const QString& path) {
    list.setBusy(true);
    const QByteArray contents = statusFileContents(list.entries());
    const FileWriteResult result = writeBytesFileAtomically(
        path, std::string_view(contents.constData(), static_cast<std::size_t>(contents.size())));
    list.setBusy(false);
    return result;
}
