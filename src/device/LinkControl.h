#pragma once
// The flags through which the user-interface thread and the reader thread steer
// each other. Each flag is polled by the other side; its writers are named
// where it is declared.

#include <atomic>
#include <cstdint>

//
// Writers, by flag. "Core" is AcquisitionCore (src/acquisition): its start-up
// values and its reset of the readings (device/ReadingsReset); "reader" is the
// reader thread (CSerialComm, its CommandScheduler and LineParser).
struct LinkControl {
    // Core (start-up, stopLink); cleared as the reader thread starts.
    std::atomic<bool> stopRequest{true};
    // Core (start-up); reader (its start and end).
    std::atomic<bool> threadEnded{true};
    // Core (start-up); the main window (session start).
    std::atomic<bool> notificationsSuppressed{true};
    // Core (start-up); reader.
    std::atomic<bool> portClosed{false};
    // The interface search (a port to try); reader (taken).
    std::atomic<bool> reopenRequest{false};
    // Core (start-up, reset of the readings); reader (reset and erase sent, done).
    std::atomic<bool> purgeRequest{false};
    // The data recorder (start and stop); core (start-up) and the main
    // window's end. Read by the core to mute display receivers.
    std::atomic<bool> recordingActive{false};
    // Reader (the identification line); core (reset of the readings).
    std::atomic<bool> newProtocol{false};
    // Reader (identified); core (reset of the readings).
    std::atomic<bool> awaitingIdentification{false};
    // Reader (no line for a while, a line); core (start-up).
    std::atomic<bool> noData{false};
    // Reader: the open port went away (its device vanished, a cable pulled);
    // cleared when a port opens. Read by the interface search, which hands
    // that port over again as soon as it is back.
    std::atomic<bool> portLost{false};
    // Reader (the box's start-up lines); the main window's box reset handling.
    std::atomic<bool> boxStarting{true};
    // Reader (identification turns, polls without data, status lines); core
    // (reset of the readings); the main window's box reset handling, also
    // for the teach-in wizard (ProgramServices::setStatusRestart).
    std::atomic<bool> statusRestart{false};
    // The noise measurement runs (button 1034 in): written by the measurement
    // whichever way it stops, read by the poll cycle at step 14.
    std::atomic<bool> noiseButtonPressed{false};
    // The one-shot request slot: only BoxRequests fills it (reset, erase,
    // write, and interference for the noise measurement); the scheduler
    // clears it once sent.
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
