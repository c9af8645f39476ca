// The evaluation window as its owner and the user work it: captions and ids,
// the button row, Clear and Close as signals, drawing sample by sample against
// a full redraw, the growing reference axis and the results block.

#include "support/Controls.h"
#include "support/SyntheticRecording.h"
#include "support/Waiting.h"

#include "config/ConfigData.h"
#include "config/EvaluationRows.h"
#include "config/Texts.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/ReferencePlot.h"
#include "recorder/widgets/ResultsBlock.h"
#include "ui/UiText.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class EvaluationWindow : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        window.resize(1200, 800);
    }
    void TearDown() override { configData.language = 0; }

    int curvePixels() {
        window.renderNow();
        const QImage& image = window.canvas();
        const PlotBox plot = AmplitudePlot::frame(window.plotTarget());
        int n = 0;
        for (int y = plot.top + 1; y < plot.bottom; ++y) {
            for (int x = plot.left + 1; x < plot.right; ++x) {
                const QRgb c = image.pixel(x, y) & 0xffffff;
                n += c == (AmplitudePlot::kCurveWH & 0xffffff) ||
                     c == (AmplitudePlot::kCurveYE & 0xffffff);
            }
        }
        return n;
    }

    void record(const RecordSample& s) {
        samples.push_back(s);
        window.addSample();
    }

    std::vector<RecordSample> samples;
    CErgebnisDlg window{nullptr, samples};
};

TEST_F(EvaluationWindow, ButtonsCarryTheirIdsAndTheEvaluationCaptions) {
    configData.language = 1;
    window.refreshCaptions();
    namespace rows = evaluationrow;
    const std::pair<int, int> buttons[] = {
        {CErgebnisDlg::kClose, rows::kCloseWindow}, {CErgebnisDlg::kPrint, rows::kPrint},
        {CErgebnisDlg::kClear, rows::kClear},       {CErgebnisDlg::kOpenFile, rows::kOpenFile},
        {CErgebnisDlg::kSavePdf, rows::kSaveAsPdf}, {CErgebnisDlg::kStop, rows::kStop}};
    for (const auto& [id, row] : buttons) {
        QPushButton* b = control<QPushButton>(&window, id);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), uiText(TextTable::Evaluation, row));
    }
    EXPECT_EQ(control<QPushButton>(&window, 1)->text(), QStringLiteral("Fenster schließen"));
    EXPECT_TRUE(control<QPushButton>(&window, 1)->isDefault());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Data recorder: "));
}

TEST_F(EvaluationWindow, ButtonRowSitsAtTheBottomRightInItsOrder) {
    window.renderNow();
    const int ids[] = {CErgebnisDlg::kClose,    CErgebnisDlg::kPrint,   CErgebnisDlg::kClear,
                       CErgebnisDlg::kOpenFile, CErgebnisDlg::kSavePdf, CErgebnisDlg::kStop};
    QRect previous;
    for (int id : ids) {
        const QRect r = control<QPushButton>(&window, id)->geometry();
        EXPECT_TRUE(window.rect().contains(r)) << id;
        if (!previous.isNull()) {
            EXPECT_LT(r.right(), previous.left()) << id;
            EXPECT_EQ(r.top(), previous.top()) << id;
        }
        previous = r;
    }
    const QRect close = control<QPushButton>(&window, CErgebnisDlg::kClose)->geometry();
    EXPECT_GT(close.right(), window.width() * 9 / 10);
    EXPECT_GT(close.bottom(), window.height() * 9 / 10);
}

TEST_F(EvaluationWindow, ClearAsksTheOwnerThenShowsEmptyPlots) {
    for (const RecordSample& s : syntheticRecording({300, 1.5, 50.0, 1.0, 1})) {
        record(s);
    }
    window.setWindowTitle(QStringLiteral("Data recorder: #300 / Pos 180.0000°"));
    ASSERT_GT(curvePixels(), 0);
    int cleared = 0;
    QObject::connect(&window, &CErgebnisDlg::clearRequested, [&] {
        ++cleared;
        samples.clear();
    });
    control<QPushButton>(&window, CErgebnisDlg::kClear)->click();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Data recorder:"));
    EXPECT_EQ(curvePixels(), 0);
    EXPECT_EQ(window.refScale(), 100);
}

TEST_F(EvaluationWindow, CloseButtonAndCloseBoxLeaveClosingToTheOwner) {
    window.show();
    int asked = 0;
    int openAsked = 0;
    QObject::connect(&window, &CErgebnisDlg::closeRequested, [&] { ++asked; });
    QObject::connect(&window, &CErgebnisDlg::openFileRequested, [&] { ++openAsked; });
    control<QPushButton>(&window, CErgebnisDlg::kClose)->click();
    window.close();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(window.isVisible());
    control<QPushButton>(&window, CErgebnisDlg::kOpenFile)->click();
    EXPECT_EQ(openAsked, 1);
}

TEST_F(EvaluationWindow, MovedAwayItReturnsToTheWholeScreen) {
    window.present();
    ASSERT_TRUE(waitWithEvents([&] { return window.isMaximized(); }));
    window.showNormal();
    window.move(40, 30);
    EXPECT_TRUE(waitWithEvents([&] { return window.isMaximized(); }));
}

