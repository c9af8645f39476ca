// The figures stated under the plots.

#include "recorder/MeasurementResults.h"

#include "recorder/RecorderTestSupport.h"

#include <gtest/gtest.h>

TEST(MeasurementResults, ExtremesMeansAnglesAndMarks) {
    const std::vector<RecordSample> samples = {
        positionSample(0.0, 10.0, 40.0, 60.0), referenceSample(0.1, 15.0, 1, 1),
        positionSample(0.2, 20.0, 95.0, 31.0), positionSample(0.3, 30.0, 35.0, 89.0),
        referenceSample(0.4, 35.0, 1, 1), // amplitudes of marks do not count
        positionSample(0.5, 40.0, 35.0, 31.0),
    };
    const MeasurementResults r = computeMeasurementResults(samples);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.samples, 4);
    EXPECT_EQ(r.referenceMarks, 2);
    EXPECT_EQ(r.wh.minimum, 35.0);
    EXPECT_EQ(r.wh.angleOfMinimum, 30.0) << "the first of equal extremes";
    EXPECT_EQ(r.wh.maximum, 95.0);
    EXPECT_EQ(r.wh.angleOfMaximum, 20.0);
    EXPECT_DOUBLE_EQ(r.wh.mean, 51.25);
    EXPECT_FALSE(r.wh.pass);
    EXPECT_EQ(r.ye.minimum, 31.0);
    EXPECT_EQ(r.ye.angleOfMinimum, 20.0);
    EXPECT_EQ(r.ye.maximum, 89.0);
    EXPECT_EQ(r.ye.angleOfMaximum, 30.0);
    EXPECT_DOUBLE_EQ(r.ye.mean, 52.75);
    EXPECT_TRUE(r.ye.pass);
}

TEST(MeasurementResults, TheBandIncludesItsLimits) {
    const struct {
        double low, high;
        bool pass;
    } cases[] = {{30.0, 90.0, true},
                 {29.95, 60.0, false},
                 {50.0, 90.06, false},
                 // judged on the values as saved: 29.96 and 90.04 are kept as 30.0 and 90.0
                 {29.96, 60.0, true},
                 {50.0, 90.04, true}};
    for (const auto& c : cases) {
        const MeasurementResults r = computeMeasurementResults(
            {positionSample(0, 1, c.low, 50), positionSample(0.1, 2, c.high, 50)});
        EXPECT_EQ(r.wh.pass, c.pass) << c.low << " " << c.high;
        EXPECT_TRUE(r.ye.pass);
    }
}

TEST(MeasurementResults, WithoutPositionSamplesThereIsNoResult) {
    EXPECT_FALSE(computeMeasurementResults({}).valid);
    const MeasurementResults r = computeMeasurementResults({referenceSample(0, 1, 1, 1)});
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.referenceMarks, 1);
    EXPECT_FALSE(r.wh.pass);
}

// One tie rule for the live and the reopened recording: the values as the file
// keeps them, and of equal ones the first sample in recording order.
TEST(MeasurementResults, ExtremesOfTheSavedValuesGoToTheFirstOfEqualOnes) {
    const struct {
        const char* what;
        double first, second; // YE amplitudes at 258.6 and 77.0 degrees
        double maximum, angle;
    } cases[] = {
        {"equal once saved, larger live second", 51.96, 52.04, 52.0, 258.6},
        {"equal once saved, larger live first", 52.04, 51.96, 52.0, 258.6},
        {"larger once saved", 51.94, 52.04, 52.0, 77.0},
        {"exactly equal", 52.0, 52.0, 52.0, 258.6},
    };
    for (const auto& c : cases) {
        const MeasurementResults r = computeMeasurementResults(
            {positionSample(0, 258.6, 50, c.first), positionSample(0.1, 77.0, 50, c.second),
             positionSample(0.2, 100.0, 50, 40.0)});
        EXPECT_EQ(r.ye.maximum, c.maximum) << c.what;
        EXPECT_EQ(r.ye.angleOfMaximum, c.angle) << c.what;
        EXPECT_EQ(r.ye.minimum, 40.0) << c.what;
    }
}

TEST(MeasurementResults, FiguresAreTheValuesAsTheFileHoldsThem) {
    const MeasurementResults r = computeMeasurementResults(
        {positionSample(0, 12.345678, 30.04, 89.96), positionSample(0.1, 200.00004, 50.06, 60.0)});
    EXPECT_EQ(r.wh.minimum, 30.0);
    EXPECT_EQ(r.wh.angleOfMinimum, 12.3457);
    EXPECT_EQ(r.wh.maximum, 50.1);
    EXPECT_EQ(r.wh.angleOfMaximum, 200.0);
    EXPECT_EQ(r.wh.mean, (30.0 + 50.1) / 2);
    EXPECT_EQ(r.ye.maximum, 90.0);
    EXPECT_TRUE(r.ye.pass) << "89.96 is kept as 90.0, inside the band";
}

TEST(MeasurementResults, ReferenceMarksSpreadOverTheShortestArc) {
    const struct {
        const char* what;
        std::vector<double> angles;
        double spread, middle;
    } cases[] = {
        {"one mark", {120.5}, 0.0, 120.5},
        {"around one angle", {120.5, 120.25, 120.75}, 0.5, 120.5},
        {"across zero", {359.9, 0.1, 0.0}, 0.2, 0.0},
        {"across zero, middle below it", {359.7, 0.1}, 0.4, 359.9},
    };
    for (const auto& c : cases) {
        std::vector<RecordSample> samples;
        double value = 250.0;
        for (double angle : c.angles) {
            samples.push_back(referenceSample(0, angle, value, -value + 10.0));
            value += 4.0;
        }
        const MeasurementResults r = computeMeasurementResults(samples);
        EXPECT_EQ(r.referenceMarks, static_cast<int>(c.angles.size())) << c.what;
        EXPECT_NEAR(r.marks.angleSpread, c.spread, 1e-9) << c.what;
        EXPECT_NEAR(r.marks.meanAngle, c.middle, 1e-9) << c.what;
        EXPECT_EQ(r.marks.plusMinimum, 250.0) << c.what;
        EXPECT_EQ(r.marks.plusMaximum, value - 4.0) << c.what;
        EXPECT_EQ(r.marks.minusMaximum, -240.0) << c.what;
        EXPECT_EQ(r.marks.minusMinimum, -value + 14.0) << c.what;
    }
}
