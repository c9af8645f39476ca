// Where the plots lie and where a value lands: the reference axis rule, the
// clamping of both axes, the 90-degree rule and the printer page.

#include "recorder/RecordFileFormat.h"
#include "recorder/RecordSample.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/EvaluationLayout.h"
#include "recorder/widgets/ReferencePlot.h"

#include <gtest/gtest.h>

namespace {

PlotTarget screen(int width, int height) {
    PlotTarget t;
    t.area = QRect(0, 0, width, height);
    return t;
}

struct HalfRangeCase {
    double largestC;
    double smallestE;
    int expected;
};

class ReferenceHalfRange : public ::testing::TestWithParam<HalfRangeCase> {};

TEST_P(ReferenceHalfRange, RoundsUpPastTheNextHundred) {
    const HalfRangeCase c = GetParam();
    EXPECT_EQ(ReferencePlot::halfRangeFor(c.largestC, c.smallestE), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceHalfRange,
    ::testing::Values(HalfRangeCase{0, 0, 100}, HalfRangeCase{99.9, -99.9, 100},
                      HalfRangeCase{100, 0, 200}, HalfRangeCase{250, 0, 300},
                      HalfRangeCase{250, -420, 500}, HalfRangeCase{300, 0, 400},
                      HalfRangeCase{0, -1000, 1100}, HalfRangeCase{-50, 0, 100},
                      // Beyond what a box sends (a damaged line while recording):
                      // held at the widest axis instead of wrapping around.
                      HalfRangeCase{kMaxReferenceValue, 0, 536871000},
                      HalfRangeCase{3e9, 0, 536871000}, HalfRangeCase{0, -3e9, 536871000},
                      HalfRangeCase{1e300, -1e300, 536871000}));

TEST(ReferenceHalfRange, TheWidestAxisLabelsItsGridWithoutOverflow) {
    const int widest = ReferencePlot::halfRangeFor(3e9, 0);
    EXPECT_EQ(ReferencePlot::gridValue(widest, 0), -widest);
    EXPECT_EQ(ReferencePlot::gridValue(widest, 10), 0);
    EXPECT_EQ(ReferencePlot::gridValue(widest, 20), widest);
    PlotBox plot;
    plot.top = 100;
    plot.bottom = 300;
    EXPECT_EQ(ReferencePlot::yOfValue(plot, widest, 3e9), plot.top);
    EXPECT_EQ(ReferencePlot::yOfValue(plot, widest, -3e9), plot.bottom);
}

TEST(ReferenceHalfRange, LooksOnlyAtReferenceSamples) {
    RecordSample position;
    position.refC = 900; // not a reference mark: ignored
    RecordSample mark;
    mark.isReference = true;
    mark.refC = 250;
    mark.refE = -120;
    EXPECT_EQ(ReferencePlot::halfRange({position, mark}), 300);
    EXPECT_EQ(ReferencePlot::halfRange({}), 100);
}

TEST(PlotGeometry, AnglesSpanThePlotAndFarStepsStayOpen) {
    const PlotBox plot = AmplitudePlot::frame(screen(1200, 800));
    EXPECT_EQ(xOfAngle(plot, 0.0), plot.left);
    EXPECT_EQ(xOfAngle(plot, 360.0), plot.right);
    EXPECT_EQ(xOfGridLine(plot, 0), plot.left);
    EXPECT_EQ(xOfGridLine(plot, 8), plot.right);
    const int x350 = xOfAngle(plot, 350.0);
    const int x5 = xOfAngle(plot, 5.0);
    EXPECT_FALSE(joinsAcross(plot, x350, x5));
    EXPECT_TRUE(joinsAcross(plot, xOfAngle(plot, 10.0), xOfAngle(plot, 99.0)));
    EXPECT_FALSE(joinsAcross(plot, xOfAngle(plot, 10.0), xOfAngle(plot, 101.0)));
}

TEST(PlotGeometry, AmplitudesAboveTheScaleLieOnTheTopEdge) {
    const PlotBox plot = AmplitudePlot::frame(screen(1200, 800));
    EXPECT_EQ(AmplitudePlot::yOfAmplitude(plot, 0.0), plot.bottom);
    EXPECT_EQ(AmplitudePlot::yOfAmplitude(plot, 120.0), plot.top);
    EXPECT_EQ(AmplitudePlot::yOfAmplitude(plot, 250.0), plot.top);
    EXPECT_EQ(AmplitudePlot::yOfGridLine(plot, 0), plot.bottom);
    EXPECT_EQ(AmplitudePlot::yOfGridLine(plot, 120), plot.top);
    EXPECT_NEAR(AmplitudePlot::yOfGridLine(plot, 30), AmplitudePlot::yOfAmplitude(plot, 30.0), 1);
}

TEST(PlotGeometry, ReferenceValuesBeyondTheAxisAreHeldInside) {
    const PlotBox plot = ReferencePlot::frame(screen(1200, 800));
    EXPECT_EQ(ReferencePlot::yOfValue(plot, 300, 300.0), plot.top);
    EXPECT_EQ(ReferencePlot::yOfValue(plot, 300, 5000.0), plot.top);
    EXPECT_EQ(ReferencePlot::yOfValue(plot, 300, -5000.0), plot.bottom);
    EXPECT_EQ(ReferencePlot::yOfGridLine(plot, 0), plot.bottom);
    EXPECT_EQ(ReferencePlot::yOfGridLine(plot, 20), plot.top);
    EXPECT_EQ(ReferencePlot::gridValue(500, 0), -500);
    EXPECT_EQ(ReferencePlot::gridValue(500, 10), 0);
    EXPECT_EQ(ReferencePlot::gridValue(500, 20), 500);
}

TEST(PlotGeometry, ScreenPlotsAreStackedAndAligned) {
    for (const QSize size : {QSize(719, 589), QSize(1920, 1040), QSize(3840, 2100)}) {
        const PlotTarget t = screen(size.width(), size.height());
        const PlotBox a = AmplitudePlot::frame(t);
        const PlotBox r = ReferencePlot::frame(t);
        EXPECT_EQ(a.left, r.left);
        EXPECT_EQ(a.right, r.right);
        EXPECT_LT(a.bottom, r.top) << "the reference title strip lies between";
        EXPECT_LT(r.bottom + 15, size.height()) << "room for the angle labels";
        EXPECT_GT(a.left, 30) << "room for the percent labels";
    }
}

TEST(PlotGeometry, PrinterPlotsStayInsideTheirBands) {
    PlotTarget t;
    t.printer = true;
    t.area = QRect(0, 0, 4961, 7016); // A4 at 600 dpi
    t.sx = 4961 / 210.0;
    t.sy = 7016 / 297.0;
    const PlotBox a = AmplitudePlot::frame(t);
    const PlotBox r = ReferencePlot::frame(t);
    EXPECT_GE(a.left, int(20 * t.sx));
    EXPECT_LE(a.right, int(200 * t.sx));
    EXPECT_GT(a.top, int(65 * t.sy));
    EXPECT_LT(a.bottom, r.top);
    EXPECT_LT(r.bottom, int(290 * t.sy)) << "inside the frame";
    EXPECT_EQ(a.left, r.left);
    EXPECT_EQ(a.right, r.right);
}

TEST(EvaluationLayout, ButtonsSitInARowAtTheBottomRight) {
    const QSize client(1900, 1000);
    const QSize window(1916, 1030);
    const std::array<QSize, kButtonRowCount> sizes = {
        QSize(160, 30), QSize(120, 30), QSize(120, 30), QSize(120, 30), QSize(120, 30)};
    const auto row = buttonRow(client, window, sizes);
    const int right = int(client.width() - 1.03 * window.width()) + window.width();
    const int bottom = int(client.height() - 1.01 * window.height()) + window.height();
    EXPECT_EQ(row[0].x() + row[0].width(), right);
    EXPECT_EQ(row[0].y() + row[0].height(), bottom);
    for (size_t i = 1; i < row.size(); ++i) {
        EXPECT_EQ(row[i].size(), sizes[i]);
        EXPECT_EQ(row[i].y(), row[0].y());
        EXPECT_EQ(row[i - 1].x() - (row[i].x() + row[i].width()), window.width() / 100);
    }
}

} // namespace
