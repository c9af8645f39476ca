#pragma once
// A line parser with its own readings, flags and settings, and a notifier that
// records its events and checks that none arrives under the readings lock.

#include "support/LinkRecordSet.h"
#include "support/RecordingLink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

struct ParserRig : LinkRecordSet {
    ParserRig() : LinkRecordSet(512, 4096) {
        link.notificationsSuppressed = false;
        link.boxStarting = false;
        notifier.guard = &readingsMutex;
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
    void parse(std::string_view line, int32_t timeMs = 0) { parser.parseLine(line, timeMs); }
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

    RecordingNotifier notifier;
    LineParser parser{makeParser(notifier)};
};
