#include "recorder/MeasurementResults.h"

namespace {

constexpr double kLowerLimit = 30.0; // percent
constexpr double kUpperLimit = 90.0;

struct HeadAccumulator {
    HeadResult result;
    double sum = 0.0;

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

} // namespace

MeasurementResults computeMeasurementResults(const std::vector<RecordSample>& samples) {
    MeasurementResults results;
    HeadAccumulator ye;
    HeadAccumulator wh;
    for (const RecordSample& s : samples) {
        if (s.isReference) {
            ++results.referenceMarks;
            continue;
        }
        const bool first = results.samples == 0;
        ye.add(s.amplitudeYE, s.position, first);
        wh.add(s.amplitudeWH, s.position, first);
        ++results.samples;
    }
    if (results.samples == 0) {
        return results;
    }
    results.valid = true;
    results.ye = ye.finish(results.samples);
    results.wh = wh.finish(results.samples);
    return results;
}
