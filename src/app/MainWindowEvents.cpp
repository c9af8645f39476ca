#include "app/MainWindowEvents.h"

#include "acquisition/AcquisitionCore.h"
#include "app/CORVATIXDlg.h"
#include "app/PulseRateCheck.h"
#include "app/WindowTitle.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/MainWindowRows.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"
#include "device/PortAccess.h"
#include "device/PortMap.h"
#include "device/PortProbe.h"
#include "display/TextFormat.h"
#include "display/widgets/AmplitudeBars.h"
#include "display/widgets/NoiseDisplay.h"
#include "ui/Notice.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <optional>

MainWindowEvents::MainWindowEvents(CORVATIXDlg& window, DeviceReadings& readings,
                                   std::mutex& readingsMutex, LinkControl& link, ConfigData& config,
                                   AcquisitionCore& core, std::function<int64_t()> clock)
    : window_(window), readings_(readings), readingsMutex_(readingsMutex), link_(link),
      config_(config), core_(core), statusLog_(statusList, config),
      position_(core.positions(), readings, config, readingsMutex),
      status_(readings, link, core.sensors(), core.positions(), &statusLog_, clock),
      indicator_(std::move(clock)) {}

std::string MainWindowEvents::versionLine(const DeviceReadings& readings) {
    std::string line(fieldText(readings.boxTypeText));
    line.append(" Version ").append(fieldText(readings.versionText));
    line.append(" [").append(fieldText(readings.boxInfoText)).append("]");
    return line;
}

std::string MainWindowEvents::serialLine(const DeviceReadings& readings) {
    std::string line("SN ");
    line.append(fieldText(readings.serialTextB))
        .append(" ")
        .append(fieldText(readings.serialTextA));
    return line;
}

// ---------------------------------------------------------------------------
// Notices of the reader thread

void MainWindowEvents::deviceEvent(int code, int param, const DeviceReadings& readings) {
    // The events a recording mutes never arrive here while it runs (the
    // core's rule for display receivers); the rest are read directly, the
    // reader thread waits meanwhile.
    switch (code) {
    case kPositionEvent:
        showPosition();
        break;
    case kDacOffsetsEvent:
        offsetsReported(param);
        break;
    case kStatusEvent:
        updateStatusDisplay(param != kStatusNotReady);
        break;
    case kAmplitudeWhiteEvent:
        if (!window_.amplitudeBusy())
            window_.drawBar(BarUpdate::newAmplitude(Head::WH, readings.amplitudeWH));
        break;
    case kAmplitudeYellowEvent:
        if (!window_.amplitudeBusy())
            window_.drawBar(BarUpdate::newAmplitude(Head::YE, readings.amplitudeYE));
        break;
    case kInterferenceEvent:
        showNoiseValues(param);
        break;
    case kReferenceFoundEvent:
        indicator_.referenceFound(fieldText(readings.boxTypeText), readings.absolutePositionMode,
                                  core_.positions().displayAngle());
        break;
    case kReferencePassedEvent:
        indicator_.referencePassed(fieldText(readings.boxTypeText), readings.absolutePositionMode,
                                   core_.positions().displayAngle());
        break;
    case kVersionEvent:
        window_.drawVersionLine(versionLine(readings));
        break;
    case kResetResultEvent:
        if (param == kResetError)
            showBoxResetResult(true);
        else if (param == kFlashErased)
            showBoxResetResult(false);
        break;
    case kPulseRateEvent:
        selectBearingByPulseRate();
        break;
    case kSerialNumbersEvent:
        setSerialLine(serialLine(readings));
        break;
    default: // the extended display's codes, distance, box info, zero value A and unknown
             // codes: only the common step
        break;
    }
    window_.drawReferenceImage(indicator_.expire());
}

void MainWindowEvents::noSerialData() {
    core_.search().setActive(true);
    pulseRateNoticeShown_ = false; // the next box is another connection
    pulseRateWarning_.clear();
    // Lamps and picture only: the status line keeps what the search writes.
    applyStatus(status_.showNoData(), false);
    core_.resetReadings();
    indicator_.setNotConnected();
    window_.drawReferenceImage(indicator_.image());
    window_.clearMarkerField();
    position_.clearMarkerField();
    // The serial-number line tells which port is silent, unless it explains
    // why the system refuses the port.
    if (shownPortProblem_.empty()) {
        setSerialLine(shortPortName(config_.portName) + ": " +
                      text(TextTable::MainWindow, mainwindowrow::kNoSerialData));
        serialLineSilent_ = true;
    }
    if (window_.noiseDisplay().running())
        window_.noiseDisplay().toggleNoise(false);
    window_.showState(text(TextTable::StatusMessages, statusrow::kNoData), "");
    statusList.clear();
}

