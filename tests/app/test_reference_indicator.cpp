// The reference indicator on the zero button: which events light it, and the
// half second it stays lit after the last one.

#include "app/ReferenceIndicator.h"

#include <gtest/gtest.h>

namespace {

using Image = ReferenceIndicator::Image;

struct ManualClock {
    int64_t now = 10'000;
    ReferenceIndicator::Clock clock() {
        return [this] { return now; };
    }
};

TEST(ReferenceIndicator, TwoEventsKeepItLitUntilHalfASecondAfterTheSecond) {
    ManualClock t;
    ReferenceIndicator indicator(t.clock());
    indicator.referenceFound("QTBX01", false, 0.0);
    EXPECT_EQ(indicator.expire(), Image::Found);
    t.now += 300;
    indicator.referenceFound("QTBX01", false, 0.0);
    t.now += 400; // 700 ms after the first, 400 after the second
    EXPECT_EQ(indicator.expire(), Image::Found);
    t.now += 100; // exactly 500 after the second: still lit
    EXPECT_EQ(indicator.expire(), Image::Found);
    t.now += 1;
    EXPECT_EQ(indicator.expire(), Image::Idle);
}

TEST(ReferenceIndicator, PassedLightsOnlyFromIdleAndDoesNotReplaceFound) {
    ManualClock t;
    ReferenceIndicator indicator(t.clock());
    indicator.referencePassed("QTBX01", false, 0.0);
    EXPECT_EQ(indicator.expire(), Image::Passed);

    t.now += 1000;
    EXPECT_EQ(indicator.expire(), Image::Idle);
    indicator.referenceFound("QTBX01", false, 0.0);
    t.now += 400;
    // Not idle: a passed mark neither changes the image nor restarts the time.
    indicator.referencePassed("QTBX01", false, 0.0);
    EXPECT_EQ(indicator.image(), Image::Found);
    t.now += 101;
    EXPECT_EQ(indicator.expire(), Image::Idle);
}

struct AngleCase {
    const char* boxType;
    bool absolute;
    double angle;
    bool lights;
};

class ReferenceAngle : public testing::TestWithParam<AngleCase> {};

TEST_P(ReferenceAngle, OneReferenceBoxLightsOnlyNearZeroWithAbsolutePosition) {
    const AngleCase& c = GetParam();
    ManualClock t;
    ReferenceIndicator found(t.clock());
    found.referenceFound(c.boxType, c.absolute, c.angle);
    EXPECT_EQ(found.expire() == Image::Found, c.lights);
    ReferenceIndicator passed(t.clock());
    passed.referencePassed(c.boxType, c.absolute, c.angle);
    EXPECT_EQ(passed.expire() == Image::Passed, c.lights);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceAngle,
                         testing::Values(AngleCase{"QTBX02 (1Ref)", true, 10.0, false},
                                         AngleCase{"QTBX02 (1Ref)", true, 5.0, true},
                                         AngleCase{"QTBX02 (1Ref)", true, -355.0, true},
                                         AngleCase{"QTBX02 (1Ref)", true, 353.0, false},
                                         AngleCase{"QTBX02 (1Ref)", true, 7.0, false},
                                         AngleCase{"QTBX02 (1Ref)", false, 0.0, false},
                                         AngleCase{"ORVA-U 1Ref", true, 359.5, true},
                                         AngleCase{"QTBX01", false, 180.0, true},
                                         AngleCase{"", false, 90.0, true}));

TEST(ReferenceIndicator, NotConnectedStaysUntilAnEventFindsTheLastMarkOld) {
    ManualClock t;
    ReferenceIndicator indicator(t.clock());
    indicator.referenceFound("QTBX01", false, 0.0);
    indicator.setNotConnected();
    EXPECT_EQ(indicator.image(), Image::NotConnected);
    t.now += 200;
    EXPECT_EQ(indicator.expire(), Image::NotConnected);
    t.now += 400;
    EXPECT_EQ(indicator.expire(), Image::Idle);
}

TEST(ReferenceIndicator, TimeStartsAtTheFirstEventNotAtZero) {
    ManualClock t;
    t.now = 5'000'000;
    ReferenceIndicator indicator(t.clock());
    indicator.setNotConnected();
    // The first event sets the indicator time: no instant expiry against 0.
    EXPECT_EQ(indicator.expire(), Image::NotConnected);
    t.now += 501;
    EXPECT_EQ(indicator.expire(), Image::Idle);
}

} // namespace
