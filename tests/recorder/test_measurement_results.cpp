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
    } cases[] = {{30.0, 90.0, true}, {29.95, 60.0, false}, {50.0, 90.05, false}};
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
