#include "MonitorSession.h"

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
      problem_(std::move(problem)), core_(records, monitorSearchHooks()) {
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
    const PositionTracker& positions = core_.positions();
    record.positionDeg = positions.displayAngle();
    record.speedRpm = positions.speedRpm();
    record.amplitudeWH = readings.amplitudeWH;
    record.amplitudeYE = readings.amplitudeYE;
    record.statusWord = readings.statusWord;
    record.errorFlags = readings.errorFlags;
    record.flags =
        compactFlags(describeFlags(readings.errorFlags, false, readings.firmwareVersion));
    return record;
}

void MonitorSession::output(const MonitorRecord& record) {
    print_(formatRecord(record, options_.format));
}

void MonitorSession::deviceEvent(int code, int, const DeviceReadings& readings) {
    if (ending_)
        return;
    answered_ = true;
    if (code == kPositionEvent) {
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
        output(makeRecord(MonitorRecord::Kind::Position, readings));
    } else if (code == kPulseRateEvent) {
        followPulseRate(readings.detectedPulseRate);
    } else if (code == kStatusEvent) {
        if (statusShown_ && readings.statusWord == lastStatusWord_ &&
            readings.errorFlags == lastErrorFlags_)
            return;
        statusShown_ = true;
        lastStatusWord_ = readings.statusWord;
        lastErrorFlags_ = readings.errorFlags;
        output(makeRecord(MonitorRecord::Kind::Status, readings));
    }
}

void MonitorSession::noSerialData() {
    if (ending_)
        return;
    if (identityShown_) {
        MonitorRecord record;
        record.kind = MonitorRecord::Kind::NoData;
        record.timeS = elapsedS();
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
    else
        problem_(device_ + ": the port is busy: another program uses it.");
    finish(kExitPort);
}
