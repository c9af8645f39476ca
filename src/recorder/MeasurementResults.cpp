#include "recorder/MeasurementResults.h"

#include "recorder/FixedPointText.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr double kLowerLimit = 30.0; // percent
constexpr double kUpperLimit = 90.0;

// Decimals of the record files' columns.
constexpr int kAmplitudeDecimals = 1;
constexpr int kAngleDecimals = 4;
constexpr int kReferenceDecimals = 1;

struct HeadAccumulator {
    HeadResult result;
    double sum = 0.0;

    // Only a strictly smaller or larger value moves an extreme: the first of
    // equal ones keeps it.
    void add(double amplitude, double angle, bool first) {
        if (first || amplitude < result.minimum) {
            result.minimum = amplitude;
            result.angleOfMinimum = angle;
        }
        if (first || amplitude > result.maximum) {
            result.maximum = amplitude;
            result.angleOfMaximum = angle;
        }
        sum += amplitude;
    }

    HeadResult finish(int samples) {
        result.mean = sum / samples;
        result.pass = result.minimum >= kLowerLimit && result.maximum <= kUpperLimit;
        return result;
    }
};

// The shortest arc of the circle that holds every angle: the circle less its
// widest gap. Marks of one turn sit around one angle, possibly across 0°.
void markSpread(std::vector<double> angles, ReferenceResult& marks) {
    std::sort(angles.begin(), angles.end());
    double widestGap = angles.front() + 360.0 - angles.back();
    double arcStart = angles.front();
    for (std::size_t i = 1; i < angles.size(); ++i) {
        const double gap = angles[i] - angles[i - 1];
        if (gap > widestGap) {
            widestGap = gap;
            arcStart = angles[i];
        }
    }
    marks.angleSpread = savedValue(360.0 - widestGap, kAngleDecimals);
    double middle = arcStart + marks.angleSpread / 2.0;
    if (middle >= 360.0) {
        middle -= 360.0;
    }
    marks.meanAngle = savedValue(middle, kAngleDecimals);
    if (marks.meanAngle >= 360.0) {
        marks.meanAngle = 0.0;
    }
}

} // namespace

double savedValue(double value, int precision) {
    char text[kMaxFixedText + 1];
    char* end = writeFixed(text, value, 1, precision);
    double saved = 0.0;
    const char* start = text;
    while (start < end && *start == ' ') {
        ++start;
    }
    if (std::from_chars(start, end, saved, std::chars_format::fixed).ec != std::errc()) {
        return value;
    }
    return saved;
}

MeasurementResults computeMeasurementResults(const std::vector<RecordSample>& samples) {
    MeasurementResults results;
    HeadAccumulator ye;
    HeadAccumulator wh;
    std::vector<double> markAngles;
    for (const RecordSample& s : samples) {
        const double angle = savedValue(s.position, kAngleDecimals);
        if (s.isReference) {
            const double plus = savedValue(s.refC, kReferenceDecimals);
            const double minus = savedValue(s.refE, kReferenceDecimals);
            ReferenceResult& m = results.marks;
            const bool first = markAngles.empty();
            m.plusMinimum = first ? plus : std::min(m.plusMinimum, plus);
            m.plusMaximum = first ? plus : std::max(m.plusMaximum, plus);
            m.minusMinimum = first ? minus : std::min(m.minusMinimum, minus);
            m.minusMaximum = first ? minus : std::max(m.minusMaximum, minus);
            markAngles.push_back(angle);
            ++results.referenceMarks;
            continue;
        }
        const bool first = results.samples == 0;
        ye.add(savedValue(s.amplitudeYE, kAmplitudeDecimals), angle, first);
        wh.add(savedValue(s.amplitudeWH, kAmplitudeDecimals), angle, first);
        ++results.samples;
    }
    if (!markAngles.empty()) {
        markSpread(std::move(markAngles), results.marks);
    }
    if (results.samples == 0) {
        return results;
    }
    results.valid = true;
    results.ye = ye.finish(results.samples);
    results.wh = wh.finish(results.samples);
    return results;
}
