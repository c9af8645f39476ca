#include "signalview/widgets/CSignalViewDlg.h"

#include "config/SignalViewRows.h"
#include "display/TextFormat.h"
#include "signalview/widgets/AmplitudeStrip.h"
#include "signalview/widgets/LissajousPlot.h"
#include "signalview/widgets/SignalViewColours.h"
#include "ui/Help.h"
#include "ui/UiText.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 326;

QString row(int r) {
    return uiText(TextTable::SignalView, r);
}

// A figure that rounds to zero shows without a sign of its own ("-0.0").
double shown(double v, double step) {
    return std::fabs(v) < step / 2 ? 0.0 : v;
}

QString colourStyle(Rgb c) {
    return QString::asprintf("color: rgb(%d, %d, %d); font-weight: bold;", c.r, c.g, c.b);
}

// The yellow head on the left, the white on the right.
constexpr Head kHeads[2] = {Head::YE, Head::WH};

} // namespace

CSignalViewDlg::CSignalViewDlg(QWidget* owner) : QDialog(owner), template_(this, kWidth, kHeight) {
    const int left[2] = {8, 204};
    const Id plotIds[2] = {kYellowPlot, kWhitePlot};
    const Id figureIds[2] = {kYellowFigures, kWhiteFigures};
    const Id captionIds[2] = {kYellowCaption, kWhiteCaption};
    const Rgb captionColours[2] = {signalcolour::kTraceYellowHead, signalcolour::kTraceWhiteHead};
    for (int i = 0; i < 2; ++i) {
        captions_[i] = template_.place(captionIds[i], left[i], 4, 188, 10, new QLabel);
        captions_[i]->setAlignment(Qt::AlignCenter);
        captions_[i]->setStyleSheet(colourStyle(captionColours[i]));
        plots_[i] = template_.place(plotIds[i], left[i], 15, 188, 170, new LissajousPlot);
        plots_[i]->setData(&view_.trace(kHeads[i]), &view_.fit(kHeads[i]));
        figures_[i] = template_.place(figureIds[i], left[i] + 20, 188, 168, 38, new QLabel);
        figures_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        figures_[i]->setTextFormat(Qt::PlainText);
        figures_[i]->setWordWrap(true);
    }
    trendCaption_ = template_.place(kTrendCaption, 8, 228, 384, 10, new QLabel);
    strip_ = template_.place(kTrend, 8, 239, 384, 64, new AmplitudeStrip);
    strip_->setHistory(&view_.history());
    clearButton_ = template_.place(kClear, 288, 307, 50, 14, new QPushButton);
    closeButton_ = template_.place(kClose, 342, 307, 50, 14, new QPushButton);
    clearButton_->setAutoDefault(false);
    closeButton_->setAutoDefault(false);
    connect(clearButton_, &QPushButton::clicked, this, &CSignalViewDlg::clear);
    connect(closeButton_, &QPushButton::clicked, this, &CSignalViewDlg::close);

    timer_.setSingleShot(true);
    timer_.setInterval(kRepaintMs);
    connect(&timer_, &QTimer::timeout, this, &CSignalViewDlg::refresh);

    installHelpKey(this);
    refreshCaptions();
    refresh();
}

void CSignalViewDlg::addSample(const SignalSample& s) {
    view_.addSample(s);
    // Coalesced: however fast the lines come, one repaint per interval.
    if (!timer_.isActive()) {
        timer_.start();
    }
}

void CSignalViewDlg::clear() {
    view_.clear();
    timer_.stop();
    refresh();
}

void CSignalViewDlg::refresh() {
    for (int i = 0; i < 2; ++i) {
        const Head h = kHeads[i];
        // The plot holds a pointer to the fit; asking brings it up to date.
        figures_[i]->setText(figuresText(view_.fit(h), view_.trace(h)));
        plots_[i]->update();
    }
    strip_->update();
}

void CSignalViewDlg::refreshCaptions() {
    setWindowTitle(row(signalviewrow::kTitle));
    captions_[0]->setText(row(signalviewrow::kYellowHead));
    captions_[1]->setText(row(signalviewrow::kWhiteHead));
    trendCaption_->setText(row(signalviewrow::kTrend));
    clearButton_->setText(row(signalviewrow::kClear));
    closeButton_->setText(row(signalviewrow::kClose));
    refresh();
}

QString CSignalViewDlg::figuresText(const std::optional<HeadFit>& fit, const SignalTrace& trace) {
    QStringList lines;
    if (fit) {
        lines << row(signalviewrow::kOffset) +
                     QString::fromStdString(formatText(":  %+.1f %% / %+.1f %%",
                                                       shown(fit->offsetA, 0.1),
                                                       shown(fit->offsetB, 0.1)));
        lines << row(signalviewrow::kRatio) +
                     QString::fromStdString(formatText(":  %.3f", fit->ratio));
        lines << row(signalviewrow::kPhase) +
                     QString::fromStdString(formatText(":  %+.1f", shown(fit->phase, 0.1))) +
                     QChar(0x00B0);
    } else {
        lines << row(signalviewrow::kNoFit);
    }
    if (!trace.empty()) {
        lines << row(signalviewrow::kRadius) +
                     QString::fromStdString(formatText(
                         ":  %.0f %% / %.0f %%", trace.smallestRadius(), trace.largestRadius()));
    } else {
        lines << row(signalviewrow::kRadius) + QStringLiteral(":  -");
    }
    return lines.join(QLatin1Char('\n'));
}
