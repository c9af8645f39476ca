#include "config/AtomicTextFile.h"

#include "config/Latin1.h"

#include <QByteArray>
#include <QSaveFile>

FileWriteResult writeTextFileAtomically(const QString& path, std::string_view utf8Text) {
    const std::string latin1 = utf8ToLatin1(utf8Text);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(latin1.size() + latin1.size() / 16 + 16));
    std::size_t start = 0;
    while (start < latin1.size()) {
        const std::size_t end = latin1.find('\n', start);
        if (end == std::string::npos) {
            bytes.append(latin1.data() + start, static_cast<qsizetype>(latin1.size() - start));
            break;
        }
        bytes.append(latin1.data() + start, static_cast<qsizetype>(end - start));
        bytes.append("\r\n", 2);
        start = end + 1;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, file.errorString()};
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit()) {
        return {false, file.errorString()};
    }
    return {true, QString()};
}
