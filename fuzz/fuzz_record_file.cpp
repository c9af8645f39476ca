// Any bytes as a saved recording ("x_amp.txt", and the same bytes as its
// "x_ref.txt"): reading must not crash, overrun or hold more than its limit,
// and a recording it accepts must save and read back to the same lines.

#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr std::size_t kLimit = 5000;

const QString& workDirectory() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/orvatix-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/orvatix-fuzz-XXXXXX"));
    static const QString path = dir.path() + QStringLiteral("/");
    return path;
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_record_file: %s\n", what);
        std::abort();
    }
}

void writeFile(const QString& path, const char* data, std::size_t size) {
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString& dir = workDirectory();
    const char* bytes = reinterpret_cast<const char*>(data);
    // The first byte says whether the partner file is there too.
    const bool withRef = size > 0 && (data[0] & 1);
    writeFile(dir + QStringLiteral("x_amp.txt"), bytes, size);
    if (withRef) {
        writeFile(dir + QStringLiteral("x_ref.txt"), bytes, size);
    } else {
        QFile::remove(dir + QStringLiteral("x_ref.txt"));
    }
    const LoadedRecording loaded = loadRecording(dir + QStringLiteral("x_amp.txt"), kLimit);
    if (!loaded.ok) {
        check(loaded.samples.empty(), "samples of a refused file");
        return 0;
    }
    check(!loaded.samples.empty() && loaded.samples.size() <= kLimit, "sample count");
    for (const RecordSample& s : loaded.samples) {
        check(s.position >= 0 && s.position < 360 && s.time >= 0, "values out of range");
    }
    // What was accepted reads back from its own lines unchanged.
    const RecordFileTexts texts = recordFileTexts(loaded.samples);
    for (const std::string* text : {&texts.amp, &texts.ref}) {
        std::size_t start = 0;
        while (start < text->size()) {
            const std::size_t end = text->find('\n', start);
            const std::string_view line(text->data() + start, end - start);
            RecordSample back;
            check(parseRecordLine(line, text == &texts.ref, back), "own line refused");
            std::string again;
            appendRecordLine(again, back);
            check(again == std::string(line) + "\n", "line changed on the way back");
            start = end + 1;
        }
    }
    return 0;
}
