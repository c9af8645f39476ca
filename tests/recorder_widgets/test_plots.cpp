// The two plots drawn into images: what an empty recording shows, the axis
// rules, the 90-degree rule, incremental drawing against a full redraw, and the
// column-extremes drawing against drawing every sample, for few turns and for
// many laid over each other.

#include "support/SyntheticRecording.h"

#include "config/ConfigData.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/ReferencePlot.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QRgb kBackground = qRgb(240, 240, 240);

PlotTarget screenTarget(QSize size) {
    PlotTarget t;
    t.area = QRect(QPoint(0, 0), size);
    t.background = QColor::fromRgb(kBackground);
    return t;
}

class Plots : public ::testing::Test {
protected:
    void SetUp() override { configData.language = 0; }

    QImage blank() const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kBackground);
        return image;
    }

    QImage draw(const std::vector<RecordSample>& samples,
                PlotDetail detail = PlotDetail::ColumnExtremes) {
        QImage image = blank();
        QPainter painter(&image);
        drawAmplitudePlot(painter, target, samples, PlotMode::Full, detail);
        drawReferencePlot(painter, target, samples, PlotMode::Full, refScale);
        return image;
    }

    void drawIncrementally(QImage& image, const std::vector<RecordSample>& samples) {
        QPainter painter(&image);
        drawAmplitudePlot(painter, target, samples, PlotMode::Incremental);
        if (samples.back().isReference) {
            drawReferencePlot(painter, target, samples, PlotMode::Incremental, refScale);
        }
    }

    static int count(const QImage& image, const QRect& area, QRgb colour) {
        int n = 0;
        const QRect r = area.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                n += (line[x] & 0xffffff) == (colour & 0xffffff);
            }
        }
        return n;
    }

    static QRect inside(const PlotBox& p) {
        return QRect(QPoint(p.left + 1, p.top + 1), QPoint(p.right - 1, p.bottom - 1));
    }

    QSize size{1200, 800};
    PlotTarget target = screenTarget(size);
    PlotBox amplitude = AmplitudePlot::frame(target);
    PlotBox reference = ReferencePlot::frame(target);
    int refScale = 0;
};

TEST_F(Plots, EmptyRecordingShowsGridsAndTitlesOnly) {
    const QImage image = draw({});
    EXPECT_EQ(count(image, inside(amplitude), AmplitudePlot::kCurveWH), 0);
    EXPECT_EQ(count(image, inside(amplitude), AmplitudePlot::kCurveYE), 0);
    EXPECT_GT(count(image, inside(amplitude), AmplitudePlot::kLimitLine), 0);
    EXPECT_GT(count(image, inside(amplitude), AmplitudePlot::kFillScreen), 0);
    for (QRgb c : {ReferencePlot::kRed, ReferencePlot::kBlue, ReferencePlot::kLightRed,
                   ReferencePlot::kLightBlue}) {
        EXPECT_EQ(count(image, inside(reference), c), 0);
    }
    EXPECT_GT(count(image, inside(reference), ReferencePlot::kFill), 0);
    // Both titles: black text in the strips above the plots.
    EXPECT_GT(count(image, QRect(amplitude.left, 0, 200, amplitude.top), qRgb(0, 0, 0)), 0);
    EXPECT_GT(count(image,
                    QRect(reference.left, amplitude.bottom + 20, 200,
                          reference.top - amplitude.bottom - 20),
                    qRgb(0, 0, 0)),
              0);
    // The vertical grid line at 180 degrees.
    const int x180 = xOfGridLine(amplitude, 4);
    EXPECT_EQ(image.pixel(x180, (amplitude.top + amplitude.bottom) / 2) & 0xffffff, 0u);
    EXPECT_EQ(refScale, 100);
}

TEST_F(Plots, ReferenceAxisGrowsAndTheWholePlotIsRedrawn) {
    std::vector<RecordSample> samples = {referenceSample(40.0, 250.0, 50.0, -50.0, -40.0)};
    QImage image = draw(samples);
    EXPECT_EQ(refScale, 300);

    samples.push_back(referenceSample(200.0, 120.0, 60.0, -420.0, -45.0));
    drawIncrementally(image, samples);
    EXPECT_EQ(refScale, 500);

    int fresh = 0;
    QImage expected = blank();
    {
        QPainter painter(&expected);
        drawAmplitudePlot(painter, target, samples, PlotMode::Full);
        drawReferencePlot(painter, target, samples, PlotMode::Full, fresh);
    }
    EXPECT_EQ(fresh, 500);
    EXPECT_TRUE(image == expected) << "the first mark moved and the labels changed";
}

