// The line parser over the lines a box sends: a two-letter poll cycle (every
// second line a position) and a one-letter mix. One iteration is one line.

#include "support/LinkRecordSet.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class CountingNotifier : public QuietNotifier {
public:
    void deviceEvent(int code, int param) override { sum += code + param; }
    int64_t sum = 0;
};

// What one poll cycle of 20 commands brings back: ten positions and one line
// of each other kind. Positions move on by 100 counts per line.
std::vector<std::string> twoLetterCycle(int cycle) {
    std::vector<std::string> lines;
    const char* others[] = {"RM 123456 50000 160 -160",
                            "KW 1600 -1600 1600 -1600 800",
                            "OS 16 -32 48 -64 80",
                            "KF 8192 8192 8100 8200 8192",
                            "ST 0000000000110011",
                            "RA 1234 160 -160",
                            "SZ 1728",
                            "DU 12 34",
                            "FW 1.60 01000010 123",
                            "HW SN-0001-2345 BOX-XYZ-67"};
    for (int i = 0; i < 10; ++i) {
        const int32_t position = (cycle * 10 + i) * 100;
        lines.push_back("PA " + std::to_string(position) + " 4800 -6400 5120 -5120");
        lines.push_back(others[i]);
    }
    return lines;
}

std::vector<std::string> oneLetterCycle(int cycle) {
    std::vector<std::string> lines;
    const char* others[] = {
        "A1 1600", "A2 2500",  "E 0000000000000011",  "CV0 400", "CF1 4096", "O2 -40", "RP3 40",
        "PH 2500", "AP1 1728", "R -100 -400 400 5000"};
    for (int i = 0; i < 10; ++i) {
        lines.push_back("P " + std::to_string((cycle * 10 + i) * 100));
        lines.push_back(others[i]);
    }
    return lines;
}

void parseLines(benchmark::State& state, bool twoLetter) {
    LinkRecordSet r;
    r.pollStep = 1;
    CountingNotifier notifier;
    r.link.notificationsSuppressed = false;
    r.link.awaitingIdentification = false;
    r.link.newProtocol = twoLetter;
    r.link.boxStarting = false;
    r.readings.statusWord = 0x33;
    LineParser parser = r.makeParser(notifier);

    std::vector<std::string> lines;
    for (int cycle = 0; cycle < 50; ++cycle) {
        const auto part = twoLetter ? twoLetterCycle(cycle) : oneLetterCycle(cycle);
        lines.insert(lines.end(), part.begin(), part.end());
    }
    std::size_t next = 0;
    int32_t time = 0;
    for (auto _ : state) {
        parser.parseLine(lines[next], time);
        time += 10;
        if (++next == lines.size()) {
            next = 0;
        }
    }
    benchmark::DoNotOptimize(notifier.sum);
    state.SetItemsProcessed(state.iterations());
}

void TwoLetterPollCycle(benchmark::State& state) {
    parseLines(state, true);
}
void OneLetterMix(benchmark::State& state) {
    parseLines(state, false);
}

} // namespace

BENCHMARK(TwoLetterPollCycle);
BENCHMARK(OneLetterMix);
BENCHMARK_MAIN();
