#pragma once
// The acquisition core: it owns the reader thread, the notifier it reports
// through, the port map, the interface search, the box requests and the two
// timers of a session, and hands every notice of the reader thread to its
// receivers. Windows and features subscribe to it; none of them owns the link.
//
//   AcquisitionCore core(records, searchHooks);
//   core.subscribe(&diagnosisWindow);      // muted while recording
//   core.subscribe(&recorder);             // features beside it
//   core.requests().submit(BoxRequest::Reset, answered);
//   core.startLinkThread(); core.startTimers();   // the first confirmed start menu
//   ... core.stopLink() -> every receiver's linkEnded -> core.joinLinkThread()
//
// User-interface thread only (the thread that made the core). The box
// requests are the first receiver, so a feature learns the answer to its
// request before a window reacts to the same event.
//
// What the program makes of the box's values is the core's too: the position
// tracker (zero point, wrap of the box's counter, the position as shown, the
// turn counter, the reference mark's position, the speed) and the heads'
// state (offsets seen, sensor connection). Both are brought up to date with
// each event before the first receiver hears of it, so every receiver reads
// the same values (core.positions(), core.sensors()).

#include "acquisition/BoxRequests.h"
#include "acquisition/ReceiverList.h"
#include "device/CSerialComm.h"
#include "device/InterfaceSearch.h"
#include "device/PortMap.h"
#include "device/PositionTracker.h"
#include "device/QtLinkNotifier.h"
#include "device/SensorState.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class SerialTraceWriter;

class AcquisitionCore : public QObject {
public:
    // The first tick comes this long after the start, then every kTickMs.
    static constexpr int kStartDelayMs = 1500;
    static constexpr int kTickMs = 200;

    // An empty probePort or probeChosenPort in `hooks` probes the core's own
    // port map. `clockMs`
    // times the answers of box requests.
    AcquisitionCore(LinkRecords records, InterfaceSearchHooks hooks,
                    std::function<int64_t()> clockMs = {}, QObject* parent = nullptr);
    // Stops the reader thread and waits for it.
    ~AcquisitionCore() override;

    AcquisitionCore(const AcquisitionCore&) = delete;
    AcquisitionCore& operator=(const AcquisitionCore&) = delete;

    // A receiver may subscribe and unsubscribe at any time, from inside a
    // notice too; one that is destroyed unsubscribes first.
    void subscribe(DeviceReceiver* receiver) { receivers_.subscribe(receiver); }
    void unsubscribe(DeviceReceiver* receiver) { receivers_.unsubscribe(receiver); }
    bool subscribed(const DeviceReceiver* receiver) const { return receivers_.contains(receiver); }

    BoxRequests& requests() { return requests_; }
    PositionTracker& positions() { return positions_; }
    const PositionTracker& positions() const { return positions_; }
    SensorState& sensors() { return sensors_; }
    const SensorState& sensors() const { return sensors_; }
    InterfaceSearch& search() { return *search_; }
    const InterfaceSearch& search() const { return *search_; }
    const PortMap& ports() const { return ports_; }
    const LinkRecords& records() const { return records_; }

    // The link flags and settings of a program start: no thread, no port,
    // notifications suppressed, no data, no recording; position in degrees,
    // counting forwards.
    void applyStartUpValues();

    // Zeroes the readings (under the lock), the position tracking and the
    // heads' offsets seen, restarts the identification, then tells every
    // receiver (readingsReset). Also what the reader thread
    // asks for when it opens another port.
    void resetReadings();

    // A serial trace of the link (null: none); effective for a thread started
    // after the call. The writer outlives the thread.
    void setTraceWriter(SerialTraceWriter* trace) { trace_ = trace; }

    // Starts the reader thread (once; later calls do nothing).
    void startLinkThread();
    bool linkThreadStarted() const { return thread_ != nullptr; }
    // The reader thread's LinkEnded has arrived (or it never ran).
    bool linkEnded() const { return linkEnded_ || !thread_; }
    // Sets stopRequest. The thread ends by itself; its LinkEnded follows.
    void stopLink();
    // Waits for the thread and drops it. Only after LinkEnded: a device event
    // waiting for this thread would never be delivered otherwise.
    void joinLinkThread();

    // The session's timers: kStartDelayMs after the first start the tick
    // begins (the interface search's step, then every receiver's tick).
    void startTimers();
    // Stops the pending first tick only; a running tick goes on.
    void stopStartTimer() { startTimer_.stop(); }
    void stopTimers();
    // One tick, as the timer gives it.
    void tick();

    // The reader thread's notices, handed to every receiver as they arrive;
    // a test without a reader thread hands its own the same way.
    void deliverDeviceEvent(int code, int param);
    void deliverNoSerialData() { deliver(&DeviceReceiver::noSerialData); }
    void deliverBoxRestart() { deliver(&DeviceReceiver::boxRestart); }

private:
    void deliver(void (DeviceReceiver::*notice)());
    void onBoxRestart();
    void onLinkEnded();

    LinkRecords records_;
    QtLinkNotifier notifier_;
    PortMap ports_;
    std::unique_ptr<InterfaceSearch> search_;
    BoxRequests requests_;
    PositionTracker positions_;
    SensorState sensors_;
    ReceiverList receivers_;
    std::unique_ptr<CSerialComm> thread_;
    SerialTraceWriter* trace_ = nullptr;
    bool linkEnded_ = false;
    QTimer startTimer_;
    QTimer tickTimer_;
    bool firstTickPending_ = true;
};
