// The amplitude bars' scale, colour bands, value handling and the rows a bar
// is painted with.

#include "display/AmplitudeBarLayout.h"
#include "display/AmplitudeScale.h"
#include "display/AmplitudeTrack.h"
#include "display/BarColours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(AmplitudeScale, TellingValuesAndClamping) {
    const struct {
        double amplitude;
        double height;
    } cases[] = {{0, 0.102},   {30, 14.28},  {50, 34.87},  {85, 66.94}, {95, 73.31},
                 {100, 75.98}, {200, 99.44}, {-20, 0.102}, {250, 99.44}};
    for (const auto& c : cases)
        EXPECT_NEAR(AmplitudeScale(c.amplitude), c.height, 0.006) << c.amplitude;
    EXPECT_NEAR(AmplitudeScale(std::numeric_limits<double>::quiet_NaN()), 0.102, 0.001);
    // Never falling above the dip to 0 just after 0 %, so bars never fold back.
    for (int a = 2; a <= 200; ++a)
        EXPECT_GE(AmplitudeScale(a), AmplitudeScale(a - 1)) << a;
}

TEST(AmplitudeScale, BandBorders) {
    const AmplitudeBands& b = amplitudeBands();
    const double eps = 1e-9;
    const struct {
        double level;
        BarBand band;
    } cases[] = {
        {0.0, BarBand::LightRed},
        {b.h30 - eps, BarBand::LightRed},
        {b.h30, BarBand::LightYellow},
        {b.h50 - eps, BarBand::LightYellow},
        {b.h50, BarBand::LightGreen},
        {AmplitudeScale(62), BarBand::LightGreen},
        {b.h85 - eps, BarBand::LightGreen},
        {b.h85, BarBand::LightYellow},
        {b.h95 - eps, BarBand::LightYellow},
        {b.h95, BarBand::LightRed},
        {99.44, BarBand::LightRed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amplitudeBand(c.level), c.band) << c.level;
}

TEST(AmplitudeTrack, ValuesAreKeptInHalfPercentSteps) {
    EXPECT_EQ(quantiseAmplitude(62.3), 62.0);
    EXPECT_EQ(quantiseAmplitude(62.7), 62.5);
    EXPECT_EQ(quantiseAmplitude(-3.0), 0.0);
    EXPECT_EQ(quantiseAmplitude(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(amplitudePercentText(quantiseAmplitude(62.3)), "   62%   ");
    EXPECT_EQ(amplitudePercentText(46.0), "   46%   ");
}

TEST(AmplitudeTrack, RedrawsOnlyWhenValueOrRangeChanges) {
    AmplitudeTrack t;
    EXPECT_TRUE(t.newAmplitude(50.0));  // first value always draws
    EXPECT_FALSE(t.newAmplitude(50.2)); // same half percent
    EXPECT_TRUE(t.newAmplitude(60.0));
    EXPECT_EQ(t.minimum, 50.0);
    EXPECT_EQ(t.maximum, 60.0);
    EXPECT_TRUE(t.newAmplitude(55.0)); // value moved inside the range
    EXPECT_FALSE(t.newAmplitude(55.0));

    t.reset();
    EXPECT_EQ(t.value, 0.0);
    EXPECT_FALSE(t.hasRange());
    EXPECT_TRUE(t.newAmplitude(46.0));
    EXPECT_EQ(t.minimum, 46.0);
    EXPECT_EQ(t.maximum, 46.0);
    EXPECT_FALSE(t.hasRange());
}

class BarFills : public ::testing::Test {
protected:
    AmplitudeBarGeometry g = AmplitudeBarGeometry::compute(QRect(0, 20, 240, 300));
};

TEST_F(BarFills, FillsStayInsideTheBarAndEndWithTheLine) {
    for (double top : {46.0, 90.0, 150.0, 250.0}) {
        AmplitudeTrack t;
        t.newAmplitude(20.0);
        t.newAmplitude(top);
        const auto fills = amplitudeBarFills(g, Head::WH, t);
        ASSERT_FALSE(fills.empty());
        for (const BarFill& f : fills)
            EXPECT_TRUE(g.bar(Head::WH).contains(f.rect)) << top;
        EXPECT_EQ(fills.back().paint, BarPaint::Black);
        // Every row of the bar is painted exactly once below the line.
        int rows = 0;
        for (std::size_t i = 0; i + 1 < fills.size(); ++i)
            rows += fills[i].rect.height();
        EXPECT_EQ(rows, g.barHeight) << top;
    }
    // Above 200 % the line stands at the 200 % height, inside the bar.
    const QRect line = amplitudeValueLine(g, Head::WH, 500.0);
    EXPECT_EQ(line, amplitudeValueLine(g, Head::WH, 200.0));
    EXPECT_TRUE(g.bar(Head::WH).contains(line));
}

TEST_F(BarFills, StripesMeetTheScaleAtTheBandBorders) {
    // The lowest yellow stripe (border 30 %) and the lowest red stripe above
    // the green band (border 95 %) lie on the double marks of the scale.
    AmplitudeTrack t;
    t.newAmplitude(10.0);
    t.newAmplitude(150.0);
    const auto fills = amplitudeBarFills(g, Head::WH, t);
    auto markRow = [&](double percent) {
        return g.bottom - static_cast<int>(AmplitudeScale(percent) / 100.0 * g.barHeight) - 2;
    };
    // Largest row (lowest on screen) of a stripe of `paint` above row `above`.
    auto lowestStripe = [&](BarPaint paint, int above) {
        int row = -1;
        for (const BarFill& f : fills)
            if (f.paint == paint && f.rect.height() == 1 && f.rect.top() < above)
                row = std::max(row, f.rect.top());
        return row;
    };
    EXPECT_NEAR(lowestStripe(BarPaint::LightYellow, g.bottom), markRow(30), 2);
    EXPECT_NEAR(lowestStripe(BarPaint::LightRed, markRow(85)), markRow(95), 2);

    std::vector<int> markRows;
    for (const QLine& l : amplitudeScaleMarks(g))
        markRows.push_back(l.y1());
    for (double border : {30.0, 95.0}) {
        EXPECT_NE(std::find(markRows.begin(), markRows.end(), markRow(border)), markRows.end());
        EXPECT_NE(std::find(markRows.begin(), markRows.end(), markRow(border) + 1), markRows.end());
    }
}

TEST_F(BarFills, AfterResetTheBarIsGreyWithTheLineAtTheValue) {
    AmplitudeTrack t;
    t.reset();
    t.newAmplitude(46.0);
    const auto fills = amplitudeBarFills(g, Head::YE, t);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0], (BarFill{g.bar(Head::YE), BarPaint::Grey}));
    EXPECT_EQ(fills[1].paint, BarPaint::Black);
    const int expectedBottom =
        static_cast<int>(g.bottom - AmplitudeScale(46.0) / 100.0 * g.barHeight);
    EXPECT_EQ(fills[1].rect.bottom() + 1, expectedBottom);
}

TEST(AmplitudeGeometry, EverythingLiesInsideTheArea) {
    for (QRect area : {QRect(0, 0, 240, 300), QRect(5, 18, 211, 251), QRect(0, 0, 90, 120)}) {
        const auto g = AmplitudeBarGeometry::compute(area);
        for (Head s : {Head::YE, Head::WH}) {
            EXPECT_TRUE(area.contains(g.bar(s).adjusted(-1, -1, 1, 1)));
            EXPECT_TRUE(area.contains(g.percentBox(s)));
            EXPECT_TRUE(area.contains(g.labelBox(s)));
            EXPECT_LT(g.labelBox(s).bottom(), g.top);
            EXPECT_GT(g.percentBox(s).top(), g.bottom);
        }
        EXPECT_LT(g.yeLeft + g.barWidth, g.whLeft);
        for (const QLine& l : amplitudeScaleMarks(g)) {
            EXPECT_GE(l.x1(), g.yeLeft + g.barWidth) << area.width();
            EXPECT_LT(l.x2(), g.whLeft);
            EXPECT_GE(l.y1(), g.top - 2);
            EXPECT_LT(l.y1(), g.bottom);
        }
    }
}

TEST(BarColours, SensorLabelsCanBeReadOnTheirGroundAtEveryDepth) {
    EXPECT_NEAR(contrastRatio(barcolour::kWhite, barcolour::kBlack), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(barcolour::kGrey, barcolour::kGrey), 1.0, 1e-9);
    for (int depth : {4, 8, 15, 16, 24, 32}) {
        const Rgb ground = nearestShownColour(barcolour::kLabelGround, depth);
        for (Rgb lettering :
             {nearestShownColour(barcolour::kWhite, depth), barShades(depth).yellow})
            EXPECT_GE(contrastRatio(lettering, ground), 4.5) << depth;
    }
}

TEST(BarColours, FallBackToPureColoursWhereShadesCannotBeShown) {
    const BarShades trueColour = barShades(32);
    EXPECT_EQ(trueColour.red, barcolour::kLightRed);
    EXPECT_EQ(trueColour.green, barcolour::kLightGreen);
    EXPECT_EQ(trueColour.yellow, barcolour::kLightYellow);
    // 5-6-5 cannot show 128 exactly, but shows the pure colours.
    const BarShades highColour = barShades(16);
    EXPECT_EQ(highColour.red, barcolour::kPureRed);
    EXPECT_EQ(highColour.green, barcolour::kPureGreen);
    EXPECT_EQ(highColour.yellow, barcolour::kPureYellow);
    EXPECT_EQ(barShades(4).red, barcolour::kPureRed);
}

} // namespace
