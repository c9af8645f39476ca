#pragma once
// orvatix-monitor's session: the acquisition core on one port, the program's
// own reader thread and tick, and a receiver that turns what the box reports
// into records. Positions and speed are the core's (its position tracker),
// counted with the lines of the box's bearing once the box has reported them,
// as the diagnosis window counts. No widgets, no display classes.

#include "MonitorOptions.h"
#include "MonitorRecord.h"

#include "acquisition/AcquisitionCore.h"
#include "acquisition/DeviceReceiver.h"
#include "display/StatusDisplay.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class PlantPublisher;
struct PlantBox;
struct PlantValues;
class SerialTraceWriter;

class MonitorSession : public QObject, public DeviceReceiver {
public:
    // No box answering within this long ends the run with kExitNoBox.
    static constexpr int kAnswerTimeoutMs = 10000;
    // Position samples after the box (re)identified before the speed counts:
    // the link's estimate averages windows of ten samples, and the first
    // window still holds the step from whatever position came before.
    static constexpr int kSpeedSettleSamples = 21;

    // `device` is the box's port (also the name reported); `printLine` takes every
    // record's line; `problem` takes the advice when the run fails.
    MonitorSession(const std::string& device, const MonitorOptions& options, LinkRecords records,
                   std::function<void(const std::string&)> printLine,
                   std::function<void(const std::string&)> problem);
    ~MonitorSession() override;

    void setTraceWriter(SerialTraceWriter* trace) { core_.setTraceWriter(trace); }
    // The plant's broker hears the box too; with it, a box that does not
    // answer is reported as such and waited for, not a reason to end.
    void setPlantPublisher(PlantPublisher* plant);

    // Starts the link; the returned code comes through `finished` once the
    // reader thread has ended.
    void start();
    // Ends the run with `code` (the first code given counts).
    void finish(int code);

    std::function<void(int code)> finished;

    // DeviceReceiver
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void noSerialData() override;
    void boxRestart() override;
    void linkEnded() override;
    void readingsReset() override;

private:
    MonitorRecord makeRecord(MonitorRecord::Kind kind, const DeviceReadings& readings) const;
    PlantValues plantValues(const MonitorRecord& record, const DeviceReadings& readings) const;
    PlantBox plantBox(const DeviceReadings& readings) const;
    void output(const MonitorRecord& record);
    void checkPortRefused();
    void followPulseRate(int32_t detected);
    double elapsedS() const;

    std::string device_;
    MonitorOptions options_;
    LinkRecords records_;
    std::function<void(const std::string&)> print_;
    std::function<void(const std::string&)> problem_;
    AcquisitionCore core_;
    std::string shownMarker_; // what the window's marker field would show
    StatusDisplay status_;
    PlantPublisher* plant_ = nullptr;
    QTimer healthTimer_;
    QTimer answerTimer_;
    QTimer endTimer_;
    std::chrono::steady_clock::time_point start_;
    bool answered_ = false;
    bool identityShown_ = false;
    int samplesSinceReset_ = 0;
    bool statusShown_ = false;
    int32_t lastStatusWord_ = 0;
    int32_t lastErrorFlags_ = 0;
    bool ending_ = false;
    int exitCode_ = kExitDone;
};
