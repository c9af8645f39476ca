// The evaluation window's plots: a full redraw of both plots into an image of
// window size for recordings of 10 thousand to 1 million samples, and the
// incremental drawing of one new sample (a position and a reference mark).

#include "support/SyntheticRecording.h"

#include "config/ConfigData.h"
#include "recorder/AmplitudeEnvelope.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/ReferencePlot.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <map>

namespace {

const QSize kWindow(1920, 1050);

PlotTarget windowTarget() {
    PlotTarget t;
    t.area = QRect(QPoint(0, 0), kWindow);
    t.background = QColor(240, 240, 240);
    return t;
}

// A shaft turned through a number of revolutions: ten as in a test run, a
// thousand as at about 1 rpm over a night.
const std::vector<RecordSample>& recording(int samples, int revolutions = 10) {
    static std::map<std::pair<int, int>, std::vector<RecordSample>> made;
    const std::pair<int, int> key(samples, revolutions);
    auto it = made.find(key);
    if (it == made.end()) {
        SyntheticShaft shaft;
        shaft.samples = samples;
        shaft.revolutions = revolutions;
        it = made.emplace(key, syntheticRecording(shaft)).first;
    }
    return it->second;
}

void FullRedraw(benchmark::State& state) {
    const std::vector<RecordSample>& samples =
        recording(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const PlotDetail detail =
        state.range(2) != 0 ? PlotDetail::EverySample : PlotDetail::ColumnExtremes;
    QImage image(kWindow, QImage::Format_RGB32);
    const PlotTarget target = windowTarget();
    for (auto _ : state) {
        int refScale = 0;
        QPainter painter(&image);
        drawRecordingPlots(painter, target, samples, refScale, nullptr, detail);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

// Taking a whole recording into a fresh envelope: what the first redraw of a
// recording just opened, or of a plot of a new width, costs beyond the drawing.
void EnvelopeBuild(benchmark::State& state) {
    const std::vector<RecordSample>& samples =
        recording(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const PlotBox plot = AmplitudePlot::frame(windowTarget());
    for (auto _ : state) {
        AmplitudeEnvelope envelope(plot.left, plot.right);
        envelope.extend(samples);
        benchmark::DoNotOptimize(envelope.columns().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

// Only reading what the plots read of every sample, for comparison: the part
// of a full redraw that is the walk over the recording's memory.
void WalkOnly(benchmark::State& state) {
    const std::vector<RecordSample>& samples = recording(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double sum = 0.0;
        int references = 0;
        for (const RecordSample& s : samples) {
            sum += s.position + s.amplitudeWH + s.amplitudeYE;
            references += s.isReference;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(references);
    }
}

// One more sample on a recording of 100 thousand already drawn.
void IncrementalSample(benchmark::State& state) {
    const bool reference = state.range(0) != 0;
    std::vector<RecordSample> samples = recording(100000);
    samples.push_back(reference ? referenceSample(200.0, 150.0, 90.0, -140.0, -95.0)
                                : positionSample(200.0, 61.0, 71.0));
    QImage image(kWindow, QImage::Format_RGB32);
    const PlotTarget target = windowTarget();
    int refScale = 0;
    {
        QPainter painter(&image);
        drawAmplitudePlot(painter, target, samples, PlotMode::Full);
        drawReferencePlot(painter, target, samples, PlotMode::Full, refScale);
    }
    const ReferenceIndex references = ReferenceIndex::of(samples);
    for (auto _ : state) {
        QPainter painter(&image);
        drawAmplitudePlot(painter, target, samples, PlotMode::Incremental);
        if (reference) {
            drawReferencePlot(painter, target, samples, PlotMode::Incremental, refScale,
                              references);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(FullRedraw)
    ->ArgNames({"samples", "turns", "every"})
    ->Args({10000, 10, 0})
    ->Args({100000, 10, 0})
    ->Args({100000, 1000, 0})
    ->Args({1000000, 10, 0})
    ->Args({1000000, 1000, 0})
    ->Args({1000000, 10, 1})
    ->Args({1000000, 1000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EnvelopeBuild)
    ->ArgNames({"samples", "turns"})
    ->Args({100000, 10})
    ->Args({100000, 1000})
    ->Args({1000000, 10})
    ->Args({1000000, 1000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WalkOnly)->ArgName("samples")->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(IncrementalSample)->ArgName("reference")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    configData.language = 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
