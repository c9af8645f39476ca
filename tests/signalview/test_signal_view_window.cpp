// The signal view's window: the plots' and the chart's geometry, what the
// plot draws where, the coalesced repaint, Clear, and the texts in every
// language.

#include "config/SignalViewRows.h"
#include "signalview/widgets/AmplitudeStrip.h"
#include "signalview/widgets/CSignalViewDlg.h"
#include "signalview/widgets/LissajousPlot.h"
#include "signalview/widgets/SignalViewColours.h"

#include "config/ConfigData.h"
#include "config/Texts.h"
#include "display/AmplitudeScale.h"
#include "support/Controls.h"
#include "support/Waiting.h"
#include "ui/Help.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(LissajousGeometry, RadiusReadsAsPercent) {
    const QRectF square = LissajousPlot::plotSquare(QRectF(0, 0, 300, 200), 10);
    EXPECT_EQ(square, QRectF(60, 10, 180, 180)); // centred, inset, square
    const double k = LissajousPlot::pixelsPerPercent(square);
    EXPECT_DOUBLE_EQ(k * LissajousPlot::kFullScale * 2, 180.0);
    const QPointF c = square.center();
    const QPointF a = LissajousPlot::toPixel(100, 0, square);
    const QPointF b = LissajousPlot::toPixel(0, 100, square);
    EXPECT_DOUBLE_EQ(a.x() - c.x(), 100 * k);
    EXPECT_DOUBLE_EQ(c.y() - b.y(), 100 * k); // channel B up
    EXPECT_TRUE(LissajousPlot::plotSquare(QRectF(0, 0, 5, 5), 10).isEmpty());
}

TEST(LissajousGeometry, OlderPointsFade) {
    const std::size_t n = 1000;
    EXPECT_EQ(LissajousPlot::fadeLevel(n - 1, n), 0); // newest: full shade
    EXPECT_EQ(LissajousPlot::fadeLevel(0, n), LissajousPlot::kFadeLevels - 1);
    int last = LissajousPlot::kFadeLevels;
    for (std::size_t i = 0; i < n; i += 50) {
        const int level = LissajousPlot::fadeLevel(i, n);
        EXPECT_LE(level, last);
        last = level;
    }
    EXPECT_EQ(LissajousPlot::fadeAlpha(0), 255);
    EXPECT_GT(LissajousPlot::fadeAlpha(LissajousPlot::kFadeLevels - 1), 0);
    EXPECT_LT(LissajousPlot::fadeAlpha(LissajousPlot::kFadeLevels - 1), 128);
}

TEST(LissajousPlot, DrawsPointsRingsAndTheFitWhereTheyBelong) {
    SignalTrace trace(10);
    trace.add({50, 50});
    const std::optional<HeadFit> noFit;
    QImage image(400, 400, QImage::Format_RGB32);
    LissajousPlot::render(image, &trace, &noFit);
    const QRectF square = LissajousPlot::plotSquare(QRectF(image.rect()), 4.0);
    const auto at = [&](double x, double y) {
        return QColor(image.pixel(LissajousPlot::toPixel(x, y, square).toPoint()));
    };
    const Rgb point = signalcolour::kPoint;
    EXPECT_EQ(at(50, 50), QColor(point.r, point.g, point.b));
    // The ideal circle at 100 % straight down (no label there).
    const QColor ideal = at(0, -100);
    EXPECT_GT(ideal.green(), ideal.red());
    EXPECT_GT(ideal.green(), ideal.blue());
    // Nothing at 60 % down left, between the rings and off the axes.
    EXPECT_EQ(at(-42, -42), QColor(255, 255, 255));
}

TEST(AmplitudeStrip, ScaleAndBandsFollowTheBars) {
    const QRectF chart = AmplitudeStrip::chartArea(QRectF(0, 0, 400, 100));
    EXPECT_DOUBLE_EQ(AmplitudeStrip::levelY(0, chart), chart.bottom());
    EXPECT_DOUBLE_EQ(AmplitudeStrip::levelY(AmplitudeStrip::kTopPercent, chart), chart.top());
    EXPECT_DOUBLE_EQ(AmplitudeStrip::levelY(500, chart), chart.top()); // clamped
    EXPECT_DOUBLE_EQ(AmplitudeStrip::levelY(-5, chart), chart.bottom());
    const auto marks = AmplitudeStrip::scaleMarks();
    ASSERT_FALSE(marks.empty());
    EXPECT_EQ(marks.front(), 0.0);
    EXPECT_EQ(marks.back(), AmplitudeStrip::kTopPercent);
    // Each band is the bars' band of the amplitudes inside it.
    const auto bands = AmplitudeStrip::bands();
    EXPECT_EQ(bands.front().from, 0.0);
    EXPECT_EQ(bands.back().to, AmplitudeStrip::kTopPercent);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const auto& b = bands[i];
        if (i > 0) {
            EXPECT_EQ(b.from, bands[i - 1].to);
        }
        const double inside = (b.from + b.to) / 2;
        EXPECT_EQ(b.band, static_cast<int>(amplitudeBand(AmplitudeScale(inside)))) << inside;
    }
}

