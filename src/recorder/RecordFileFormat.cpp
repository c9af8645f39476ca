#include "recorder/RecordFileFormat.h"

#include "recorder/FixedPointText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// "%6.1lf \t" time, blanks that line up positions below 100 and 10, then
// "%s %4.4lf %5.1lf %5.1lf\t" and
// "%5.1lf\t%5.1lf\t%5.1lf\t%5.1lf\t%5.1lf\t%5.1lf\t%+8li".
char* writeCommonColumns(char* p, const RecordSample& s) {
    p = writeFixed(p, s.time, 6, 1);
    *p++ = ' ';
    *p++ = '\t';
    if (s.position < 10) {
        *p++ = ' ';
        *p++ = ' ';
    } else if (s.position < 100) {
        *p++ = ' ';
    }
    *p++ = ' ';
    p = writeFixed(p, s.position, 4, 4);
    *p++ = ' ';
    p = writeFixed(p, s.amplitudeWH, 5, 1);
    *p++ = ' ';
    p = writeFixed(p, s.amplitudeYE, 5, 1);
    *p++ = '\t';
    for (double v : {s.refA, s.refB, s.refC, s.refD, s.refE, s.refF}) {
        p = writeFixed(p, v, 5, 1);
        *p++ = '\t';
    }
    return writeSigned(p, s.refDistance, 8);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits at blanks and tabs; false when the count is not exactly `expected`.
template <std::size_t N>
bool splitColumns(std::string_view line, std::array<std::string_view, N>& columns, int expected) {
    int count = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            break;
        }
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (count == expected) {
            return false;
        }
        columns[static_cast<std::size_t>(count++)] = line.substr(start, i - start);
    }
    return count == expected;
}

bool readDouble(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool readDistance(std::string_view text, std::int32_t& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+') {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

} // namespace

void appendRecordLine(std::string& out, const RecordSample& s) {
    // Built in place and appended once: a line has at most 21 numbers.
    char line[21 * (kMaxFixedText + 2)];
    char* p = writeCommonColumns(line, s);
    if (!s.isReference) {
        *p++ = ' ';
        for (double v : s.dacOffsets) {
            p = writeFixed(p, v, 5, 1);
            *p++ = '\t';
        }
        for (double v : s.channelValues) {
            p = writeFixed(p, v, 5, 1);
            *p++ = '\t';
        }
        --p; // the last value ends the line
    }
    *p++ = '\n';
    out.append(line, p);
}

RecordFileTexts recordFileTexts(const std::vector<RecordSample>& samples) {
    std::size_t references = 0;
    for (const RecordSample& s : samples) {
        references += s.isReference ? 1 : 0;
    }
    RecordFileTexts texts;
    // Lines are about 90 and 150 characters long; reserving saves the copies
    // of a growing string on long recordings.
    texts.ref.reserve(references * 96);
    texts.amp.reserve((samples.size() - references) * 160);
    for (const RecordSample& s : samples) {
        appendRecordLine(s.isReference ? texts.ref : texts.amp, s);
    }
    return texts;
}

bool parseRecordLine(std::string_view line, bool isReference, RecordSample& sample) {
    std::array<std::string_view, kAmpColumns> c;
    const int expected = isReference ? kRefColumns : kAmpColumns;
    if (line.size() > kMaxRecordLine || !splitColumns(line, c, expected)) {
        return false;
    }
    RecordSample s;
    s.isReference = isReference;
    double* const values[] = {&s.time, &s.position, &s.amplitudeWH, &s.amplitudeYE, &s.refA,
                              &s.refB, &s.refC,     &s.refD,        &s.refE,        &s.refF};
    std::size_t column = 0;
    for (double* v : values) {
        if (!readDouble(c[column++], *v)) {
            return false;
        }
    }
    if (!readDistance(c[column++], s.refDistance)) {
        return false;
    }
    if (!isReference) {
        for (double& v : s.dacOffsets) {
            if (!readDouble(c[column++], v)) {
                return false;
            }
        }
        for (double& v : s.channelValues) {
            if (!readDouble(c[column++], v)) {
                return false;
            }
        }
    }
    if (s.time < 0 || s.position < 0 || s.position >= 360 || s.amplitudeWH < 0 ||
        s.amplitudeYE < 0) {
        return false;
    }
    for (double v : {s.refA, s.refB, s.refC, s.refD, s.refE, s.refF}) {
        if (std::fabs(v) > kMaxReferenceValue) {
            return false; // no box sends that: the file is not a recording
        }
    }
    sample = s;
    return true;
}
