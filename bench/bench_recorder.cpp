// The data recorder: saving and opening a recording of N samples (every
// twentieth a reference mark), adding one sample while recording, and the
// memory a sample takes. One iteration of Save/Open is one whole recording.

#include "config/AtomicTextFile.h"
#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "recorder/DataRecorder.h"
#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileNames.h"
#include "recorder/RecordFileReader.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace {

// Samples as a turning shaft gives them: about 60 positions a second, values
// in every column.
std::vector<RecordSample> recording(int count) {
    std::vector<RecordSample> samples;
    samples.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        RecordSample s;
        s.time = i / 60.0;
        s.position = (i * 0.37) - 360.0 * static_cast<int>((i * 0.37) / 360.0);
        s.amplitudeWH = 55.0 + (i % 300) * 0.1;
        s.amplitudeYE = 65.0 - (i % 200) * 0.1;
        for (int c = 0; c < 5; ++c) {
            s.dacOffsets[c] = 100.0 + c * 12.5 + (i % 7);
            s.channelValues[c] = -800.0 + c * 321.7 + (i % 13);
        }
        s.refA = 250.3;
        s.refB = -120.7;
        s.refC = 180.2 + (i % 11);
        s.refD = 90.1;
        s.refE = -175.6 - (i % 9);
        s.refF = -88.8;
        s.refDistance = -5000 * (i % 40);
        s.isReference = i % 20 == 19;
        samples.push_back(s);
    }
    return samples;
}

void saveFiles(const std::vector<RecordSample>& samples, const QString& base) {
    const RecordFileTexts texts = recordFileTexts(samples);
    writeTextFileAtomically(ampFilePathOf(base), texts.amp);
    writeTextFileAtomically(refFilePathOf(base), texts.ref);
}

void Save(benchmark::State& state) {
    QTemporaryDir folder;
    const QString base = folder.path() + QStringLiteral("/run");
    const std::vector<RecordSample> samples = recording(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        saveFiles(samples, base);
    }
    const double bytes = static_cast<double>(QFileInfo(ampFilePathOf(base)).size() +
                                             QFileInfo(refFilePathOf(base)).size());
    state.counters["file_bytes_per_sample"] = bytes / static_cast<double>(samples.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Open(benchmark::State& state) {
    QTemporaryDir folder;
    const QString base = folder.path() + QStringLiteral("/run");
    saveFiles(recording(static_cast<int>(state.range(0))), base);
    for (auto _ : state) {
        const LoadedRecording loaded = loadRecording(ampFilePathOf(base), kMaxRecordSamples);
        if (!loaded.ok || loaded.samples.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the recording did not read back");
            break;
        }
        benchmark::DoNotOptimize(loaded.samples.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One position event while recording, on a list that grows to a million
// samples and is then cleared (outside the timing).
void AddSample(benchmark::State& state) {
    QTemporaryDir folder;
    LinkControl link;
    ConfigData config;
    DeviceReadings readings;
    DataRecorder recorder(link, config);
    recorder.toggleRecording(false, false);
    if (!recorder.startRecording(folder.path() + QStringLiteral("/run")).started) {
        state.SkipWithError("could not start");
        return;
    }
    std::int32_t counts = 0;
    std::int64_t clock = 0;
    for (auto _ : state) {
        counts = (counts + 1000) % (1728 * 5000);
        clock += 16;
        const SampleContext context{readings, 1728, false, clock};
        benchmark::DoNotOptimize(
            recorder.addRecordSample(counts, 55.0, 65.0, SampleKind::Position, context));
        if (recorder.samples().size() == 1'000'000) {
            state.PauseTiming();
            recorder.clearRecording();
            state.ResumeTiming();
        }
    }
    state.counters["bytes_per_sample"] = sizeof(RecordSample);
    state.counters["bytes_at_limit_MB"] = sizeof(RecordSample) * kMaxRecordSamples / 1e6;
}

} // namespace

BENCHMARK(Save)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Open)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(AddSample)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
