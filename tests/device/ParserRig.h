#pragma once
// A line parser with its own readings, flags and settings, and a notifier that
// records its events and checks that none arrives under the readings lock.

#include "RecordingLink.h"
#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LineParser.h"
#include "device/LinkControl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string_view>

struct ParserRig {
    ParserRig() {
        link.notificationsSuppressed = false;
        link.boxStarting = false;
        notifier.guard = &mutex;
        parser = std::make_unique<LineParser>(readings, mutex, link, config, minRate, maxRate,
                                              pollStep, notifier);
    }
    ~ParserRig() { EXPECT_EQ(notifier.eventsUnderLock, 0) << "event sent under the lock"; }

    void twoLetter() {
        link.awaitingIdentification = false;
        link.newProtocol = true;
    }
    void oneLetter() {
        link.awaitingIdentification = false;
        link.newProtocol = false;
    }
    void identification() {
        link.awaitingIdentification = true;
        link.newProtocol = false;
    }
    void parse(std::string_view line, int32_t timeMs = 0) { parser->parseLine(line, timeMs); }
    EventList takeEvents() {
        EventList out;
        out.swap(notifier.events);
        return out;
    }
    // True when the readings are byte for byte what `before` holds.
    bool unchangedSince(const DeviceReadings& before) const {
        return std::memcmp(&before, &readings, sizeof readings) == 0;
    }
    DeviceReadings copy() const {
        DeviceReadings out;
        std::memcpy(&out, &readings, sizeof out);
        return out;
    }

    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    RelaxedAtomic<int32_t> minRate{512};
    RelaxedAtomic<int32_t> maxRate{4096};
    int32_t pollStep = 0;
    RecordingNotifier notifier;
    std::unique_ptr<LineParser> parser;
};
