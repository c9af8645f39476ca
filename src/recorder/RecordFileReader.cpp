#include "recorder/RecordFileReader.h"

#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileNames.h"

#include <QFile>
#include <QFileInfo>

#include <string>
#include <string_view>

namespace {

constexpr qint64 kReadBlock = 1 << 20;

bool isEmptyLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

bool readRecordFile(const QString& path, bool isReference, std::vector<RecordSample>& samples,
                    std::size_t sampleLimit, bool* tooMany) {
    bool ignored = false;
    bool& overLimit = tooMany != nullptr ? *tooMany : ignored;
    overLimit = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // A file longer than the longest recording could ever be is refused
    // before a byte is read.
    const qint64 maxBytes = static_cast<qint64>(sampleLimit) * (kMaxRecordLine + 2);
    if (file.size() > maxBytes) {
        overLimit = true;
        return false;
    }
    const std::size_t first = samples.size();
    std::string buffer;
    std::size_t start = 0;
    bool atEnd = false;
    while (!atEnd) {
        // Keep the unfinished line, append the next block.
        buffer.erase(0, start);
        start = 0;
        const std::size_t kept = buffer.size();
        buffer.resize(kept + static_cast<std::size_t>(kReadBlock));
        const qint64 got = file.read(buffer.data() + kept, kReadBlock);
        if (got < 0) {
            return false;
        }
        buffer.resize(kept + static_cast<std::size_t>(got));
        atEnd = got == 0;
        for (;;) {
            std::size_t end = buffer.find('\n', start);
            if (end == std::string::npos) {
                if (!atEnd) {
                    break;
                }
                if (start == buffer.size()) {
                    break;
                }
                end = buffer.size(); // a last line without a line end
            }
            std::string_view line(buffer.data() + start, end - start);
            start = std::min(end + 1, buffer.size());
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            if (isEmptyLine(line)) {
                continue;
            }
            RecordSample sample;
            if (samples.size() - first >= sampleLimit) {
                // Told apart from a broken file: the user learns that the
                // file is too long, not that it is not a recording.
                overLimit = true;
                return false;
            }
            if (!parseRecordLine(line, isReference, sample)) {
                return false;
            }
            samples.push_back(sample);
        }
        if (buffer.size() - start > kMaxRecordLine) {
            return false; // no line of a recording is that long
        }
    }
    return samples.size() > first;
}

std::vector<RecordSample> mergeByTime(const std::vector<RecordSample>& positions,
                                      const std::vector<RecordSample>& references) {
    std::vector<RecordSample> merged;
    merged.reserve(positions.size() + references.size());
    auto p = positions.begin();
    auto r = references.begin();
    while (p != positions.end() || r != references.end()) {
        if (r == references.end() || (p != positions.end() && p->time <= r->time)) {
            merged.push_back(*p++);
        } else {
            merged.push_back(*r++);
        }
    }
    return merged;
}

LoadedRecording loadRecording(const QString& chosenPath, std::size_t sampleLimit) {
    LoadedRecording result;
    QString base = chosenPath;
    if (chosenPath.endsWith(QLatin1String(kAmpFileSuffix))) {
        base.chop(static_cast<qsizetype>(std::char_traits<char>::length(kAmpFileSuffix)));
    } else if (chosenPath.endsWith(QLatin1String(kRefFileSuffix))) {
        base.chop(static_cast<qsizetype>(std::char_traits<char>::length(kRefFileSuffix)));
    } else {
        // Not named like a recording: it may still be one renamed, read it
        // as position samples.
        std::vector<RecordSample> positions;
        if (!readRecordFile(chosenPath, false, positions, sampleLimit, &result.tooManySamples)) {
            return result;
        }
        result.ok = true;
        result.baseName = recordBaseName(chosenPath);
        result.ampPath = chosenPath;
        result.samples = std::move(positions);
        return result;
    }

    const QString ampPath = ampFilePathOf(base);
    const QString refPath = refFilePathOf(base);
    const bool haveAmp = QFileInfo::exists(ampPath);
    const bool haveRef = QFileInfo::exists(refPath);
    if (!QFileInfo::exists(chosenPath)) {
        return result;
    }
    std::vector<RecordSample> positions;
    std::vector<RecordSample> references;
    if (haveAmp &&
        !readRecordFile(ampPath, false, positions, sampleLimit, &result.tooManySamples)) {
        return result;
    }
    if (haveRef && !readRecordFile(refPath, true, references,
                                   sampleLimit - std::min(sampleLimit, positions.size()),
                                   &result.tooManySamples)) {
        return result;
    }
    result.ok = true;
    result.baseName = base;
    result.ampPath = haveAmp ? ampPath : QString();
    result.refPath = haveRef ? refPath : QString();
    result.samples = mergeByTime(positions, references);
    return result;
}
