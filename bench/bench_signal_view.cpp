// The signal view's cost on the user-interface thread: one sample added (what
// every position line costs), the fit over a full trace, and one repaint of
// the whole window into an image (what each timer tick costs), with the
// traces full and the trend a minute long.

#include "signalview/widgets/AmplitudeStrip.h"
#include "signalview/widgets/CSignalViewDlg.h"
#include "signalview/widgets/LissajousPlot.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

SignalSample sample(int i) {
    const double t = 0.731 * i;
    SignalSample s;
    s.channelValues[0] = 320 * std::cos(t) + 12;
    s.channelValues[1] = 300 * std::sin(t - 0.1);
    s.channelValues[2] = 350 * std::cos(t + 1);
    s.channelValues[3] = 360 * std::sin(t + 1);
    s.dacOffsets[0] = 40;
    s.dacOffsets[2] = -25;
    s.amplitudeWH = 60 + 3 * std::sin(i * 0.01);
    s.amplitudeYE = 70 + 3 * std::cos(i * 0.01);
    s.time = i * 0.01; // 100 lines a second: a minute is 6000 samples
    return s;
}

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* a = new QApplication(argc, argv);
    return *a;
}

void AddSample(benchmark::State& state) {
    SignalView view;
    int i = 0;
    for (auto _ : state) {
        view.addSample(sample(i++));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AddSample);

void FitFullTrace(benchmark::State& state) {
    SignalView view;
    for (int i = 0; i < 6000; ++i) {
        view.addSample(sample(i));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(fitHead(view.trace(Head::YE).points()));
    }
}
BENCHMARK(FitFullTrace)->Unit(benchmark::kMicrosecond);

// The two instruments alone, each into an image of its size in the window.
void DrawFigure(benchmark::State& state) {
    app();
    SignalView view;
    for (int i = 0; i < 6000; ++i) {
        view.addSample(sample(i));
    }
    QImage image(285, 270, QImage::Format_ARGB32_Premultiplied);
    const auto& fit = view.fit(Head::YE);
    for (auto _ : state) {
        LissajousPlot::render(image, &view.trace(Head::YE), &fit);
    }
}
BENCHMARK(DrawFigure)->Unit(benchmark::kMicrosecond);

void DrawTrend(benchmark::State& state) {
    app();
    SignalView view;
    for (int i = 0; i < 6000; ++i) {
        view.addSample(sample(i));
    }
    QImage image(585, 100, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        AmplitudeStrip::render(image, &view.history(), 32);
    }
}
BENCHMARK(DrawTrend)->Unit(benchmark::kMicrosecond);

// One timer tick: the samples of one interval (10 at 100 lines a second),
// the fits brought up to date and the window painted into an image.
void TickAndRepaint(benchmark::State& state) {
    app();
    CSignalViewDlg window;
    window.resize(window.sizeHint().expandedTo(window.size()));
    int i = 0;
    for (; i < 6000; ++i) {
        window.addSample(sample(i));
    }
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (int k = 0; k < 10; ++k) {
            window.addSample(sample(i++));
        }
        window.refresh();
        window.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = window.width();
    state.counters["height"] = window.height();
}
BENCHMARK(TickAndRepaint)->Unit(benchmark::kMicrosecond);

// The same tick repainting only what a tick changes (the two plots, their
// figures and the trend), as the window's update() does; the buttons and
// captions stay as they were.
void TickAndRepaintChanged(benchmark::State& state) {
    app();
    CSignalViewDlg window;
    int i = 0;
    for (; i < 6000; ++i) {
        window.addSample(sample(i));
    }
    QRegion changed;
    for (int id :
         {CSignalViewDlg::kYellowPlot, CSignalViewDlg::kWhitePlot, CSignalViewDlg::kYellowFigures,
          CSignalViewDlg::kWhiteFigures, CSignalViewDlg::kTrend}) {
        changed += window.findChild<QWidget*>(QString::number(id))->geometry();
    }
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (int k = 0; k < 10; ++k) {
            window.addSample(sample(i++));
        }
        window.refresh();
        window.render(&image, QPoint(), changed);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(TickAndRepaintChanged)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