void MainWindowEvents::linkEnded() {
    window_.onLinkEnded();
}

void MainWindowEvents::deletingText() {
    window_.showState(text(TextTable::MainWindow, mainwindowrow::kDeleting), "");
}

void MainWindowEvents::readingsReset() {
    boxResetHandling();
}

void MainWindowEvents::boxResetHandling() {
    core_.sensors().clearOffsetsSeen();
    window_.showOffsetSeen(Head::WH, false);
    window_.showOffsetSeen(Head::YE, false);
    link_.boxStarting = true;
    for (Head head : {Head::WH, Head::YE}) {
        window_.drawBar(BarUpdate::forgetExtremes(head));
        window_.drawBar(BarUpdate::redraw(head));
    }
    window_.drawVersionLine("");
    {
        std::lock_guard<std::mutex> lock(readingsMutex_);
        readings_.refPhaseText[0] = '\0';
        readings_.detectedPulseRate = 0;
        readings_.absolutePositionMode = false;
        pulseRateWarning_.clear(); // the box reports its rate again
        readings_.boxInfoMarked = false;
    }
    window_.setZeroEnabled(true);
    link_.statusRestart = true;
    window_.refresh();
}

void MainWindowEvents::tick() {
    // After the core's search step.
    position_.toggleRefBlink();
    window_.noiseDisplay().tick();
    showPortProblem();
    reportOnlyPortProblem();
}

StatusDecoding MainWindowEvents::statusDecoding() const {
    StatusDecoding decoding;
    const SensorState& sensors = core_.sensors();
    decoding.offsetSeenYE = sensors.offsetSeenYE();
    decoding.offsetSeenWH = sensors.offsetSeenWH();
    decoding.sensorConnection = sensors.sensorConnection();
    decoding.comPort = core_.search().shownPortNumber();
    return decoding;
}

void MainWindowEvents::captionsRefreshed(int32_t detected) {
    if (detected == 0 || detected == config_.pulseRate)
        pulseRateWarning_.clear();
    position_.forgetPositionText();
}

// ---------------------------------------------------------------------------
// What device events do to the window

void MainWindowEvents::showPosition() {
    // A box in absolute mode reports its own position; zeroing has no effect
    // there, so the button says so by being disabled.
    window_.setZeroEnabled(!readings_.absolutePositionMode);
    const PositionView view = position_.showPosition();
    if (view.writeMarker)
        window_.drawMarker(view.markerText);
    if (view.stopInterfaceSearch) {
        // A recording keeps the status display still; after a lost port the
        // search's line would stand, so say that the recording goes on.
        if (core_.search().active() && link_.recordingActive)
            window_.setStatusLine(text(TextTable::StatusMessages, statusrow::kRecordingGoesOn));
        core_.search().setActive(false);
        // The box answers: a not-found notice from the search is out of date.
        window_.closeInterfaceNotice();
    }
    // Data flows: the silent-port text is wrong now. An older box never
    // sends the serial numbers, so the line stays empty for it.
    if (serialLineSilent_) {
        setSerialLine(readings_.serialTextA[0] != 0 || readings_.serialTextB[0] != 0
                          ? serialLine(readings_)
                          : std::string());
    }
    window_.drawPositionView(view);
    // A position after a port problem: the line is fine now.
    if (!shownPortProblem_.empty()) {
        shownPortProblem_.clear();
        window_.restoreSerialLineTip();
    }
}

void MainWindowEvents::offsetsReported(int) {
    // The core has noted the offsets before this event reached the window.
    const std::optional<Head> head = core_.sensors().offsetsFirstSeen();
    if (!head)
        return;
    // The bar's label turns bold once its offsets are known.
    window_.showOffsetSeen(*head, true);
    if (!link_.recordingActive.load())
        window_.drawBar(BarUpdate::forgetExtremes(*head));
}

void MainWindowEvents::updateStatusDisplay(bool statusValid) {
    if (const auto update = status_.updateStatusDisplay(statusValid))
        applyStatus(*update);
}

void MainWindowEvents::applyStatus(const StatusUpdate& update, bool withText) {
    // The status line also shows search and reset texts; write the status
    // text whenever the control shows something else.
    if (withText) {
        lastStatusText_ = update.view.text;
        window_.setStatusLine(pulseRateWarning_ + update.view.text);
    }
    window_.drawStatusView(update.view);
}

