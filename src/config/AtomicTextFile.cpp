#include "config/AtomicTextFile.h"

#include "config/Latin1.h"

#include <QByteArray>
#include <QSaveFile>

#include <algorithm>
#include <string>

FileWriteResult writeTextFileAtomically(const QString& path, std::string_view utf8Text) {
    // Plain ASCII, the usual case, needs no conversion.
    const bool ascii = std::all_of(utf8Text.begin(), utf8Text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string converted;
    if (!ascii) {
        converted = utf8ToLatin1(utf8Text);
    }
    const std::string_view latin1 = ascii ? utf8Text : std::string_view(converted);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(latin1.size() + latin1.size() / 16 + 16));
    std::size_t start = 0;
    while (start < latin1.size()) {
        const std::size_t end = latin1.find('\n', start);
        if (end == std::string_view::npos) {
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