TEST_F(Plots, AmplitudesAboveTheScaleAreDrawnOnTheTopEdge) {
    const std::vector<RecordSample> samples = {positionSample(100.0, 150.0, 50.0),
                                               positionSample(110.0, 180.0, 50.0)};
    const QImage image = draw(samples);
    const int x0 = xOfAngle(amplitude, 101.0);
    const int x1 = xOfAngle(amplitude, 109.0);
    EXPECT_GT(count(image, QRect(x0, amplitude.top - 1, x1 - x0, 3), AmplitudePlot::kCurveWH), 0);
    EXPECT_EQ(count(image, QRect(x0, amplitude.top + 2, x1 - x0, amplitude.height()),
                    AmplitudePlot::kCurveWH),
              0);
    EXPECT_EQ(count(image, QRect(x0, 0, x1 - x0, amplitude.top - 1), AmplitudePlot::kCurveWH), 0);
}

class WrapRule : public Plots, public ::testing::WithParamInterface<PlotDetail> {};

TEST_P(WrapRule, AmplitudesDoNotJoinAcrossTheWrapButReferenceLinesDo) {
    const std::vector<RecordSample> samples = {
        positionSample(340.0, 60.0, 70.0), referenceSample(350.0, 0.0, 50.0, 0.0, -50.0),
        positionSample(355.0, 60.0, 70.0), referenceSample(5.0, 0.0, 55.0, 0.0, -55.0),
        positionSample(15.0, 60.0, 70.0)};
    const QImage image = draw(samples, GetParam());
    const int x90 = xOfAngle(amplitude, 90.0);
    const int x270 = xOfAngle(amplitude, 270.0);
    const QRect middle(QPoint(x90, amplitude.top), QPoint(x270, amplitude.bottom));
    EXPECT_EQ(count(image, middle, AmplitudePlot::kCurveWH), 0);
    EXPECT_EQ(count(image, middle, AmplitudePlot::kCurveYE), 0);
    // Each side keeps its own short segments.
    EXPECT_GT(count(image, inside(amplitude), AmplitudePlot::kCurveWH), 0);
    const QRect across(QPoint(x90, reference.top + 1), QPoint(x270, reference.bottom - 1));
    EXPECT_GT(count(image, across, ReferencePlot::kRed), 0);
    EXPECT_GT(count(image, across, ReferencePlot::kBlue), 0);
}

INSTANTIATE_TEST_SUITE_P(BothDetails, WrapRule,
                         ::testing::Values(PlotDetail::ColumnExtremes, PlotDetail::EverySample));

TEST_F(Plots, ReferenceValueZeroDrawsNoCircle) {
    const QImage zero = draw({referenceSample(90.0, 0.0, 0.0, -60.0, 0.0)});
    EXPECT_EQ(count(zero, inside(reference), ReferencePlot::kLightRed), 0);
    EXPECT_GT(count(zero, inside(reference), ReferencePlot::kLightBlue), 0);
    const QImage both = draw({referenceSample(90.0, 40.0, 0.0, 0.0, 0.0)});
    EXPECT_GT(count(both, inside(reference), ReferencePlot::kLightRed), 0);
    EXPECT_EQ(count(both, inside(reference), ReferencePlot::kLightBlue), 0);
}

TEST_F(Plots, IncrementalDrawingAddsWhatAFullRedrawShows) {
    SyntheticShaft shaft;
    shaft.samples = 400;
    shaft.revolutions = 2.5;
    const std::vector<RecordSample> all = syntheticRecording(shaft);
    std::vector<RecordSample> growing(all.begin(), all.begin() + 1);
    QImage image = draw(growing, PlotDetail::EverySample);
    for (size_t i = 1; i < all.size(); ++i) {
        growing.push_back(all[i]);
        drawIncrementally(image, growing);
    }
    int fresh = 0;
    QImage expected = blank();
    {
        QPainter painter(&expected);
        drawAmplitudePlot(painter, target, all, PlotMode::Full, PlotDetail::EverySample);
        drawReferencePlot(painter, target, all, PlotMode::Full, fresh);
    }
    EXPECT_TRUE(image == expected);
}