void MainWindowEvents::showNoiseValues(int param) {
    NoiseDisplay& noise = window_.noiseDisplay();
    if (param == 0)
        noise.stopForm();
    else if (noise.running())
        noise.showNoise(readings_.interferenceA / 10.0, readings_.interferenceB / 10.0);
}

void MainWindowEvents::setSerialLine(const std::string& line) {
    serialLineSilent_ = false;
    window_.drawSerialLine(line);
}

void MainWindowEvents::showBoxResetResult(bool resetError) {
    if (resetError) {
        window_.showState(text(TextTable::StatusMessages, statusrow::kError), "");
        window_.setStatusLine(text(TextTable::MainWindow, mainwindowrow::kResetError));
        QApplication::beep();
    } else {
        window_.showState(text(TextTable::StatusMessages, statusrow::kReady), "");
        window_.setStatusLine(text(TextTable::MainWindow, mainwindowrow::kFlashErased));
    }
    // The message stands for a second; the reader thread waits meanwhile.
    window_.holdMessage(1000);
}

void MainWindowEvents::selectBearingByPulseRate() {
    // Positions and speed count with the selected bearing's lines: a box with
    // another rate is told once per connection, and while no row of the
    // table fits the status line keeps warning.
    const PulseRateCheck check =
        checkPulseRate(config_, bearingTable, bearingCount, readings_.detectedPulseRate);
    if (check.mismatch && !pulseRateNoticeShown_) {
        pulseRateNoticeShown_ = true;
        showNotice(&window_, QMessageBox::Warning, window_.windowTitle(),
                   QString::fromStdString(check.message));
    }
    pulseRateWarning_ = check.warning;
    if (!pulseRateWarning_.empty())
        window_.setStatusLine(pulseRateWarning_ + lastStatusText_);
    applyDetectedPulseRate(config_, bearingTable, bearingCount, readings_.detectedPulseRate);
    window_.setTitleIfChanged(
        QString::fromStdString(mainWindowTitle(config_.bearingType, config_.pulseRate)));
}

// ---------------------------------------------------------------------------
// The port

void MainWindowEvents::setOnlyPort(bool only) {
    onlyPort_ = only;
    core_.search().setPortCount(only ? 1 : InterfaceSearch::kPortCount);
    // The command line's port is chosen as the menu would choose it.
    if (only)
        core_.search().choosePort(comPortName(1));
    reportOnlyPortProblem();
}

void MainWindowEvents::reportOnlyPortProblem() {
    // The search cannot hand a missing device to the reader thread, so the
    // thread's own report never comes: look at the device here.
    if (!onlyPort_)
        return;
    // The command line's port, or the one the user chose in its place.
    const std::string& chosen = core_.search().chosenPort();
    const std::string name = chosen.empty() ? comPortName(1) : chosen;
    const std::string device = core_.ports().deviceForName(name);
    const PortProblemText problem =
        portProblemText(name, device, checkPortAccess(device), config_.language);
    if (problem.line == reportedOnlyPortProblem_)
        return;
    if (!reportedOnlyPortProblem_.empty() && shownPortProblem_ == reportedOnlyPortProblem_)
        shownPortProblem_.clear(); // the device is there again; the link tells the rest
    reportedOnlyPortProblem_ = problem.line;
    if (problem.line.empty())
        return;
    shownPortProblem_ = problem.line;
    setSerialLine(problem.line);
    window_.drawSerialLineTip(problem.detail);
    std::fprintf(stderr, "ORVATIX: %s\n",
                 (problem.detail.empty() ? problem.line : problem.detail).c_str());
}

void MainWindowEvents::showPortProblem() {
    if (!link_.portClosed) {
        // The port opened after all; the next notice tells the line's state.
        // (A missing command-line port never reaches the reader thread.)
        if (!shownPortProblem_.empty() && shownPortProblem_ != reportedOnlyPortProblem_) {
            shownPortProblem_.clear();
            window_.restoreSerialLineTip();
        }
        return;
    }
    const std::string device = core_.ports().deviceForName(config_.portName);
    showPortProblemText(
        portProblemText(config_.portName, device, checkPortAccess(device), config_.language));
}

void MainWindowEvents::showPortProblemText(const PortProblemText& problem) {
    if (problem.line.empty() || problem.line == shownPortProblem_)
        return;
    shownPortProblem_ = problem.line;
    setSerialLine(problem.line);
    window_.drawSerialLineTip(problem.detail);
}
