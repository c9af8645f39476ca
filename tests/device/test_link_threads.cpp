// The parser and the scheduler on a reader thread while the user-interface
// side reads, writes and resets the readings under the lock and places
// requests, as the main window does. Run under the thread sanitizer.

#include "RecordingLink.h"
#include "config/ConfigData.h"
#include "device/CommandScheduler.h"
#include "device/DeviceReadings.h"
#include "device/LineParser.h"
#include "device/LinkControl.h"
#include "device/ReadingsReset.h"

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
    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    RelaxedAtomic<int32_t> minRate{2};
    RelaxedAtomic<int32_t> maxRate{20000};
    RecordingNotifier notifier;
    DiscardingChannel channel;
    link.notificationsSuppressed = false;
    link.awaitingIdentification = true;
    CommandScheduler scheduler(link, readings, mutex, channel, notifier);
    LineParser parser(readings, mutex, link, config, minRate, maxRate, scheduler.pollStep(),
                      notifier);
    // In the program the event handler runs on the user-interface thread
    // while the reader waits; here it runs on the reader thread, so it takes
    // the lock as any other reader outside an event must.
    int64_t seen = 0;
    notifier.onEvent = [&](int, int) {
        std::lock_guard<std::mutex> lock(mutex);
        seen += readings.rawPosition;
    };

    std::atomic<bool> done{false};
    int64_t uiSeen = 0;
    std::thread ui([&] {
        for (int i = 0; !done.load(); ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                readings.displayPosition = readings.rawPosition;
                readings.zeroPosition = i % 100;
                if (i % 500 == 499) {
                    resetDeviceReadings(readings, link);
                }
            }
            const DeviceReadings copy = snapshotReadings(readings, mutex);
            uiSeen += copy.statusWord; // keeps the copy alive
            scheduler.setNoiseButtonPressed(i % 2 == 0);
            if (i % 50 == 0) {
                link.pendingCommand = kInterferenceRequest;
            }
            config.directionReversed = i % 2;
        }
    });

    const char* lines[] = {"FW 1.60 01000010 123", "PA 1000 160 320 480 640",
                           "RM 5000 5000 16 -16",  "ST 0000000000110011",
                           "OS 16 16 16 16 16",    "P 2000",
                           "E 0000000000000011",   "A1 400"};
    for (int i = 0; i < 4000; ++i) {
        scheduler.runCommandScheduler();
        parser.parseLine(lines[i % 8], i);
        if (i % 700 == 0) {
            link.awaitingIdentification = true;
        }
    }
    done = true;
    ui.join();
    EXPECT_GT(channel.sent, 0u);
    EXPECT_GE(seen + uiSeen, 0);
    EXPECT_FALSE(notifier.events.empty());
}

} // namespace
