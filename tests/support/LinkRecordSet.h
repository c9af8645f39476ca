#pragma once
// The records the link works on, of a test's own: readings with their lock,
// link flags, settings, the bearing range the parser accepts pulse rates from
// and the scheduler's poll step. Free of GoogleTest, so that the benchmarks
// and the fuzz targets use it too.

#include "config/ConfigData.h"
#include "device/CSerialComm.h"
#include "device/DeviceReadings.h"
#include "device/LineParser.h"
#include "device/LinkControl.h"
#include "device/LinkInterfaces.h"

#include <cstdint>
#include <mutex>

struct LinkRecordSet {
    explicit LinkRecordSet(int32_t minPulseRate = 2, int32_t maxPulseRate = 20000)
        : minRate(minPulseRate), maxRate(maxPulseRate) {}
    LinkRecordSet(const LinkRecordSet&) = delete;
    LinkRecordSet& operator=(const LinkRecordSet&) = delete;

    // What the reader thread takes.
    LinkRecords records() { return {readings, readingsMutex, link, config, minRate, maxRate}; }

    // A line parser on these records, reading `pollStep` as its poll step
    // (the scheduler's counter where a test runs one, else the own one).
    LineParser makeParser(LinkNotifier& notifier) { return makeParser(notifier, pollStep); }
    LineParser makeParser(LinkNotifier& notifier, const int32_t& step) {
        return LineParser(readings, readingsMutex, link, config, minRate, maxRate, step, notifier);
    }

    DeviceReadings readings;
    std::mutex readingsMutex;
    LinkControl link;
    ConfigData config;
    RelaxedAtomic<int32_t> minRate;
    RelaxedAtomic<int32_t> maxRate;
    int32_t pollStep = 0;
};

// A receiver that lets every notice pass; rigs override what they watch.
class QuietNotifier : public LinkNotifier {
public:
    void deviceEvent(int, int) override {}
    void linkEnded() override {}
    void noSerialData() override {}
    void boxRestart() override {}
    void showDeletingText() override {}
    void resetReadings() override {}
};
