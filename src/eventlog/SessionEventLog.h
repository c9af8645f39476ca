#pragma once
// The event log's view of a session: what the box and the acquisition core
// report goes into the log as it happens. A receiver of the core (after the
// request door), an observer of the door, of the status list and of the user's
// choice of port (InterfaceSearch::choosePort); the teach-in
// wizard and the recorder report their results through teachInResult and
// recordingSaved.
//
//     EventLog log;
//     SessionEventLog session(log, core, statusList);   // before the link starts
//     ... session.teachInResult(true, "reference found");

#include "acquisition/AcquisitionCore.h"
#include "acquisition/DeviceReceiver.h"
#include "eventlog/EventLog.h"

#include <string>
#include <string_view>

class StatusList;

class SessionEventLog : public DeviceReceiver {
public:
    // Subscribes to `core` and listens to its request door and to `list`;
    // undone by the destructor.
    SessionEventLog(EventLog& log, AcquisitionCore& core, StatusList& list);
    ~SessionEventLog() override;
    SessionEventLog(const SessionEventLog&) = delete;
    SessionEventLog& operator=(const SessionEventLog&) = delete;

    // The features' results.
    void teachInResult(bool ok, std::string_view detail = {}) { log_.teachInResult(ok, detail); }
    void recordingSaved(std::string_view ampPath, std::string_view refPath) {
        log_.recordingSaved(ampPath, refPath);
    }
    void recordingLost(std::string_view reason) { log_.recordingLost(reason); }

    // DeviceReceiver
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void noSerialData() override;
    void boxRestart() override;
    void tick() override;
    void linkEnded() override;

    // How long the connection's entry waits for the box's serial numbers
    // after the first position (ticks of 200 ms).
    static constexpr int kSerialWaitTicks = 25;

private:
    void requestAnswer(BoxRequest request, RequestAnswer answer);
    void logConnection(const DeviceReadings& readings);
    void logPendingConnection();

    EventLog& log_;
    AcquisitionCore& core_;
    StatusList& list_;
    bool connected_ = false;         // positions came since the last silence
    bool connectionPending_ = false; // its entry waits for the serial numbers
    int pendingTicks_ = 0;
    bool silent_ = false; // the silence is logged
    double firmware_ = 0.0;
};