TEST_F(Plots, AComparisonLiesUnderTheRecordingAndWidensTheReferenceAxis) {
    const std::vector<RecordSample> recording = {positionSample(10.0, 60.0, 70.0),
                                                 positionSample(20.0, 60.0, 70.0),
                                                 referenceSample(30.0, 150.0, 0, -120.0, 0)};
    const std::vector<RecordSample> other = {positionSample(100.0, 40.0, 85.0),
                                             positionSample(110.0, 40.0, 85.0),
                                             referenceSample(120.0, 450.0, 0, -100.0, 0)};
    const ComparisonRecording comparison = ComparisonRecording::of(other);
    QImage image = blank();
    {
        QPainter painter(&image);
        drawRecordingPlots(painter, target, recording, refScale, nullptr,
                           PlotDetail::ColumnExtremes, &comparison);
    }
    EXPECT_EQ(refScale, 500);
    const QRect left(QPoint(amplitude.left, amplitude.top),
                     QPoint(xOfAngle(amplitude, 50.0), amplitude.bottom));
    const QRect middle(QPoint(xOfAngle(amplitude, 90.0), amplitude.top),
                       QPoint(xOfAngle(amplitude, 130.0), amplitude.bottom));
    EXPECT_GT(count(image, left, AmplitudePlot::kCurveYE), 0);
    EXPECT_EQ(count(image, left, AmplitudePlot::kCompareYE), 0);
    EXPECT_GT(count(image, middle, AmplitudePlot::kCompareYE), 0);
    EXPECT_GT(count(image, middle, AmplitudePlot::kCompareWH), 0);
    EXPECT_EQ(count(image, middle, AmplitudePlot::kCurveYE), 0);
    EXPECT_GT(count(image, inside(reference), ReferencePlot::kCompareLightRed), 0);
    EXPECT_GT(count(image, inside(reference), ReferencePlot::kLightRed), 0);
}

struct LookCase {
    const char* name;
    SyntheticShaft shaft;
};

class ColumnExtremesLook : public Plots, public ::testing::WithParamInterface<LookCase> {};

// Drawing each column's run as one stroke changes no pixel, except where the
// two curves overlap inside one column: there the colour on top may differ.
TEST_P(ColumnExtremesLook, MatchesDrawingEverySample) {
    size = QSize(1900, 1000);
    target = screenTarget(size);
    const std::vector<RecordSample> samples = syntheticRecording(GetParam().shaft);
    const QImage fast = draw(samples, PlotDetail::ColumnExtremes);
    const QImage plain = draw(samples, PlotDetail::EverySample);
    int differing = 0;
    int curve = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = fast.pixel(x, y) & 0xffffff;
            const QRgb b = plain.pixel(x, y) & 0xffffff;
            const QRgb wh = AmplitudePlot::kCurveWH & 0xffffff;
            const QRgb ye = AmplitudePlot::kCurveYE & 0xffffff;
            curve += b == wh || b == ye;
            if (a != b) {
                ++differing;
                ASSERT_TRUE((a == wh && b == ye) || (a == ye && b == wh))
                    << "at " << x << "," << y << std::hex << " " << a << " vs " << b;
            }
        }
    }
    EXPECT_GT(curve, 1000);
    EXPECT_EQ(differing, 0) << differing << " of " << curve;
}

INSTANTIATE_TEST_SUITE_P(Recordings, ColumnExtremesLook,
                         ::testing::Values(LookCase{"slow", {200000, 3.0, 123.4, 1.5, 7}},
                                           LookCase{"fast", {20000, 40.0, 200.0, 3.0, 11}},
                                           LookCase{"crossing", {100000, 5.0, 10.0, 12.0, 3}}),
                         [](const ::testing::TestParamInfo<LookCase>& info) {
                             return std::string(info.param.name);
                         });

// Many turns over one another: each column's bars cover every pixel that
// drawing every sample colours with a curve, whichever colour ends on top.
class ManyTurnsCover : public Plots, public ::testing::WithParamInterface<LookCase> {};

// Every pixel `plain` colours with a curve is a curve's pixel in `fast` too.
void expectCurvesCovered(const QImage& fast, const QImage& plain, QRgb wh, QRgb ye) {
    wh &= 0xffffff;
    ye &= 0xffffff;
    int stroked = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb b = plain.pixel(x, y) & 0xffffff;
            if (b != wh && b != ye) {
                continue;
            }
            ++stroked;
            const QRgb a = fast.pixel(x, y) & 0xffffff;
            ASSERT_TRUE(a == wh || a == ye) << "uncovered at " << x << "," << y;
        }
    }
    EXPECT_GT(stroked, 1000);
}

