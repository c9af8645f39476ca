#include "eventlog/SessionEventLog.h"

#include "device/DeviceEvents.h"
#include "status/StatusList.h"
#include "status/StatusListText.h"

#include <QFileInfo>

#include <cstring>

namespace {

std::string trimmedField(const char* text, size_t capacity) {
    std::string s(text, strnlen(text, capacity));
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

template <size_t N> std::string trimmedField(const char (&text)[N]) {
    return trimmedField(text, N);
}

// "COM3" for "\\.\COM3"; a device path stays as it is.
std::string shortPortName(const std::string& name) {
    return name.rfind("\\\\.\\", 0) == 0 ? name.substr(4) : name;
}

const char* answerText(RequestAnswer answer) {
    switch (answer) {
    case RequestAnswer::Done:
        return "sent";
    case RequestAnswer::Back:
        return "the box restarted";
    case RequestAnswer::Failed:
        return "failed";
    case RequestAnswer::TimedOut:
        return "no answer in time";
    case RequestAnswer::Replaced:
        return "replaced by another request";
    default:
        return "";
    }
}

} // namespace

SessionEventLog::SessionEventLog(EventLog& log, AcquisitionCore& core, StatusList& list)
    : log_(log), core_(core), list_(list) {
    core_.subscribe(this);
    core_.requests().observer = [this](BoxRequest request, RequestAnswer answer) {
        requestAnswer(request, answer);
    };
    list_.setEntryListener([this](const StatusListEntry& entry, int number) {
        log_.statusEntry(statusListLine(number, entry.flags, firmware_));
    });
    core_.search().setChoiceListener([this](const std::string& chosen) {
        if (chosen.empty())
            log_.automaticSearch();
        else
            log_.portChosen(shortPortName(chosen), core_.ports().deviceForName(chosen));
    });
}

SessionEventLog::~SessionEventLog() {
    logPendingConnection();
    list_.setEntryListener({});
    core_.search().setChoiceListener({});
    core_.requests().observer = {};
    core_.unsubscribe(this);
}

void SessionEventLog::requestAnswer(BoxRequest request, RequestAnswer answer) {
    // The log keeps what changes the box; the noise measurement's requests
    // come every few seconds and change nothing.
    if (request == BoxRequest::Interference)
        return;
    if (answer == RequestAnswer::Waiting) {
        log_.requested(request);
        return;
    }
    if (!isFinal(answer))
        return;
    if (answer == RequestAnswer::NotSent) {
        log_.append(requestNotSentText(request, "a one-letter box has no such request"));
        return;
    }
    const bool ok = answer == RequestAnswer::Done || answer == RequestAnswer::Back;
    log_.requestResult(request, ok, answerText(answer));
}

void SessionEventLog::deviceEvent(int code, int, const DeviceReadings& readings) {
    firmware_ = readings.firmwareVersion;
    if (code == kPositionEvent && !connected_) {
        // By the first position the box has told its type and firmware; its
        // serial numbers may follow a moment later.
        connected_ = true;
        silent_ = false;
        connectionPending_ = true;
        pendingTicks_ = 0;
    }
    if (connectionPending_ && (code == kSerialNumbersEvent || readings.serialTextA[0] != '\0' ||
                               readings.serialTextB[0] != '\0'))
        logConnection(readings);
}

void SessionEventLog::tick() {
    // A box that never tells its serial numbers is logged without them.
    if (connectionPending_ && ++pendingTicks_ > kSerialWaitTicks)
        logPendingConnection();
}

void SessionEventLog::linkEnded() {
    logPendingConnection();
}

void SessionEventLog::logPendingConnection() {
    if (!connectionPending_)
        return;
    const LinkRecords records = core_.records();
    DeviceReadings snapshot;
    {
        const std::lock_guard<std::mutex> lock(records.readingsMutex);
        snapshot = records.readings;
    }
    logConnection(snapshot);
}

void SessionEventLog::logConnection(const DeviceReadings& readings) {
    connectionPending_ = false;
    const std::string port = core_.records().config.portName;
    // In the order the main window's serial-number line shows them.
    std::string serial = trimmedField(readings.serialTextB);
    const std::string second = trimmedField(readings.serialTextA);
    if (!second.empty())
        serial += (serial.empty() ? "" : " ") + second;
    // Named as the port choice names it ("COM1", not "\\.\COM1").
    log_.connected({shortPortName(port), core_.ports().deviceForName(port),
                    trimmedField(readings.boxTypeText), trimmedField(readings.versionText),
                    serial});
}

void SessionEventLog::noSerialData() {
    // Once per silence; a box that was there and whose device went away lost
    // its cable (a USB adapter pulled).
    if (silent_)
        return;
    silent_ = true;
    // The connection comes before its end, with what the box had told.
    logPendingConnection();
    const bool wasConnected = std::exchange(connected_, false);
    const std::string device = core_.ports().deviceForName(core_.records().config.portName);
    const bool gone = core_.records().link.portLost ||
                      (!device.empty() && !QFileInfo::exists(QString::fromStdString(device)));
    if (core_.records().link.recordingActive && gone)
        log_.append(cableLostWhileRecordingText());
    else if (wasConnected && gone)
        log_.cableLost();
    else
        log_.noData();
}

void SessionEventLog::boxRestart() {
    log_.boxRestarted();
}
