#include "device/CommandScheduler.h"

#include <string_view>

namespace {

constexpr std::string_view kPositionPoll = "M*\r";
constexpr std::string_view kIdentificationCommand = "M9\r";
constexpr std::string_view kInterferenceCommand = "M8\r";
constexpr std::string_view kResetCommand = "ME\r";
constexpr std::string_view kEraseCommand = "MR\r";
constexpr std::string_view kNeutralCommand = "M0\r";
constexpr std::string_view kWriteCommand = "MW\r";

// The one-letter box knows single characters only.
constexpr std::string_view kOldPoll = "3";
constexpr std::string_view kOldReset = "\xA0";
constexpr std::string_view kOldErase = "\xAA";

constexpr double kIdentificationPause = 0.05;
constexpr double kErasePause = 0.05;
// From this firmware on the one-letter box needs fewer erase bytes.
constexpr double kShortEraseVersion = 1.52;

} // namespace

CommandScheduler::CommandScheduler(LinkControl& link, const DeviceReadings& readings,
                                   std::mutex& readingsMutex, CommandChannel& channel,
                                   LinkNotifier& notifier)
    : link_(link), readings_(readings), mutex_(readingsMutex), channel_(channel),
      notifier_(notifier) {}

void CommandScheduler::runCommandScheduler() {
    // The request is read first: a window resets the readings before it
    // leaves its request, so a request seen here is never sent ahead of the
    // identification it waits for.
    const int32_t request = link_.pendingCommand.load();
    if (link_.awaitingIdentification) {
        identificationTurn();
        return;
    }
    if (link_.newProtocol) {
        twoLetterTurn(request);
    } else {
        oneLetterTurn(request);
    }
}

void CommandScheduler::identificationTurn() {
    // Both dialects are asked at once: a two-letter box answers "M9" with its
    // identification, a one-letter box answers "3" with a position. Pending
    // requests wait until the dialect is known.
    link_.statusRestart = true;
    channel_.sendCommand(kOldPoll);
    channel_.sendCommand(kIdentificationCommand);
    if (!channel_.linkWait(kIdentificationPause)) {
        return;
    }
    channel_.sendCommand(kOldPoll);
    pollStep_ = 0;
}

void CommandScheduler::twoLetterTurn(int32_t request) {
    switch (request) {
    case kNoCommand:
        pollCycleStep();
        return;
    case kResetRequest:
        link_.purgeRequest = true;
        announceRestart();
        pollStep_ = 0;
        channel_.sendCommand(kResetCommand);
        break;
    case kInterferenceRequest:
        channel_.sendCommand(kInterferenceCommand);
        break;
    case kEraseRequest:
        notifier_.showDeletingText();
        channel_.sendCommand(kEraseCommand);
        pollStep_ = 0;
        link_.purgeRequest = true;
        announceRestart();
        channel_.sendCommand(kNeutralCommand);
        break;
    case kWriteRequest:
        channel_.sendCommand(kWriteCommand);
        break;
    default:
        channel_.sendCommand(kNeutralCommand);
        break;
    }
    clearRequest(request);
}

void CommandScheduler::pollCycleStep() {
    // Every odd step asks for the position; the even steps go through the
    // other values one by one, so a full cycle is 20 commands.
    ++pollStep_;
    std::string_view command = kPositionPoll;
    if (pollStep_ % 2 == 0) {
        switch (pollStep_) {
        case 2:
            command = "M2\r";
            break;
        case 4:
            command = "M3\r";
            break;
        case 6:
            command = "M4\r";
            break;
        case 8:
            command = "M5\r";
            break;
        case 10:
            command = "M6\r";
            break;
        case 12:
            command = "M7\r";
            break;
        case 14:
            command = noiseButtonPressed() ? kInterferenceCommand : kPositionPoll;
            break;
        case 16:
            command = kIdentificationCommand;
            break;
        case 18:
            command = "MA\r";
            break;
        default:
            pollStep_ = 0;
            break;
        }
    }
    channel_.sendCommand(command);
    if (link_.noData) {
        link_.statusRestart = true;
    }
}

void CommandScheduler::oneLetterTurn(int32_t request) {
    // The erase comes with a reset of the readings, and the one-letter box
    // repeats its version line only now and then: the last one seen holds,
    // but only while it is known to be this box's. A version counts when the
    // box reports it anew; one left in the readings from before an
    // interruption (connectionInterrupted) does not.
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const double version = readings_.firmwareVersion;
        if (version > 0.0 && version != readingsVersion_) {
            lastFirmwareVersion_ = version;
        }
        readingsVersion_ = version;
    }
    switch (request) {
    case kNoCommand:
    case kWriteRequest:
        channel_.sendCommand(kOldPoll);
        if (link_.noData) {
            link_.statusRestart = true;
        }
        break;
    case kResetRequest:
        channel_.sendCommand(kOldReset);
        link_.purgeRequest = true;
        announceRestart();
        break;
    case kInterferenceRequest:
        channel_.sendCommand(kOldReset);
        break;
    case kEraseRequest: {
        notifier_.showDeletingText();
        const int repeats = lastFirmwareVersion_ >= kShortEraseVersion ? 2 : 5;
        for (int i = 0; i < repeats; ++i) {
            if (!channel_.linkWait(kErasePause)) {
                return;
            }
            channel_.sendCommand(kOldErase);
        }
        link_.purgeRequest = true;
        announceRestart();
        break;
    }
    default:
        break;
    }
    clearRequest(request);
}

void CommandScheduler::announceRestart() {
    if (!link_.notificationsSuppressed) {
        notifier_.boxRestart();
    }
}

void CommandScheduler::clearRequest(int32_t sent) {
    // Only the request just sent is cleared: one that a window placed in the
    // meantime stays for the next turn.
    link_.pendingCommand.compare_exchange_strong(sent, kNoCommand);
}
