#include "MonitorSession.h"
#include "PlantPublisher.h"
#include "PlantValues.h"
#include "PortKind.h"
#include "WallClock.h"

#include "signalview/SignalSample.h"

#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "device/DeviceEvents.h"
#include "device/PortAccess.h"
#include "display/ErrorFlags.h"
#include "display/PositionFormat.h"
#include "display/TextFormat.h"

#include <cmath>
#include <cstring>

namespace {

std::string field(const char* text, size_t capacity) {
    return std::string(text, strnlen(text, capacity));
}

template <size_t N> std::string field(const char (&text)[N]) {
    return field(text, N);
}

std::string trimmed(std::string s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// The monitor has no status list, status line or notice: the search only
// probes and hands over.
InterfaceSearchHooks monitorSearchHooks() {
    InterfaceSearchHooks hooks;
    hooks.discardStatusList = [] {};
    hooks.showStatusLine = [](const std::string&) {};
    hooks.showInterfaceNotFound = [] {};
    return hooks;
}

} // namespace

MonitorSession::MonitorSession(const std::string& device, const MonitorOptions& options,
                               LinkRecords records,
                               std::function<void(const std::string&)> printLine,
                               std::function<void(const std::string&)> problem)
    : device_(device), options_(options), records_(records), print_(std::move(printLine)),
      problem_(std::move(problem)), core_(records, monitorSearchHooks()),
      status_(records.readings, records.link, core_.sensors(), core_.positions()) {
    core_.subscribe(this);
    answerTimer_.setSingleShot(true);
    connect(&answerTimer_, &QTimer::timeout, this, [this] {
        if (answered_)
            return;
        problem_(formatText("%s: no box answered within %d s.", device_.c_str(),
                            kAnswerTimeoutMs / 1000));
        finish(kExitNoBox);
    });
    endTimer_.setSingleShot(true);
    connect(&endTimer_, &QTimer::timeout, this, [this] { finish(kExitDone); });
    connect(&healthTimer_, &QTimer::timeout, this, [this] {
        if (plant_ != nullptr && !ending_)
            plant_->healthDue();
    });
}

void MonitorSession::setPlantPublisher(PlantPublisher* plant) {
    plant_ = plant;
}

MonitorSession::~MonitorSession() {
    core_.stopLink();
    core_.joinLinkThread();
    core_.unsubscribe(this);
}

double MonitorSession::elapsedS() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void MonitorSession::start() {
    start_ = std::chrono::steady_clock::now();
    // The same start as the diagnosis window's, with the position in degrees
    // and only the one port to search.
    core_.applyStartUpValues();
    records_.config.displayFormat = 0;
    core_.search().setPortCount(1);

    // A file or folder is no port; say so rather than let the open fail as busy.
    if (const std::string notAPort = portKindProblem(device_); !notAPort.empty()) {
        problem_(notAPort);
        finish(kExitPort);
        return;
    }
    // A device that is not there never reaches the reader thread: look first.
    const PortAccessResult access = checkPortAccess(device_);
    if (access.access != PortAccess::Usable) {
        const PortProblemText text =
            portProblemText(shortPortName(device_), device_, access, records_.config.language);
        problem_(text.detail.empty() ? text.line : text.detail);
        finish(kExitPort);
        return;
    }

    if (options_.format == MonitorFormat::Csv)
        print_(csvHeader());
    core_.resetReadings();
    core_.search().setActive(true);
    records_.link.notificationsSuppressed = false;
    core_.startLinkThread();
    core_.startTimers();
    if (plant_ != nullptr)
        healthTimer_.start(int(std::lround(plant_->healthIntervalS() * 1000.0)));
    else
        answerTimer_.start(kAnswerTimeoutMs);
    if (options_.seconds > 0.0)
        endTimer_.start(int(std::lround(options_.seconds * 1000.0)));
}

void MonitorSession::finish(int code) {
    if (ending_)
        return;
    ending_ = true;
    exitCode_ = code;
    answerTimer_.stop();
    endTimer_.stop();
    healthTimer_.stop();
    core_.stopTimers();
    core_.stopStartTimer();
    if (core_.linkEnded()) {
        QTimer::singleShot(0, this, [this] {
            if (finished)
                finished(exitCode_);
        });
        return;
    }
    core_.stopLink(); // linkEnded follows
}

void MonitorSession::linkEnded() {
    // Joined outside the notice: the core finishes its delivery first.
    QTimer::singleShot(0, this, [this] {
        core_.joinLinkThread();
        if (finished)
            finished(exitCode_);
    });
}

MonitorRecord MonitorSession::makeRecord(MonitorRecord::Kind kind,
                                         const DeviceReadings& readings) const {
    MonitorRecord record;
    record.kind = kind;
    record.timeS = elapsedS();
    record.when = std::chrono::system_clock::now();
    record.wallTime = isoWallClock(record.when);
    const PositionTracker& positions = core_.positions();
    record.positionDeg = positions.displayAngle();
    record.speedRpm = positions.speedRpm();
    record.speedKnown =
        kind == MonitorRecord::Kind::Position && samplesSinceReset_ >= kSpeedSettleSamples &&
        std::isfinite(readings.speed) && !(readings.speedOverLimit && readings.speedLimit > 0.0);
    record.amplitudeWH = readings.amplitudeWH;
    record.amplitudeYE = readings.amplitudeYE;
    record.statusWord = readings.statusWord;
    record.errorFlags = readings.errorFlags;
    record.flags =
        compactFlags(describeFlags(readings.errorFlags, false, readings.firmwareVersion));
    return record;
}

PlantBox MonitorSession::plantBox(const DeviceReadings& readings) const {
    PlantBox box;
    box.port = device_;
    box.type = trimmed(field(readings.boxTypeText));
    box.firmware = trimmed(field(readings.versionText));
    box.serial =
        trimmed(trimmed(field(readings.serialTextA)) + " " + trimmed(field(readings.serialTextB)));
    box.bearing = records_.config.bearingType;
    box.lineCount = readings.detectedPulseRate > 0 ? readings.detectedPulseRate
                                                   : int32_t(records_.config.pulseRate);
    return box;
}

PlantValues MonitorSession::plantValues(const MonitorRecord& record,
                                        const DeviceReadings& readings) const {
    PlantValues v;
    v.when = record.when;
    v.positionDeg = record.positionDeg;
    v.speedRpm = record.speedRpm;
    v.speedKnown = record.speedKnown;
    v.amplitudeWH = record.amplitudeWH;
    v.amplitudeYE = record.amplitudeYE;
    v.signal = signalSampleFrom(readings, record.timeS);
    v.statusWord = record.statusWord;
    v.errorFlags = record.errorFlags;
    v.flags = record.flags;
    v.statusText = trimmed(status_.shown().text);
    return v;
}

void MonitorSession::output(const MonitorRecord& record) {
    print_(formatRecord(record, options_.format));
}

void MonitorSession::deviceEvent(int code, int param, const DeviceReadings& readings) {
    if (ending_)
        return;
    answered_ = true;
    if (code == kPositionEvent) {
        if (samplesSinceReset_ < kSpeedSettleSamples)
            ++samplesSinceReset_;
        // As in the diagnosis window: a marker that stays the same means the
        // positions keep coming, and the search stops.
        const PositionTracker& positions = core_.positions();
        const std::string marker = markerText(positions.marker(), positions.turnCount(), false);
        if (marker == shownMarker_)
            core_.search().setActive(false);
        shownMarker_ = marker;
        if (!identityShown_) {
            // By the first position the box has told who it is.
            identityShown_ = true;
            MonitorRecord box = makeRecord(MonitorRecord::Kind::Box, readings);
            box.info = formatText("port %s; type %s; firmware %s", device_.c_str(),
                                  trimmed(field(readings.boxTypeText)).c_str(),
                                  trimmed(field(readings.versionText)).c_str());
            // An older box never sends its serial numbers.
            const std::string serial = trimmed(trimmed(field(readings.serialTextA)) + " " +
                                               trimmed(field(readings.serialTextB)));
            if (!serial.empty())
                box.info += "; serial " + serial;
            output(box);
        }
        const MonitorRecord record = makeRecord(MonitorRecord::Kind::Position, readings);
        output(record);
        if (plant_ != nullptr) {
            // The line count may come after the first position: info follows it.
            plant_->boxIdentified(plantBox(readings));
            plant_->positionSample(plantValues(record, readings));
        }
    } else if (code == kPulseRateEvent) {
        followPulseRate(readings.detectedPulseRate);
    } else if (code == kReferencePassedEvent) {
        if (plant_ != nullptr)
            plant_->referenceMark();
    } else if (code == kStatusEvent) {
        // The status line's text, as the diagnosis window would show it.
        if (plant_ != nullptr)
            status_.updateStatusDisplay(param != kStatusNotReady);
        if (statusShown_ && readings.statusWord == lastStatusWord_ &&
            readings.errorFlags == lastErrorFlags_)
            return;
        statusShown_ = true;
        lastStatusWord_ = readings.statusWord;
        lastErrorFlags_ = readings.errorFlags;
        const MonitorRecord record = makeRecord(MonitorRecord::Kind::Status, readings);
        output(record);
        if (plant_ != nullptr)
            plant_->statusChanged(plantValues(record, readings));
    }
}

void MonitorSession::noSerialData() {
    if (ending_)
        return;
    if (plant_ != nullptr)
        plant_->boxLost();
    if (identityShown_) {
        MonitorRecord record;
        record.kind = MonitorRecord::Kind::NoData;
        record.timeS = elapsedS();
        record.wallTime = isoWallClockNow();
        output(record);
    }
    core_.search().setActive(true);
    core_.resetReadings();
}

void MonitorSession::boxRestart() {
    records_.link.boxStarting = true;
    records_.link.statusRestart = true;
}

void MonitorSession::readingsReset() {
    // The box identifies itself again; its next position brings a new identity.
    shownMarker_.clear();
    identityShown_ = false;
    samplesSinceReset_ = 0;
    statusShown_ = false;
    records_.link.boxStarting = true;
    records_.link.statusRestart = true;
    checkPortRefused();
}

void MonitorSession::followPulseRate(int32_t detected) {
    // Positions and speed count with the box's lines: the bearing row with
    // that rate, as the diagnosis window selects it. The monitor has no one
    // to warn of a rate without a row, so it counts with the box's rate then.
    if (detected <= 0)
        return;
    if (!applyDetectedPulseRate(records_.config, bearingTable, bearingCount, detected))
        records_.config.pulseRate = detected;
}

void MonitorSession::checkPortRefused() {
    // Every open of the reader thread ends here; a port that did not open is
    // busy or refused.
    if (ending_ || !records_.link.portClosed)
        return;
    const PortAccessResult access = checkPortAccess(device_);
    const PortProblemText text =
        portProblemText(shortPortName(device_), device_, access, records_.config.language);
    if (!text.line.empty())
        problem_(text.detail.empty() ? text.line : text.detail);
    else if (const std::string notAPort = portKindProblem(device_, true); !notAPort.empty())
        problem_(notAPort);
    else
        problem_(device_ + ": the port is busy: another program uses it.");
    finish(kExitPort);
}