SignalSample circleSample(int i, double t) {
    const double a = 2.0 * std::numbers::pi * i / 97.0;
    SignalSample s;
    s.channelValues[0] = 300 * std::cos(a);
    s.channelValues[1] = 300 * std::sin(a);
    s.channelValues[2] = 400 * std::cos(a) + 20;
    s.channelValues[3] = 400 * std::sin(a);
    s.amplitudeWH = 58;
    s.amplitudeYE = 78;
    s.time = t;
    return s;
}

TEST(SignalViewWindow, RepaintsFromItsTimerAndClears) {
    CSignalViewDlg window;
    EXPECT_FALSE(window.repaintPending());
    for (int i = 0; i < 300; ++i)
        window.addSample(circleSample(i, i * 0.05));
    EXPECT_TRUE(window.repaintPending()); // coalesced, not drawn per sample
    ASSERT_TRUE(waitWithEvents([&] { return !window.repaintPending(); }));
    auto* figures = control<QLabel>(&window, CSignalViewDlg::kYellowFigures);
    ASSERT_TRUE(figures);
    EXPECT_TRUE(figures->text().contains("+5.0 %")) << figures->text().toStdString();
    EXPECT_EQ(window.view().trace(Head::WH).size(), 300u);

    control<QPushButton>(&window, CSignalViewDlg::kClear)->click();
    EXPECT_TRUE(window.view().trace(Head::YE).empty());
    EXPECT_TRUE(window.view().history().empty());
    EXPECT_TRUE(figures->text().startsWith(
        QString::fromUtf8(text(TextTable::SignalView, signalviewrow::kNoFit))));
}

TEST(SignalViewWindow, SpeaksEveryLanguage) {
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        CSignalViewDlg window;
        EXPECT_EQ(window.windowTitle().toStdString(),
                  textIn(TextTable::SignalView, signalviewrow::kTitle, language));
        EXPECT_EQ(control<QPushButton>(&window, CSignalViewDlg::kClear)->text().toStdString(),
                  textIn(TextTable::SignalView, signalviewrow::kClear, language));
    }
    setLanguage(0);
}

TEST(SignalViewWindow, FiguresReadWithTheDecimalPoint) {
    setLanguage(1);
    HeadFit fit;
    fit.offsetA = 1.25;
    fit.offsetB = -0.5;
    fit.ratio = 1.1;
    fit.phase = -3.0;
    SignalTrace trace(4);
    trace.add({60, 0});
    trace.add({0, 64});
    const QString t = CSignalViewDlg::figuresText(fit, trace);
    EXPECT_TRUE(t.contains("+1.2 % / -0.5 %") || t.contains("+1.3 % / -0.5 %")) << t.toStdString();
    EXPECT_TRUE(t.contains("1.100"));
    EXPECT_TRUE(t.contains("-3.0"));
    EXPECT_TRUE(t.contains("60 % / 64 %"));
    setLanguage(0);
}

TEST(SignalViewWindow, F1OpensTheManual) {
    const HelpDesktop real = helpDesktop();
    QList<QUrl> opened;
    QTemporaryDir manuals;
    QFile manual(manuals.path() + QStringLiteral("/ManualItalian.pdf"));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.write("%PDF-1.4\n");
    manual.close();
    helpDesktop() = HelpDesktop{[](QObject*, const PdfViewerAnswer& answer) { answer(true); },
                                [&opened](const QUrl& url) {
                                    opened << url;
                                    return true;
                                },
                                [&manuals] { return QStringList{manuals.path()}; }};
    setLanguage(3);
    {
        CSignalViewDlg window;
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
    }
    helpDesktop() = real;
    setLanguage(0);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("ManualItalian.pdf")));
}

} // namespace
