// The parser and the scheduler on a reader thread while the user-interface
// side reads, writes and resets the readings under the lock and places
// requests, as the main window does. Run under the thread sanitizer.

#include "device/CommandScheduler.h"
#include "device/ReadingsReset.h"
#include "support/LinkRecordSet.h"
#include "support/RecordingLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

class DiscardingChannel : public CommandChannel {
public:
    void sendCommand(std::string_view bytes) override { sent += bytes.size(); }
    bool linkWait(double) override { return true; }
    std::size_t sent = 0;
};

TEST(LinkThreads, ReadingsAreSharedOnlyUnderTheLock) {
    LinkRecordSet r;
    RecordingNotifier notifier;
    DiscardingChannel channel;
    r.link.notificationsSuppressed = false;
    r.link.awaitingIdentification = true;
    CommandScheduler scheduler(r.link, r.readings, r.readingsMutex, channel, notifier);
    LineParser parser = r.makeParser(notifier, scheduler.pollStep());
    // In the program the event handler runs on the user-interface thread
    // while the reader waits; here it runs on the reader thread, so it takes
    // the lock as any other reader outside an event must.
    int64_t seen = 0;
    notifier.onEvent = [&](int, int) {
        std::lock_guard<std::mutex> lock(r.readingsMutex);
        seen += r.readings.rawPosition;
    };

    std::atomic<bool> done{false};
    int64_t uiSeen = 0;
    std::thread ui([&] {
        for (int i = 0; !done.load(); ++i) {
            {
                std::lock_guard<std::mutex> lock(r.readingsMutex);
                r.readings.boxInfoMarked = r.readings.rawPosition % 2 == 0;
                if (i % 500 == 499) {
                    resetDeviceReadings(r.readings, r.link);
                }
            }
            const DeviceReadings copy = snapshotReadings(r.readings, r.readingsMutex);
            uiSeen += copy.statusWord; // keeps the copy alive
            scheduler.setNoiseButtonPressed(i % 2 == 0);
            if (i % 50 == 0) {
                r.link.pendingCommand = kInterferenceRequest;
            }
            r.config.directionReversed = i % 2;
        }
    });

    const char* lines[] = {"FW 1.60 01000010 123", "PA 1000 160 320 480 640",
                           "RM 5000 5000 16 -16",  "ST 0000000000110011",
                           "OS 16 16 16 16 16",    "P 2000",
                           "E 0000000000000011",   "A1 400"};
    for (int i = 0; i < 4000; ++i) {
        scheduler.runCommandScheduler();
        // The reader drains its input when a reset asks for it; here there
        // is none to drain.
        r.link.purgeRequest = false;
        parser.parseLine(lines[i % 8], i);
        if (i % 700 == 0) {
            r.link.awaitingIdentification = true;
        }
    }
    done = true;
    ui.join();
    EXPECT_GT(channel.sent, 0u);
    EXPECT_GE(seen + uiSeen, 0);
    EXPECT_FALSE(notifier.events.empty());
}

} // namespace