TEST_P(ManyTurnsCover, EveryStrokedPixelIsCovered) {
    size = QSize(1900, 1000);
    target = screenTarget(size);
    const std::vector<RecordSample> samples = syntheticRecording(GetParam().shaft);
    expectCurvesCovered(draw(samples, PlotDetail::ColumnExtremes),
                        draw(samples, PlotDetail::EverySample), AmplitudePlot::kCurveWH,
                        AmplitudePlot::kCurveYE);
}

// The printed report's wider pens, and a comparison recording under the
// curves, are covered in the same way.
TEST_P(ManyTurnsCover, PrintedPageAndComparisonAreCovered) {
    PlotTarget page;
    page.printer = true;
    page.sx = 6.0; // about 150 dots per inch
    page.sy = 6.0;
    page.area = QRect(0, 0, 1260, 1782);
    const std::vector<RecordSample> samples = syntheticRecording(GetParam().shaft);
    const ComparisonRecording comparison = ComparisonRecording::of(samples);
    const std::vector<RecordSample> none;
    auto render = [&](PlotDetail detail) {
        QImage image(page.area.size(), QImage::Format_RGB32);
        image.fill(kBackground);
        QPainter painter(&image);
        drawAmplitudePlot(painter, page, samples, PlotMode::Full, detail);
        return image;
    };
    expectCurvesCovered(render(PlotDetail::ColumnExtremes), render(PlotDetail::EverySample),
                        AmplitudePlot::kCurveWH, AmplitudePlot::kCurveYE);
    // The comparison is always drawn the fast way; against its own recording
    // drawn every sample it covers the same pixels in its lighter colours.
    QImage under(page.area.size(), QImage::Format_RGB32);
    under.fill(kBackground);
    {
        QPainter painter(&under);
        drawAmplitudePlot(painter, page, none, PlotMode::Full, PlotDetail::EverySample, nullptr,
                          &comparison);
    }
    QImage recolouredPlain = render(PlotDetail::EverySample);
    for (int y = 0; y < recolouredPlain.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(recolouredPlain.scanLine(y));
        for (int x = 0; x < recolouredPlain.width(); ++x) {
            if ((line[x] & 0xffffff) == (AmplitudePlot::kCurveWH & 0xffffff)) {
                line[x] = AmplitudePlot::kCompareWH;
            } else if ((line[x] & 0xffffff) == (AmplitudePlot::kCurveYE & 0xffffff)) {
                line[x] = AmplitudePlot::kCompareYE;
            }
        }
    }
    expectCurvesCovered(under, recolouredPlain, AmplitudePlot::kCompareWH,
                        AmplitudePlot::kCompareYE);
}

INSTANTIATE_TEST_SUITE_P(Recordings, ManyTurnsCover,
                         ::testing::Values(LookCase{"nightly", {200000, 1000.0, 123.4, 1.5, 5}},
                                           LookCase{"noisy", {100000, 300.0, 40.0, 12.0, 9}},
                                           LookCase{"sparse", {60000, 2000.0, 300.0, 20.0, 2}}),
                         [](const ::testing::TestParamInfo<LookCase>& info) {
                             return std::string(info.param.name);
                         });

// The envelope kept between drawings follows the recording: samples appended
// while recording (past the point where the turns overlap too much for runs),
// a cleared and refilled recording, all draw as a fresh copy of the same
// samples does.
TEST_F(Plots, RedrawsFollowTheRecordingAsItGrowsAndIsReplaced) {
    SyntheticShaft shaft;
    shaft.samples = 60000;
    shaft.revolutions = 120.0;
    const std::vector<RecordSample> all = syntheticRecording(shaft);
    std::vector<RecordSample> recording;
    auto matchesFresh = [&] {
        const std::vector<RecordSample> copy = recording;
        return draw(recording) == draw(copy);
    };
    for (std::size_t n : {std::size_t{1}, std::size_t{500}, std::size_t{5000}, all.size()}) {
        while (recording.size() < n) {
            recording.push_back(all[recording.size()]);
            if (recording.size() % 97 == 0) {
                QImage image = blank();
                drawIncrementally(image, recording);
            }
        }
        EXPECT_TRUE(matchesFresh()) << n << " samples";
    }
    shaft.seed = 99;
    shaft.samples = 3000;
    shaft.revolutions = 2.0;
    recording = syntheticRecording(shaft);
    EXPECT_TRUE(matchesFresh()) << "refilled";
    recording.clear();
    EXPECT_TRUE(draw(recording) == draw({})) << "cleared";
}

} // namespace
