#include "acquisition/AcquisitionCore.h"

#include "device/DeviceEvents.h"
#include "device/PortProbe.h"
#include "device/ReadingsReset.h"

#include <chrono>
#include <utility>

namespace {

int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

AcquisitionCore::AcquisitionCore(LinkRecords records, InterfaceSearchHooks hooks,
                                 std::function<int64_t()> clockMs, QObject* parent)
    : QObject(parent), records_(records), notifier_(records.link),
      requests_(records.link, clockMs ? std::move(clockMs) : steadyMs),
      positions_(records.config, records.link) {
    if (!hooks.probePort)
        hooks.probePort = [this](int n) { return probePort(ports_, n); };
    if (!hooks.probeChosenPort)
        hooks.probeChosenPort = [this](const std::string& name) {
            if (probeDevice(ports_.deviceForName(name)))
                return true;
            // A converter plugged in again often comes back under another
            // device name; the map then gives its number the new one.
            ports_.refresh();
            return probeDevice(ports_.deviceForName(name));
        };
    search_ = std::make_unique<InterfaceSearch>(records_.link, records_.config, std::move(hooks));
    receivers_.subscribe(&requests_);

    connect(&notifier_, &QtLinkNotifier::deviceEventArrived, this,
            &AcquisitionCore::deliverDeviceEvent);
    connect(&notifier_, &QtLinkNotifier::noSerialDataArrived, this,
            [this] { deliver(&DeviceReceiver::noSerialData); });
    connect(&notifier_, &QtLinkNotifier::boxRestartArrived, this, &AcquisitionCore::onBoxRestart);
    connect(&notifier_, &QtLinkNotifier::linkEndedArrived, this, &AcquisitionCore::onLinkEnded);
    connect(&notifier_, &QtLinkNotifier::deletingTextRequested, this,
            [this] { deliver(&DeviceReceiver::deletingText); });
    connect(&notifier_, &QtLinkNotifier::readingsResetRequested, this,
            &AcquisitionCore::resetReadings);

    startTimer_.setSingleShot(true);
    connect(&startTimer_, &QTimer::timeout, this, [this] {
        if (std::exchange(firstTickPending_, false))
            tickTimer_.start(kTickMs);
    });
    connect(&tickTimer_, &QTimer::timeout, this, &AcquisitionCore::tick);
}

AcquisitionCore::~AcquisitionCore() {
    // Normally the thread has ended already (LinkEnded came before).
    if (thread_) {
        records_.link.stopRequest = true;
        thread_->wait();
    }
}

void AcquisitionCore::applyStartUpValues() {
    LinkControl& link = records_.link;
    link.recordingActive = false;
    link.stopRequest = true;
    link.threadEnded = true;
    link.portClosed = false;
    link.purgeRequest = false;
    link.notificationsSuppressed = true;
    link.noData = true;
    records_.config.directionReversed = 0;
    records_.config.displayFormat = 1;
}

void AcquisitionCore::resetReadings() {
    {
        std::lock_guard<std::mutex> lock(records_.readingsMutex);
        resetDeviceReadings(records_.readings, records_.link);
    }
    positions_.reset();
    sensors_.clearOffsetsSeen();
    deliver(&DeviceReceiver::readingsReset);
}

void AcquisitionCore::startLinkThread() {
    if (thread_)
        return;
    linkEnded_ = false;
    // A port chosen before the setup read the settings file is the one the
    // thread opens first, not the file's.
    if (const std::string& chosen = search_->chosenPort(); !chosen.empty())
        records_.config.portName = chosen;
    thread_ = std::make_unique<CSerialComm>(notifier_, ports_, records_);
    thread_->setTraceWriter(trace_);
    thread_->startLinkThread();
}

void AcquisitionCore::stopLink() {
    records_.link.stopRequest = true;
}

void AcquisitionCore::joinLinkThread() {
    if (!thread_)
        return;
    thread_->wait();
    thread_.reset();
}

void AcquisitionCore::startTimers() {
    startTimer_.start(kStartDelayMs);
}

void AcquisitionCore::stopTimers() {
    startTimer_.stop();
    tickTimer_.stop();
}

void AcquisitionCore::tick() {
    search_->searchTick();
    requests_.poll();
    deliver(&DeviceReceiver::tick);
}

void AcquisitionCore::deliverDeviceEvent(int code, int param) {
    const DeviceReadings& readings = records_.readings;
    // The reader thread waits: the readings are read directly, and what the
    // program makes of them is settled before any receiver looks.
    if (code == kPositionEvent)
        positions_.positionEvent(readings);
    else if (code == kReferenceMarkEvent)
        positions_.referenceMarkEvent(readings);
    sensors_.deviceEvent(code, param, readings, records_.link.newProtocol.load());
    const bool muteDisplays = records_.link.recordingActive.load() && mutedWhileRecording(code);
    receivers_.forEach([&](DeviceReceiver& r) {
        if (!(muteDisplays && r.displayReceiver()))
            r.deviceEvent(code, param, readings);
    });
}

void AcquisitionCore::deliver(void (DeviceReceiver::*notice)()) {
    receivers_.forEach([notice](DeviceReceiver& r) { (r.*notice)(); });
}

void AcquisitionCore::onBoxRestart() {
    sensors_.clearOffsetsSeen();
    deliver(&DeviceReceiver::boxRestart);
}

void AcquisitionCore::onLinkEnded() {
    linkEnded_ = true;
    deliver(&DeviceReceiver::linkEnded);
}
