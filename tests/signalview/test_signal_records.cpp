// The bounded records of the view: the ring of points, the one-minute trend
// and the view that feeds both.

#include "signalview/AmplitudeHistory.h"
#include "signalview/SignalTrace.h"
#include "signalview/SignalView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(SignalTrace, KeepsTheNewestPointsOldestFirst) {
    SignalTrace trace(3);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(trace.smallestRadius(), 0.0);
    for (int i = 1; i <= 5; ++i)
        trace.add({double(i), 0});
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace.at(0).x, 3.0);
    EXPECT_EQ(trace.newest().x, 5.0);
    EXPECT_EQ(trace.points().size(), 3u);
    EXPECT_EQ(trace.smallestRadius(), 3.0);
    EXPECT_EQ(trace.largestRadius(), 5.0);
    trace.clear();
    EXPECT_TRUE(trace.empty());
    trace.add({0, -7});
    EXPECT_EQ(trace.largestRadius(), 7.0);
}

TEST(AmplitudeHistory, KeepsOneMinuteAndNoMoreEntriesThanItsBound) {
    AmplitudeHistory h;
    for (int i = 0; i <= 1200; ++i)
        h.add({i * 0.1, 50, 60}); // two minutes
    EXPECT_GE(h.entries().front().time, h.newestTime() - AmplitudeHistory::kSpanSeconds);
    EXPECT_NEAR(h.newestTime(), 120.0, 1e-9);

    AmplitudeHistory still; // a clock that stands
    for (std::size_t i = 0; i < AmplitudeHistory::kMaxEntries + 50; ++i)
        still.add({5.0, 1, 1});
    EXPECT_EQ(still.entries().size(), AmplitudeHistory::kMaxEntries);

    h.add({1.0, 1, 1}); // the clock went back: a new session
    EXPECT_EQ(h.entries().size(), 1u);
}

TEST(AmplitudeHistory, ColumnsHoldTheRangeOfWhatFellIntoThem) {
    AmplitudeHistory h;
    h.add({0.0, 10, 90});
    h.add({0.5, 30, 70}); // same column of a 60-column chart as the first
    h.add({60.0, 50, 50});
    const auto ye = h.columnRanges(60, Head::YE);
    ASSERT_EQ(ye.size(), 60u);
    EXPECT_FALSE(ye[0].empty);
    EXPECT_EQ(ye[0].low, 10.0);
    EXPECT_EQ(ye[0].high, 30.0);
    EXPECT_TRUE(ye[30].empty);
    EXPECT_EQ(ye[59].low, 50.0); // the newest sits at the right edge
    const auto wh = h.columnRanges(60, Head::WH);
    EXPECT_EQ(wh[0].low, 70.0);
    EXPECT_EQ(wh[0].high, 90.0);
    EXPECT_TRUE(h.columnRanges(0, Head::YE).empty());
}

SignalSample sample(double whA, double whB, double yeA, double yeB, double t) {
    SignalSample s;
    s.channelValues[0] = whA;
    s.channelValues[1] = whB;
    s.channelValues[2] = yeA;
    s.channelValues[3] = yeB;
    s.amplitudeWH = 60;
    s.amplitudeYE = 70;
    s.time = t;
    return s;
}

TEST(SignalView, FeedsBothHeadsAndTheTrend) {
    SignalView view;
    for (int i = 0; i < 100; ++i) {
        const double t = 2.0 * std::numbers::pi * i / 100;
        view.addSample(sample(300 * std::cos(t), 300 * std::sin(t), 350 * std::cos(t),
                              350 * std::sin(t), i * 0.04));
    }
    EXPECT_EQ(view.samples(), 100u);
    EXPECT_EQ(view.trace(Head::WH).size(), 100u);
    EXPECT_EQ(view.history().entries().size(), 100u);
    ASSERT_TRUE(view.fit(Head::YE));
    EXPECT_NEAR(view.fit(Head::YE)->amplitudeA, 350 / 5.12, 1e-6);
    EXPECT_NEAR(view.fit(Head::WH)->amplitudeB, 300 / 5.12, 1e-6);

    // Channel values that did not change (an older box between its CV lines)
    // add no point; offsets out of range neither.
    view.addSample(sample(300, 0, 350, 0, 4.0));
    view.addSample(sample(300, 0, 350, 0, 4.1));
    EXPECT_EQ(view.trace(Head::WH).size(), 101u);
    SignalSample bad = sample(1, 2, 3, 4, 4.2);
    bad.dacOffsets[2] = 600;
    view.addSample(bad);
    EXPECT_EQ(view.trace(Head::YE).size(), 101u);
    EXPECT_EQ(view.trace(Head::WH).size(), 102u);

    view.clear();
    EXPECT_TRUE(view.trace(Head::YE).empty());
    EXPECT_TRUE(view.history().empty());
    EXPECT_FALSE(view.fit(Head::YE));
    EXPECT_EQ(view.samples(), 0u);
}

} // namespace