TEST_F(EvaluationWindow, SampleBySampleDrawsWhatAFullRedrawShows) {
    window.renderNow();
    int redrawn = 0;
    for (const RecordSample& s : syntheticRecording({1500, 3.2, 77.0, 2.0, 5})) {
        record(s);
        // Painting in between, as the screen does; only a wider reference
        // axis should need everything anew.
        const int scale = window.refScale();
        window.renderNow();
        redrawn += window.refScale() != scale;
    }
    EXPECT_EQ(redrawn, 1);
    const QImage incremental = window.canvas().copy();
    window.redrawAll();
    window.renderNow();
    EXPECT_TRUE(incremental == window.canvas());
}

TEST_F(EvaluationWindow, ReferenceAxisFollowsTheRecording) {
    window.renderNow();
    record(positionSample(10.0, 60.0, 70.0));
    record(referenceSample(40.0, 250.0, 50.0, -50.0, -40.0));
    window.renderNow();
    EXPECT_EQ(window.refScale(), 300);
    record(referenceSample(200.0, 120.0, 60.0, -420.0, -45.0));
    window.renderNow();
    EXPECT_EQ(window.refScale(), 500);
}

TEST_F(EvaluationWindow, ResultsBlockTakesRoomUnderThePlots) {
    const PlotBox before = ReferencePlot::frame(window.plotTarget());
    MeasurementResults results;
    results.valid = true;
    results.samples = 1000;
    results.referenceMarks = 3;
    results.ye = {41.25, 78.9, 60.1, 123.4, 12.0, true};
    results.wh = {22.0, 95.5, 58.0, 300.25, 45.5, false};
    window.setResults(results);
    window.renderNow();
    const PlotBox after = ReferencePlot::frame(window.plotTarget());
    EXPECT_LT(after.bottom, before.bottom);
    EXPECT_TRUE(window.showsResults());
    control<QPushButton>(&window, CErgebnisDlg::kClear)->click();
    EXPECT_FALSE(window.showsResults());
}

TEST_F(EvaluationWindow, AComparisonStaysUnderNewSamplesUntilClear) {
    const std::vector<RecordSample> other = {referenceSample(120.0, 450.0, 0, -100.0, 0)};
    window.setComparison(&other);
    window.renderNow();
    EXPECT_EQ(window.refScale(), 500);
    record(referenceSample(40.0, 250.0, 50.0, -50.0, -40.0));
    window.renderNow();
    EXPECT_EQ(window.refScale(), 500) << "the comparison's marks keep the wider axis";
    const QImage incremental = window.canvas().copy();
    window.redrawAll();
    window.renderNow();
    EXPECT_TRUE(incremental == window.canvas());

    QObject::connect(&window, &CErgebnisDlg::clearRequested, [&] { samples.clear(); });
    control<QPushButton>(&window, CErgebnisDlg::kClear)->click();
    window.renderNow();
    EXPECT_FALSE(window.showsComparison());
    EXPECT_EQ(window.refScale(), 100);
}

TEST(ResultLines, EveryLanguageStatesTheFiguresWithADecimalPoint) {
    MeasurementResults results;
    results.valid = true;
    results.referenceMarks = 7;
    results.marks = {0.1, 359.95, 250.0, 262.5, -251.0, -240.0};
    results.ye = {41.25, 78.9, 60.1, 123.4, 12.0, true};
    results.wh = {22.0, 95.5, 58.0, 300.25, 45.5, false};
    namespace rows = evaluationrow;
    for (int language = 0; language < kLanguageCount; ++language) {
        const QStringList lines = resultLines(results, language);
        ASSERT_EQ(lines.size(), kResultLineCount) << language;
        EXPECT_EQ(lines[0], uiTextIn(TextTable::Evaluation, rows::kMeasurementResults, language));
        EXPECT_TRUE(lines[1].contains(QStringLiteral("41.3 %")) ||
                    lines[1].contains(QStringLiteral("41.2 %")))
            << lines[1].toStdString();
        EXPECT_TRUE(lines[1].contains(QStringLiteral("123.4°"))) << lines[1].toStdString();
        EXPECT_TRUE(
            lines[1].endsWith(uiTextIn(TextTable::Evaluation, rows::kWithinBand, language)));
        EXPECT_TRUE(
            lines[2].endsWith(uiTextIn(TextTable::Evaluation, rows::kOutsideBand, language)));
        EXPECT_TRUE(lines[3].startsWith(
            uiTextIn(TextTable::Evaluation, rows::kReferenceMarksCount, language) + " 7   "))
            << lines[3].toStdString();
        EXPECT_TRUE(lines[3].contains(QStringLiteral("359.9500°"))) << lines[3].toStdString();
        EXPECT_TRUE(lines[3].contains(uiTextIn(TextTable::Evaluation, rows::kSpread, language) +
                                      QStringLiteral(" 0.1000°")))
            << lines[3].toStdString();
        EXPECT_TRUE(lines[3].endsWith(QStringLiteral("+ 250.0 .. 262.5   - -251.0 .. -240.0")))
            << lines[3].toStdString();
        EXPECT_FALSE(lines.join(QString()).contains(QLatin1Char(','))) << language;
    }
    const QStringList none = resultLines(MeasurementResults{}, 1);
    EXPECT_EQ(none[1], uiTextIn(TextTable::Evaluation, rows::kNoPositionSamples, 1));
}

} // namespace
