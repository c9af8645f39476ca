#pragma once
// The reader thread: owns the serial port, runs the command scheduler, cuts
// the received bytes into lines and hands each line to the line parser.
//
// Use (user-interface thread):
//     QtLinkNotifier notifier(linkControl);          // lives on this thread
//     PortMap ports;                                  // ORVATIX_PORTS or the system's
//     CSerialComm comm(notifier, ports, LinkRecords::global());
//     comm.startLinkThread();                         // clears stopRequest, starts
//     ...
//     linkControl.stopRequest = true;                 // LinkEnded follows
//     comm.wait();                                    // after LinkEnded (or at any
//                                                     // time: a pending notification
//                                                     // is dropped on stop)
//
// Never call wait() from inside a synchronous notification (a DeviceEvent
// slot): the thread waits for that slot to return.
//
// The thread is steered only through LinkControl: reopenRequest opens the port
// named by config.portName (mapped by the PortMap), purgeRequest drains the
// input, stopRequest ends the thread. The QSerialPort is created, used and
// deleted on the thread, in blocking mode: a one-byte read waits at most 40 ms,
// and a read that returns nothing always takes its 40 ms, so a line that has
// hung up (reads fail at once) never makes the thread spin.

#include "config/ConfigData.h"
#include "device/CommandScheduler.h"
#include "device/DeviceReadings.h"
#include "device/LineParser.h"
#include "device/LinkControl.h"
#include "device/LinkInterfaces.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>

class PortMap;
class QSerialPort;
class SerialTraceWriter;
class QThread;

// The shared records the link works on; tests pass their own instances.
struct LinkRecords {
    DeviceReadings& readings;
    std::mutex& readingsMutex;
    LinkControl& link;
    ConfigData& config;
    const RelaxedAtomic<int32_t>& minPulseRate;
    const RelaxedAtomic<int32_t>& maxPulseRate;

    // The process-wide records.
    static LinkRecords global();
};

class CSerialComm : private CommandChannel {
public:
    // Line framing and time limits.
    static constexpr int kLineCapacity = 256;
    static constexpr int kMaxLineBytes = 255; // the 255th byte of a line discards it
    static constexpr std::chrono::milliseconds kReadTimeout{40};
    static constexpr std::chrono::milliseconds kNoLineStart{500};
    static constexpr std::chrono::milliseconds kNoDataRepeat{1000};
    static constexpr std::chrono::milliseconds kMaxLineTime{1000};
    static constexpr std::chrono::milliseconds kMaxPurgeTime{1000};
    // Bytes the port may hold for sending before they are dropped: a line
    // that takes nothing must not grow the program's memory.
    static constexpr int64_t kOutputBufferSize = 2048;

    // `owner` receives every notification; it must outlive the thread.
    CSerialComm(LinkNotifier& owner, PortMap& ports, LinkRecords records);
    ~CSerialComm() override; // sets stopRequest and waits if the thread still runs
    CSerialComm(const CSerialComm&) = delete;
    CSerialComm& operator=(const CSerialComm&) = delete;

    // Clears stopRequest and starts the thread at the highest priority the
    // platform grants. Once per object.
    void startLinkThread();
    // Waits until the thread has ended (returns at once if it never started).
    // The caller has set stopRequest.
    void wait();
    bool started() const { return thread_ != nullptr; }

    // Every byte on the line, both directions, goes to `trace` as well (null:
    // none). Set before the thread starts; the writer outlives the thread.
    void setTraceWriter(SerialTraceWriter* trace) { trace_ = trace; }

    // The noise measurement button: the poll cycle then asks for interference.
    void setNoiseButtonPressed(bool pressed) { scheduler_.setNoiseButtonPressed(pressed); }

private:
    enum class ReadResult { Line, NoLine, Stop };

    // All of these run on the reader thread.
    void run();
    bool openPort();
    ReadResult readLine();
    bool readByte(unsigned char& byte);
    bool purgeInput();
    void endLink();
    void closePort();
    // Gives up a port whose device has gone (portLost).
    void checkPortLost();
    void notifyNoData();
    int64_t nowMs() const;

    // CommandChannel, for the scheduler.
    void sendCommand(std::string_view bytes) override;
    bool linkWait(double seconds) override;

    LinkNotifier& owner_;
    PortMap& ports_;
    LinkRecords rec_;
    CommandScheduler scheduler_;
    LineParser parser_;
    std::unique_ptr<QThread> thread_;
    std::chrono::steady_clock::time_point epoch_;

    SerialTraceWriter* trace_ = nullptr;

    // Reader thread only.
    std::unique_ptr<QSerialPort> port_;
    char line_[kLineCapacity] = {};
    int lineLength_ = 0;
    int64_t lineStartMs_ = 0;
    int64_t lastNoticeMs_ = 0;

    // The end of the thread, as the user-interface thread sees it.
    std::mutex endMutex_;
    std::condition_variable endedCv_;
    bool ended_ = false;
};
