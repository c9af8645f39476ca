#pragma once
// The flags through which the user-interface thread and the reader thread steer
// each other. Each flag is written by one side and polled by the other.

#include <atomic>
#include <cstdint>

struct LinkControl {
    std::atomic<bool> stopRequest{true};
    std::atomic<bool> threadEnded{true};
    std::atomic<bool> notificationsSuppressed{true};
    std::atomic<bool> portClosed{false};
    std::atomic<bool> reopenRequest{false};
    std::atomic<bool> purgeRequest{false};
    std::atomic<bool> recordingActive{false};
    std::atomic<bool> newProtocol{false};
    std::atomic<bool> awaitingIdentification{false};
    std::atomic<bool> noData{false};
    std::atomic<bool> boxStarting{true};
    std::atomic<bool> statusRestart{false};
    // The noise measurement runs (button 1034 in): written by the measurement
    // whichever way it stops, read by the poll cycle at step 14.
    std::atomic<bool> noiseButtonPressed{false};
    std::atomic<int32_t> pendingCommand{0}; // 0 none, 1 reset, 2 interference, 3 erase, 4 write
};

// One-shot requests for pendingCommand.
enum PendingCommand : int32_t {
    kNoCommand = 0,
    kResetRequest = 1,
    kInterferenceRequest = 2,
    kEraseRequest = 3,
    kWriteRequest = 4,
};

extern LinkControl linkControl;
