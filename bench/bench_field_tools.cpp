// What the field tools cost the threads that call them: one event log entry
// (an open-append-write-close on the user-interface thread), one byte into a
// serial trace (the reader thread records each byte it reads), and reading a
// long trace back.

#include "device/SerialTrace.h"
#include "eventlog/EventLog.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void BM_EventLogAppend(benchmark::State& state) {
    QTemporaryDir dir;
    EventLogOptions o;
    o.folder = dir.path();
    EventLog log(o);
    for (auto _ : state)
        log.statusEntry("  12.\t W-Sig ,W-Hi ,Y-Lo ");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EventLogAppend);

void BM_TraceRecordOneByte(benchmark::State& state) {
    const std::string path = "/tmp/orvatix-bench-trace-" + std::to_string(::getpid());
    SerialTraceWriter w;
    w.open(path);
    const std::string line = "PA 123456 1200 -3400 2100 -900\r";
    size_t i = 0;
    for (auto _ : state) {
        w.recordRead(std::string_view(&line[i], 1));
        i = (i + 1) % line.size();
    }
    w.close();
    std::remove(path.c_str());
    state.SetBytesProcessed(state.iterations());
}
BENCHMARK(BM_TraceRecordOneByte);

void BM_TraceParse10000Lines(benchmark::State& state) {
    SerialTrace t;
    for (int i = 0; i < 5000; ++i) {
        t.chunks.push_back({i * 25, TraceDirection::Written, "M*\r"});
        t.chunks.push_back({i * 25 + 9, TraceDirection::Read, "PA 123456 1200 -3400 2100 -900\r"});
    }
    const std::string text = formatSerialTrace(t);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseSerialTrace(text));
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}
BENCHMARK(BM_TraceParse10000Lines);

} // namespace

BENCHMARK_MAIN();
