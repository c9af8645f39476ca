#pragma once
// The command scheduler: decides, once per turn of the reader loop, what to
// send the box, and sends one-shot requests that windows leave in
// LinkControl::pendingCommand.
//
// Use (reader thread only):
//     CommandScheduler scheduler(linkControl, deviceReadings, readingsMutex, channel, notifier);
//     while (...) { scheduler.runCommandScheduler(); readLine(); parser.parseLine(...); }
//
// Each turn does exactly one of: an identification turn (while
// awaitingIdentification), one step of the 20-command poll cycle or one
// request of the two-letter protocol, or one poll or request of the one-letter
// protocol. Bytes go out through CommandChannel::sendCommand; every wait is
// CommandChannel::linkWait, and when that returns false (stop requested) the
// turn returns at once.
//
// A request is cleared only if it is still the one that was sent, so a
// request made while another is being sent waits for the next turn instead of
// being lost.

#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/LinkInterfaces.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class CommandScheduler {
public:
    // readings/readingsMutex: the scheduler reads firmwareVersion (one-letter
    // erase) under the mutex. All references must outlive the scheduler.
    CommandScheduler(LinkControl& link, const DeviceReadings& readings, std::mutex& readingsMutex,
                     CommandChannel& channel, LinkNotifier& notifier);

    CommandScheduler(const CommandScheduler&) = delete;
    CommandScheduler& operator=(const CommandScheduler&) = delete;

    // One scheduler turn. Reader thread only.
    void runCommandScheduler();

    // The line was opened anew, went silent or went away: a firmware version
    // remembered so far may belong to another box now. Reader thread only.
    void connectionInterrupted() { lastFirmwareVersion_ = 0.0; }

    // The poll step counter (0..20), for the line parser on the same thread.
    const int32_t& pollStep() const { return pollStep_; }

    // Whether the noise measurement button is pressed in: the poll cycle then
    // asks for interference values at step 14. Any thread.
    // The flag lives in LinkControl, so a stop the program makes by itself
    // reaches the poll cycle as well as a click does.
    void setNoiseButtonPressed(bool pressed) {
        link_.noiseButtonPressed.store(pressed, std::memory_order_relaxed);
    }
    bool noiseButtonPressed() const {
        return link_.noiseButtonPressed.load(std::memory_order_relaxed);
    }

private:
    void identificationTurn();
    void twoLetterTurn(int32_t request);
    void oneLetterTurn(int32_t request);
    void pollCycleStep();
    void announceRestart();
    void clearRequest(int32_t sent);

    LinkControl& link_;
    const DeviceReadings& readings_;
    std::mutex& mutex_;
    CommandChannel& channel_;
    LinkNotifier& notifier_;
    int32_t pollStep_ = 0;
    // The last version the box reported on this connection with no silence
    // since (0: none).
    double lastFirmwareVersion_ = 0.0;
    double readingsVersion_ = 0.0; // firmwareVersion as the last turn found it
};
