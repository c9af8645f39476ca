// The amplitude envelope on its own: taking samples in piece by piece gives
// what taking them in at once gives, runs give way to columns past their
// budget, and the wrap from 360 to 0 degrees widens no column between.

#include "recorder/AmplitudeEnvelope.h"

#include "support/SyntheticRecording.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool sameRuns(const std::vector<EnvelopeRun>& a, const std::vector<EnvelopeRun>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const EnvelopeRun& x, const EnvelopeRun& y) {
            return x.begin == y.begin && x.end == y.end && x.x == y.x && x.count == y.count &&
                   x.firstWH == y.firstWH && x.lastWH == y.lastWH && x.lowWH == y.lowWH &&
                   x.highWH == y.highWH && x.firstYE == y.firstYE && x.lastYE == y.lastYE &&
                   x.lowYE == y.lowYE && x.highYE == y.highYE;
        });
}

bool sameColumns(const std::vector<EnvelopeColumn>& a, const std::vector<EnvelopeColumn>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const EnvelopeColumn& x, const EnvelopeColumn& y) {
                          return x.used == y.used && x.lowWH == y.lowWH && x.highWH == y.highWH &&
                                 x.lowYE == y.lowYE && x.highYE == y.highYE;
                      });
}

struct GrowthCase {
    const char* name;
    double revolutions;
    std::size_t piece; // samples appended between two extensions
    bool keepsRuns;
};

class EnvelopeGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(EnvelopeGrowth, PieceByPieceEqualsAllAtOnce) {
    SyntheticShaft shaft;
    shaft.samples = 40000;
    shaft.revolutions = GetParam().revolutions;
    const std::vector<RecordSample> all = syntheticRecording(shaft);

    AmplitudeEnvelope whole(37, 1237);
    whole.extend(all);
    AmplitudeEnvelope grown(37, 1237);
    std::vector<RecordSample> recording;
    for (std::size_t i = 0; i < all.size(); i += GetParam().piece) {
        const std::size_t end = std::min(all.size(), i + GetParam().piece);
        recording.insert(recording.end(), all.begin() + static_cast<long>(i),
                         all.begin() + static_cast<long>(end));
        grown.extend(recording);
        ASSERT_EQ(grown.covered(), recording.size());
    }
    EXPECT_EQ(whole.hasRuns(), GetParam().keepsRuns);
    EXPECT_EQ(grown.hasRuns(), GetParam().keepsRuns);
    EXPECT_TRUE(sameRuns(whole.runs(), grown.runs()));
    EXPECT_TRUE(sameColumns(whole.columns(), grown.columns()));
    if (whole.hasRuns()) {
        // Every sample is in exactly one run, in order.
        std::size_t counted = 0;
        for (const EnvelopeRun& r : whole.runs()) {
            counted += static_cast<std::size_t>(r.count);
        }
        EXPECT_EQ(counted, all.size());
    }
    EXPECT_EQ(std::count_if(whole.columns().begin(), whole.columns().end(),
                            [](const EnvelopeColumn& c) { return c.used; }),
              static_cast<long>(whole.columns().size()) - 1); // 360 degrees is never reached
}

INSTANTIATE_TEST_SUITE_P(Shapes, EnvelopeGrowth,
                         ::testing::Values(GrowthCase{"fewTurnsBySample", 3.0, 1, true},
                                           GrowthCase{"fewTurnsByBlock", 10.0, 777, true},
                                           GrowthCase{"manyTurnsBySample", 400.0, 1, false},
                                           GrowthCase{"manyTurnsByBlock", 400.0, 4096, false}),
                         [](const ::testing::TestParamInfo<GrowthCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(AmplitudeEnvelope, ColumnsHoldTheJoiningLinesButNotTheWrap) {
    AmplitudeEnvelope envelope(0, 360);
    const std::vector<RecordSample> samples = {
        positionSample(10.0, 50.0, 60.0), positionSample(20.0, 80.0, 30.0),
        positionSample(350.0, 40.0, 90.0), positionSample(5.0, 70.0, 65.0)};
    envelope.extend(samples);
    const std::vector<EnvelopeColumn>& c = envelope.columns();
    // 10 -> 20 degrees joined: every column between spans both ends.
    for (int x = 10; x <= 20; ++x) {
        EXPECT_TRUE(c[x].used) << x;
        EXPECT_EQ(c[x].lowWH, 50.0) << x;
        EXPECT_EQ(c[x].highWH, 80.0) << x;
        EXPECT_EQ(c[x].lowYE, 30.0) << x;
        EXPECT_EQ(c[x].highYE, 60.0) << x;
    }
    // 20 -> 350 and 350 -> 5 degrees are not joined.
    for (int x : {4, 6, 21, 100, 349, 351}) {
        EXPECT_FALSE(c[x].used) << x;
    }
    EXPECT_TRUE(c[5].used);
    EXPECT_EQ(c[5].highWH, 70.0);
    EXPECT_TRUE(c[350].used);
    EXPECT_EQ(c[350].lowWH, 40.0);
    EXPECT_EQ(envelope.runs().size(), 4u);
}

} // namespace
