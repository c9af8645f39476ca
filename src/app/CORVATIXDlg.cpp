#include "app/CORVATIXDlg.h"

#include "app/IndicatorIcons.h"
#include "app/ProgramVersion.h"
#include "app/PulseRateCheck.h"
#include "app/WindowTitle.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/ConfigFile.h"
#include "config/Texts.h"
#include "device/CSerialComm.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"
#include "device/PortAccess.h"
#include "device/PortProbe.h"
#include "display/PositionFormat.h"
#include "display/TextFormat.h"
#include "display/widgets/AmplitudeBars.h"
#include "display/widgets/MainWindowToolTips.h"
#include "display/widgets/NoiseDisplay.h"
#include "display/widgets/QtColour.h"
#include "recorder/widgets/EvaluationRows.h"
#include "signalview/SignalSample.h"
#include "signalview/SignalViewRows.h"
#include "status/widgets/CErrorDialog.h"
#include "teachin/WarnOptimum.h"
#include "ui/CSetup.h"
#include "ui/Help.h"
#include "ui/Messagebox3.h"
#include "ui/Notice.h"
#include "ui/SettingsSaveNotice.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>

#include <chrono>
#include <cstdio>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
QString qs(const char* text) {
    return QString::fromUtf8(text);
}

int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Sets a button's picture unless it shows that one already (the refresh runs
// with every no-data notice).
void setButtonArt(QPushButton* button, Art art) {
    const QVariant shown = button->property("art");
    if (shown.isValid() && shown.toInt() == static_cast<int>(art))
        return;
    button->setProperty("art", static_cast<int>(art));
    button->setIcon(artIcon(art));
}

Art lampArt(Lamp lamp) {
    switch (lamp) {
    case Lamp::Green:
        return Art::LampGreen;
    case Lamp::Yellow:
        return Art::LampYellow;
    case Lamp::Red:
        return Art::LampRed;
    case Lamp::Grey:
        break;
    }
    return Art::LampGrey;
}

Art boxArt(BoxPicture picture) {
    switch (picture) {
    case BoxPicture::Wait:
        return Art::BoxWait;
    case BoxPicture::Adc:
        return Art::BoxAdc;
    case BoxPicture::Sensor:
        return Art::BoxSensor;
    case BoxPicture::Hardware:
        return Art::BoxHardware;
    case BoxPicture::Dac:
        return Art::BoxDac;
    case BoxPicture::Learn:
        return Art::BoxLearn;
    case BoxPicture::LearnWithRef:
        return Art::BoxLearnRef;
    case BoxPicture::LearnWithoutRef:
        return Art::BoxLearnNoRef;
    case BoxPicture::Restart:
        return Art::BoxRestart;
    case BoxPicture::SignalWithRef:
        return Art::BoxSignalRef;
    case BoxPicture::SignalWithoutRef:
        return Art::BoxSignalNoRef;
    case BoxPicture::NoDataA:
        return Art::BoxNoDataA;
    case BoxPicture::NoDataB:
        break;
    }
    return Art::BoxNoDataB;
}

// Main window text rows.
constexpr int kRowNoSerialData = 5;
constexpr int kRowPosition = 6;
constexpr int kRowSystemState = 7;
constexpr int kRowResetError = 8;
constexpr int kRowFlashErased = 9;
constexpr int kRowDeleting = 10;
constexpr int kRowSaving = 11;
constexpr int kRowDone = 12;
constexpr int kRowSetup = 15;
constexpr int kRowExit = 16;
constexpr int kRowHelp = 17;
constexpr int kRowRecordCaption = 18;
constexpr int kRowNoiseCaption = 19;
constexpr int kRowAmplitude = 23;
constexpr int kRowSignal = 24;
constexpr int kRowSensor = 25;
constexpr int kRowSpeed = 26;

// Status message rows.
constexpr int kRowError = 1;
constexpr int kRowReady = 15;
constexpr int kRowNoData = 38;

// Menu rows.
constexpr int kMenuStatusList = 0;
constexpr int kMenuInfo = 1;
constexpr int kMenuExtendedDisplay = 2;

std::string mainText(int row) {
    return text(TextTable::MainWindow, row);
}

} // namespace

CORVATIXDlg::CORVATIXDlg(DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
                         ConfigData& config, SessionDialogs* dialogs, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      readings_(readings), readingsMutex_(readingsMutex), link_(link), config_(config),
      ownDialogs_(dialogs == nullptr ? std::make_unique<StandardSessionDialogs>() : nullptr),
      dialogs_(dialogs == nullptr ? ownDialogs_.get() : dialogs),
      template_(this, kMainWindowWidthUnits, kMainWindowHeightUnits),
      controls_(buildMainWindowControls(template_)), fonts_(makeMainWindowFonts(size())),
      clock_(steadyMs), statusLog_(statusList, config),
      position_(readings, link, config, readingsMutex),
      status_(readings, link, &statusLog_, [this] { return clock_(); }),
      indicator_([this] { return clock_(); }), dispatcher_(readings, link, indicator_, *this),
      core_(LinkRecords{readings, readingsMutex, link, config, minPulseRate, maxPulseRate},
            searchHooks(), [this] { return clock_(); }),
      saveConfiguration_([] { saveSettings(); }) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(QStringLiteral("ORVATIX Diagnose"));
    setWindowIcon(artIcon(Art::ProgramIcon));

    // The amplitude bars fill the "Amplitude" group; the noise display takes
    // the place of control 1033 and drives button 1034 and field 1036.
    bars_ = new AmplitudeBars;
    controls_.amplitudeGroup->setBars(bars_);
    bars_->setLabelFonts(fonts_.barLabel, fonts_.barLabelBold);
    noise_ = new NoiseDisplay(link_, this);
    noise_->setGeometry(controls_.noiseArea->geometry());
    noise_->setObjectName(controls_.noiseArea->objectName());
    delete controls_.noiseArea;
    controls_.noiseArea = noise_;
    noise_->attach(controls_.noiseButton, controls_.noiseValue);

    controls_.zeroButton->setIcon(referenceIndicatorIcon(shownIndicator_));
    controls_.positionField->setFont(fonts_.position);
    for (QLabel* field :
         {controls_.markerField, controls_.speedField, controls_.yellowLabel, controls_.whiteLabel})
        field->setFont(fonts_.field);

    // The window is the core's first receiver after the request door; the
    // signal view's feed follows it.
    core_.subscribe(this);
    signalFeed_.clock = [this] { return clock_(); };
    core_.subscribe(&signalFeed_);

    connectSignals();
    setMainWindowToolTips(controls_, false);
}

CORVATIXDlg::~CORVATIXDlg() {
    // The reader thread ends before the window it reports to; normally it has
    // ended already (LinkEnded arrived before finishClosing).
    core_.stopLink();
    core_.joinLinkThread();
    core_.unsubscribe(&signalFeed_);
}

InterfaceSearchHooks CORVATIXDlg::searchHooks() {
    // The core probes its own port map.
    InterfaceSearchHooks hooks;
    hooks.discardStatusList = [this] { discardStatusList(); };
    hooks.showStatusLine = [this](const std::string& line) { setStatusLine(line); };
    hooks.showInterfaceNotFound = [this] {
        if (!onlyPort_)
            showInterfaceNotFound();
    };
    return hooks;
}

void CORVATIXDlg::setClock(std::function<int64_t()> clock) {
    clock_ = std::move(clock);
}

void CORVATIXDlg::connectSignals() {
    const MainWindowControls& c = controls_;
    connect(c.setupButton, &QPushButton::clicked, this, &CORVATIXDlg::openSetup);
    connect(c.helpButton, &QPushButton::clicked, this, &CORVATIXDlg::openHelp);
    connect(c.exitButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(c.zeroButton, &QPushButton::clicked, this, &CORVATIXDlg::zeroCommand);
    connect(c.directionButton, &QPushButton::clicked, this, &CORVATIXDlg::directionCommand);
    // Button 1034 reaches the poll cycle through the noise measurement, which
    // also knows the stops the program makes by itself.
    connect(c.recordButton, &QPushButton::clicked, this, &CORVATIXDlg::toggleRecording);
    connect(c.statusListButton, &QPushButton::clicked, this, &CORVATIXDlg::toggleStatusList);
    connect(c.connectButton, &QPushButton::clicked, this, &CORVATIXDlg::showInterfaceNotFound);
    connect(c.amplitudeGroup, &AmplitudeGroup::leftClicked, this, &CORVATIXDlg::boxResetHandling);
    // Lamp details: SIGNAL WH 1, SENSOR WH 2, SPEED WH 3, SIGNAL YE 4,
    // SENSOR YE 5, SPEED YE 6; the picture 7; the status text back to 0.
    const std::pair<int, int> lampDetails[] = {
        {kSignalWH, kDetailSignalWH}, {kSensorWH, kDetailSensorWH}, {kSpeedWH, kDetailSpeedWH},
        {kSignalYE, kDetailSignalYE}, {kSensorYE, kDetailSensorYE}, {kSpeedYE, kDetailSpeedYE},
    };
    for (const auto& [lamp, detail] : lampDetails)
        connect(c.lamps[lamp], &PictureControl::clicked, this,
                [this, detail = detail] { selectDetail(detail); });
    connect(c.boxPicture, &PictureControl::clicked, this, [this] { selectDetail(kDetailPicture); });
    connect(c.statusText, &ClickableLabel::clicked, this, [this] { selectDetail(kDetailNone); });
}

// ---------------------------------------------------------------------------
// Life of the window

int CORVATIXDlg::run() {
    startSession(true);
    if (!finished_) {
        QEventLoop loop;
        connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
    }
    return result();
}

void CORVATIXDlg::setStartUpValues() {
    core_.applyStartUpValues();
    status_.clearOffsetsSeen();
}

void CORVATIXDlg::startSession(bool firstStart) {
    sessionRestartQueued_ = false;
    if (const QScreen* screen = QApplication::primaryScreen()) {
        // Centred; a window taller than a small screen keeps its title bar
        // on it.
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        move(keepInside(frame, available));
    }
    hide();
    link_.notificationsSuppressed = true;

    if (firstStart) {
        setStartUpValues();
        if (!dialogs_->runSetup(this)) {
            closing_ = true;
            finishClosing();
            return;
        }
    }

    // Each start menu asks the optimum-range question of the wizard again.
    rearmWarnOptimum();
    const int choice = dialogs_->runStartMenu(this);
    if (choice == SessionDialogs::kTeachIn || choice == SessionDialogs::kDiagnosis) {
        closing_ = false;
        mode_ = choice;
        refresh();
        resetReadings();
        onNoSerialData();
        if (!position_.refBlink())
            position_.toggleRefBlink();
        if (firstStart) {
            startLinkThread();
            core_.startTimers();
        }
        show();
        if (mode_ == SessionDialogs::kTeachIn && openTeachInWizard())
            hide();
        link_.notificationsSuppressed = false;
        return;
    }

    closing_ = true;
    core_.stopLink();
    core_.stopStartTimer();
    // With a reader thread the end follows its LinkEnded; it must not be left
    // running behind a window that is gone.
    if (core_.linkEnded() || link_.threadEnded.load())
        finishClosing();
}

void CORVATIXDlg::finishClosing() {
    if (finished_)
        return;
    finished_ = true;
    link_.recordingActive = false;
    closing_ = true;
    core_.stopTimers();
    controls_.markerField->clear();
    position_.clearMarkerField();
    showState(mainText(kRowSaving), "");
    saveConfiguration_();
    showState(mainText(kRowDone), "");
    closeRecordFiles();
    core_.joinLinkThread();
    QDialog::done(QDialog::Rejected);
}

void CORVATIXDlg::endOnRequest() {
    if (finished_)
        return;
    closing_ = true;
    core_.stopLink();
    core_.stopStartTimer();
    // A dialog with a loop of its own (setup, start menu, a message) closes
    // first, as with Cancel; the code that opened it goes on from there.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this && endAttempts_++ < 100) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(0, this, &CORVATIXDlg::endOnRequest);
        return;
    }
    // With a reader thread the end follows its LinkEnded.
    if (core_.linkEnded() || link_.threadEnded.load())
        finishClosing();
}

void CORVATIXDlg::requestSessionRestart() {
    if (closing_ || sessionRestartQueued_)
        return;
    sessionRestartQueued_ = true;
    // Not from inside the close event: the start menu runs a loop of its own.
    QTimer::singleShot(0, this, [this] {
        if (!closing_)
            startSession(false);
        sessionRestartQueued_ = false;
    });
}

void CORVATIXDlg::closeEvent(QCloseEvent* event) {
    if (finished_) {
        event->accept();
        return;
    }
    event->ignore();
    requestSessionRestart();
}

void CORVATIXDlg::done(int result) {
    // Exit (1), Escape and the close box return to the start menu; only
    // finishClosing ends the window.
    if (finished_) {
        QDialog::done(result);
        return;
    }
    requestSessionRestart();
}

void CORVATIXDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        if (windowState() & Qt::WindowMaximized)
            setWindowState(windowState() & ~Qt::WindowMaximized);
        if (!(windowState() & Qt::WindowMinimized) && statusList_)
            statusList_->showNormal();
    }
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Timers

void CORVATIXDlg::tick() {
    // After the core's search step.
    position_.toggleRefBlink();
    noise_->tick();
    showPortProblem();
    reportOnlyPortProblem();
}

void CORVATIXDlg::setOnlyPort(bool only) {
    onlyPort_ = only;
    core_.search().setPortCount(only ? 1 : InterfaceSearch::kPortCount);
    reportOnlyPortProblem();
}

void CORVATIXDlg::reportOnlyPortProblem() {
    // The search cannot hand a missing device to the reader thread, so the
    // thread's own report never comes: look at the device here.
    if (!onlyPort_)
        return;
    const std::string name = comPortName(1);
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
    controls_.serialLine->setToolTip(qs(problem.detail));
    std::fprintf(stderr, "ORVATIX: %s\n",
                 (problem.detail.empty() ? problem.line : problem.detail).c_str());
}

// ---------------------------------------------------------------------------
// Notices of the reader thread

void CORVATIXDlg::onDeviceEvent(int code, int param) {
    dispatcher_.dispatch(code, param);
}

void CORVATIXDlg::deviceEvent(int code, int param, const DeviceReadings&) {
    // The dispatcher reads the same records the core hands over.
    onDeviceEvent(code, param);
}

void CORVATIXDlg::onNoSerialData() {
    core_.search().setActive(true);
    pulseRateNoticeShown_ = false; // the next box is another connection
    pulseRateWarning_.clear();
    // Lamps and picture only: the status line keeps what the search writes.
    applyStatus(status_.showNoData(), false);
    resetReadings();
    indicator_.setNotConnected();
    setReferenceImage(indicator_.image());
    controls_.markerField->clear();
    position_.clearMarkerField();
    // The serial-number line tells which port is silent, unless it explains
    // why the system refuses the port.
    if (shownPortProblem_.empty()) {
        setSerialLine(shortPortName(config_.portName) + ": " + mainText(kRowNoSerialData));
        serialLineSilent_ = true;
    }
    if (noise_->running())
        noise_->toggleNoise(false);
    showState(text(TextTable::StatusMessages, kRowNoData), "");
    discardStatusList();
}

void CORVATIXDlg::onBoxRestart() {
    boxResetHandling();
}

void CORVATIXDlg::onLinkEnded() {
    finishClosing();
}

void CORVATIXDlg::resetReadings() {
    core_.resetReadings();
}

void CORVATIXDlg::readingsReset() {
    position_.reset();
    boxResetHandling();
}

void CORVATIXDlg::boxResetHandling() {
    status_.clearOffsetsSeen();
    bars_->setOffsetSeen(AmplitudeSensor::WH, false);
    bars_->setOffsetSeen(AmplitudeSensor::YE, false);
    link_.boxStarting = true;
    for (int sensor : {DeviceEventDispatcher::kWhite, DeviceEventDispatcher::kYellow}) {
        drawAmplitude('R', sensor);
        drawAmplitude('P', sensor);
    }
    controls_.versionLine->clear();
    fitSerialLine(controls_, template_);
    {
        std::lock_guard<std::mutex> lock(readingsMutex_);
        readings_.refPhaseText[0] = '\0';
        readings_.detectedPulseRate = 0;
        readings_.absolutePositionMode = false;
        pulseRateWarning_.clear(); // the box reports its rate again
        readings_.boxInfoMarked = false;
    }
    controls_.zeroButton->setEnabled(true);
    link_.statusRestart = true;
    refresh();
    refreshExtendedDisplay(CAdditionalMonitor::kFullRefresh);
}

void CORVATIXDlg::showState(const std::string& main, const std::string& second) {
    const StateWrites writes = position_.showState(main, second);
    if (writes.writeSpeed)
        controls_.speedField->setText(qs(second));
    if (writes.writePosition)
        controls_.positionField->setText(qs(main));
    if (writes.changed())
        forwardTextsToTeachIn(main, second);
}

void CORVATIXDlg::setStatusLine(const std::string& text) {
    if (text == lastStatusLine_)
        return;
    lastStatusLine_ = text;
    controls_.statusText->setText(qs(text));
}

void CORVATIXDlg::showDeletingText() {
    showState(mainText(kRowDeleting), "");
}

// ---------------------------------------------------------------------------
// What device events do to the window

void CORVATIXDlg::showPosition() {
    // A box in absolute mode reports its own position; zeroing has no effect
    // there, so the button says so by being disabled.
    controls_.zeroButton->setEnabled(!readings_.absolutePositionMode);
    applyPositionView(position_.showPosition());
}

void CORVATIXDlg::applyPositionView(const PositionView& view) {
    if (view.writeMarker)
        controls_.markerField->setText(qs(view.markerText));
    if (view.stopInterfaceSearch) {
        core_.search().setActive(false);
        // The box answers: a not-found notice from the search is out of date.
        if (interfaceNotFound_)
            interfaceNotFound_->close();
    }
    // Data flows: the silent-port text is wrong now. An older box never
    // sends the serial numbers, so the line stays empty for it.
    if (serialLineSilent_) {
        serialLineSilent_ = false;
        setSerialLine(readings_.serialTextA[0] != 0 || readings_.serialTextB[0] != 0
                          ? DeviceEventDispatcher::serialLine(readings_)
                          : std::string());
    }
    if (view.writeSpeed)
        controls_.speedField->setText(qs(view.speedText));
    if (view.writePosition)
        controls_.positionField->setText(qs(view.positionText));
    const QColor normal = palette().color(QPalette::WindowText);
    const QColor marker = view.dimmed ? toQColor(kMarkerDimColour) : normal;
    const QColor position = view.dimmed ? toQColor(kPositionDimColour) : normal;
    const QColor speed = view.speedWarning ? toQColor(kSpeedWarningColour) : normal;
    for (auto [label, colour] :
         {std::pair{controls_.markerField, marker}, std::pair{controls_.positionField, position},
          std::pair{controls_.speedField, speed}}) {
        if (label->palette().color(QPalette::WindowText) != colour) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, colour);
            label->setPalette(p);
        }
    }
    if (view.textsChanged)
        forwardTextsToTeachIn(view.positionText, view.speedText);
    // A position after a port problem: the line is fine now.
    if (!shownPortProblem_.empty()) {
        shownPortProblem_.clear();
        setSerialLineToolTip(controls_);
    }
}

double CORVATIXDlg::displayAngle() const {
    return position_.displayAngle();
}

bool CORVATIXDlg::statusDisplayBusy() const {
    return false;
}

void CORVATIXDlg::updateStatusDisplay(bool statusValid) {
    if (const auto update = status_.updateStatusDisplay(statusValid))
        applyStatus(*update);
}

void CORVATIXDlg::applyStatus(const StatusUpdate& update, bool withText) {
    const StatusView& view = update.view;
    // The status line also shows search and reset texts; write the status
    // text whenever the control shows something else.
    if (withText) {
        lastStatusText_ = view.text;
        const std::string line = pulseRateWarning_ + view.text;
        if (line != lastStatusLine_)
            setStatusLine(line);
    }
    controls_.boxPicture->setArt(boxArt(view.picture));
    for (int i = 0; i < kLampCount; ++i)
        controls_.lamps[i]->setArt(lampArt(view.lamps[i]));
    controls_.recordButton->setEnabled(view.startButtonsEnabled);
    controls_.noiseButton->setEnabled(view.startButtonsEnabled);
}

void CORVATIXDlg::selectDetail(int selection) {
    status_.selectDetail(selection);
}

void CORVATIXDlg::setVersionLine(const std::string& text) {
    controls_.versionLine->setText(qs(text));
    fitSerialLine(controls_, template_);
}

void CORVATIXDlg::setSerialLine(const std::string& text) {
    serialLineSilent_ = false;
    controls_.serialLine->setText(qs(text));
    fitSerialLine(controls_, template_);
}

void CORVATIXDlg::showBoxResetResult(bool resetError) {
    if (resetError) {
        showState(text(TextTable::StatusMessages, kRowError), "");
        setStatusLine(mainText(kRowResetError));
        QApplication::beep();
    } else {
        showState(text(TextTable::StatusMessages, kRowReady), "");
        setStatusLine(mainText(kRowFlashErased));
    }
    // The message stands for a second; the reader thread waits meanwhile.
    controls_.positionField->repaint();
    controls_.statusText->repaint();
    QThread::msleep(1000);
}

void CORVATIXDlg::selectBearingByPulseRate() {
    // Positions and speed count with the selected bearing's lines: a box with
    // another rate is told once per connection, and while no row of the
    // table fits the status line keeps warning.
    const PulseRateCheck check =
        checkPulseRate(config_, bearingTable, bearingCount, readings_.detectedPulseRate);
    if (check.mismatch && !pulseRateNoticeShown_) {
        pulseRateNoticeShown_ = true;
        showNotice(this, QMessageBox::Warning, windowTitle(), qs(check.message));
    }
    pulseRateWarning_ = check.warning;
    if (!pulseRateWarning_.empty())
        setStatusLine(pulseRateWarning_ + lastStatusText_);
    applyDetectedPulseRate(config_, bearingTable, bearingCount, readings_.detectedPulseRate);
    setTitleIfChanged(qs(mainWindowTitle(config_.bearingType, config_.pulseRate)));
}

void CORVATIXDlg::setTitleIfChanged(const QString& title) {
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CORVATIXDlg::setReferenceImage(ReferenceIndicator::Image image) {
    if (image == shownIndicator_)
        return;
    shownIndicator_ = image;
    controls_.zeroButton->setIcon(referenceIndicatorIcon(image));
}

void CORVATIXDlg::refresh() {
    int32_t detected = 0;
    {
        std::lock_guard<std::mutex> lock(readingsMutex_);
        detected = readings_.detectedPulseRate;
    }
    setTitleIfChanged(qs(mainWindowTitle(config_.bearingType, detected)));
    // A bearing chosen in the setup that fits the box ends the warning.
    if (detected == 0 || detected == config_.pulseRate)
        pulseRateWarning_.clear();

    const MainWindowControls& c = controls_;
    setButtonArt(c.directionButton,
                 config_.directionReversed ? Art::DirectionMinus : Art::DirectionPlus);
    setButtonArt(c.recordButton, c.recordButton->isChecked() ? Art::RecordOn : Art::RecordOff);

    c.positionGroup->setTitle(qs(mainText(kRowPosition)));
    c.stateGroup->setTitle(qs(mainText(kRowSystemState)));
    c.amplitudeGroup->setTitle(qs(mainText(kRowAmplitude)));
    setFittedCaption(c.setupButton, qs(mainText(kRowSetup)));
    setFittedCaption(c.helpButton, qs(mainText(kRowHelp)));
    setFittedCaption(c.exitButton, qs(mainText(kRowExit)));
    setFittedCaption(c.recordCaption, qs(mainText(kRowRecordCaption)));
    setFittedCaption(c.noiseCaption, qs(mainText(kRowNoiseCaption)));
    setFittedCaption(c.signalCaption, qs(mainText(kRowSignal)));
    setFittedCaption(c.sensorCaption, qs(mainText(kRowSensor)));
    setFittedCaption(c.speedCaption, qs(mainText(kRowSpeed)));
    setMainWindowToolTips(c, !shownPortProblem_.empty());
    refreshSecondaryCaptions();

    position_.forgetPositionText();
}

// ---------------------------------------------------------------------------
// The amplitude bars, the noise display, the status list and the extended
// display. The data recorder and the teach-in wizard have their places below.

bool CORVATIXDlg::amplitudeBusy() const {
    return bars_->busy();
}

void CORVATIXDlg::drawAmplitude(char command, double value) {
    bars_->drawAmplitude(command, value);
    // The wizard draws the same bars in its own window.
    if (teachIn_ != nullptr)
        teachIn_->amplitudeUpdate(command, value);
}

bool CORVATIXDlg::markOffsetSeen(char sensor) {
    const bool white = sensor == 'W';
    if (!status_.noteOffsetsReported(white ? 0 : 2))
        return false;
    // The bar's label turns bold once its offsets are known.
    bars_->setOffsetSeen(white ? AmplitudeSensor::WH : AmplitudeSensor::YE, true);
    return true;
}

bool CORVATIXDlg::noiseButtonPressed() const {
    return noise_->running();
}

void CORVATIXDlg::showNoise(double a, double b) {
    noise_->showNoise(a, b);
}

void CORVATIXDlg::stopNoiseDisplay() {
    noise_->stopForm();
}

void CORVATIXDlg::toggleRecording() {
    if (recorder_ != nullptr) {
        recorder_->recordButtonClicked();
        return;
    }
    showRecordButton(false);
}

void CORVATIXDlg::showRecordButton(bool pressed) {
    controls_.recordButton->setChecked(pressed);
    setButtonArt(controls_.recordButton, pressed ? Art::RecordOn : Art::RecordOff);
}

void CORVATIXDlg::stopNoiseMeasurement() {
    if (noise_->running())
        noise_->toggleNoise(false);
}

void CORVATIXDlg::closeRecordFiles() {
    if (recorder_ != nullptr)
        recorder_->closeRecordFiles();
}

void CORVATIXDlg::refreshExtendedDisplay(int view) {
    if (extendedDisplay_)
        extendedDisplay_->refreshExtendedDisplay(view);
}

void CORVATIXDlg::toggleExtendedDisplay() {
    if (extendedDisplay_) {
        extendedDisplay_->close(); // clears extDisplayOn, deletes itself
        return;
    }
    openExtendedDisplay();
}

void CORVATIXDlg::openExtendedDisplay() {
    extendedDisplay_ = new CAdditionalMonitor(this, *this, readings_, readingsMutex_, link_,
                                              config_, extDisplayOn);
    extendedDisplay_->present();
}

void CORVATIXDlg::closeExtendedDisplay(bool keepReopening) {
    if (!extendedDisplay_)
        return;
    // Hiding the main window takes the display along, but it comes back with
    // the window: extDisplayOn stays as it was.
    const bool wasOn = extDisplayOn;
    extendedDisplay_->close();
    if (keepReopening)
        extDisplayOn = wasOn;
}

void CORVATIXDlg::toggleStatusList() {
    if (statusList_) {
        statusList_->close(); // deletes itself
        return;
    }
    statusList_ = new CErrorDialog(this, statusList, readings_, readingsMutex_);
    statusList_->present();
}

void CORVATIXDlg::discardStatusList() {
    statusList.clear();
}

void CORVATIXDlg::refreshSecondaryCaptions() {
    if (extendedDisplay_)
        extendedDisplay_->refreshCaptions();
    if (statusList_)
        statusList_->refreshCaptions();
    if (signalView_)
        signalView_->refreshCaptions();
}

void CORVATIXDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (extDisplayOn && !extendedDisplay_) {
        openExtendedDisplay();
        if (mode_ == SessionDialogs::kTeachIn)
            extendedDisplay_->lower();
    }
}

void CORVATIXDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        closeExtendedDisplay(true);
        // The signal view belongs to the diagnosis: it does not come back.
        if (signalView_)
            signalView_->hide();
    }
}

void CORVATIXDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (extendedDisplay_)
        extendedDisplay_->followMainWindow();
}

bool CORVATIXDlg::openTeachInWizard() {
    // Without a wizard the diagnosis window serves.
    if (teachInFactory_)
        teachIn_ = teachInFactory_(*this);
    return teachIn_ != nullptr;
}

void CORVATIXDlg::forwardTextsToTeachIn(const std::string& position, const std::string& speed) {
    if (teachIn_ == nullptr || link_.notificationsSuppressed)
        return;
    teachIn_->positionTexts(position, speed);
}

void CORVATIXDlg::teachInEnded() {
    // Not from inside the wizard's own handlers: the start menu runs a loop
    // of its own.
    QTimer::singleShot(0, this, &CORVATIXDlg::onTeachInEnded);
}

void CORVATIXDlg::onTeachInEnded() {
    if (teachIn_ == nullptr)
        return;
    teachIn_.reset();
    startSession(false);
}

void CORVATIXDlg::setStatusRestart() {
    link_.statusRestart = true;
}

StatusDecoding CORVATIXDlg::statusDecoding() const {
    StatusDecoding decoding;
    decoding.offsetSeenYE = status_.offsetSeenYE();
    decoding.offsetSeenWH = status_.offsetSeenWH();
    decoding.sensorConnection = status_.sensorConnection();
    decoding.comPort = core_.search().searchPortNumber();
    return decoding;
}

// ---------------------------------------------------------------------------
// Buttons, clicks, menus

void CORVATIXDlg::zeroCommand() {
    position_.zeroCommand();
}

void CORVATIXDlg::directionCommand() {
    position_.directionCommand();
    refresh();
}

void CORVATIXDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        controls_.amplitudeGroup->geometry().contains(event->position().toPoint())) {
        boxResetHandling();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CORVATIXDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        openHelp();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CORVATIXDlg::contextMenuEvent(QContextMenuEvent* event) {
    openContextMenu(event->globalPos());
    event->accept();
}

void CORVATIXDlg::openContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    fillContextMenu(menu);
    const QSize hint = menu.sizeHint();
    menu.exec(globalPos - QPoint(hint.width() / 2, hint.height() / 2));
}

void CORVATIXDlg::fillContextMenu(QMenu& menu) {
    QAction* extended = menu.addAction(qs(text(TextTable::Menu, kMenuExtendedDisplay)));
    QAction* list = menu.addAction(qs(text(TextTable::Menu, kMenuStatusList)));
    QAction* info = menu.addAction(qs(text(TextTable::Menu, kMenuInfo)));
    extended->setObjectName(QStringLiteral("32777"));
    list->setObjectName(QStringLiteral("32774"));
    info->setObjectName(QStringLiteral("32775"));
    // A tick before an open window only: an empty box before a closed one
    // reads like a setting that can be ticked.
    for (auto [action, open] : {std::pair{extended, !extendedDisplay_.isNull()},
                                std::pair{list, !statusList_.isNull()}}) {
        action->setCheckable(open);
        action->setChecked(open);
    }
    connect(extended, &QAction::triggered, this, &CORVATIXDlg::toggleExtendedDisplay);
    connect(list, &QAction::triggered, this, &CORVATIXDlg::toggleStatusList);
    connect(info, &QAction::triggered, this, &CORVATIXDlg::showAboutBox);

    if (recorder_ != nullptr) {
        QAction* open =
            menu.addAction(qs(text(TextTable::Evaluation, evaluation_rows::kOpenFilesTitle)));
        open->setObjectName(QStringLiteral("openRecording"));
        connect(open, &QAction::triggered, this, [this] {
            if (recorder_ != nullptr)
                recorder_->openRecordingFile();
        });
    }
    QAction* signal = menu.addAction(qs(text(TextTable::SignalView, signalview_rows::kTitle)));
    signal->setObjectName(QStringLiteral("signalView"));
    const bool signalOpen = signalViewOpen();
    signal->setCheckable(signalOpen);
    signal->setChecked(signalOpen);
    connect(signal, &QAction::triggered, this, &CORVATIXDlg::toggleSignalView);
}

bool CORVATIXDlg::signalViewOpen() const {
    return signalView_ && signalView_->isVisible();
}

void CORVATIXDlg::toggleSignalView() {
    if (signalViewOpen()) {
        signalView_->hide();
        return;
    }
    if (!signalView_) {
        signalView_ = new CSignalViewDlg(this);
        signalFeed_.view = signalView_;
    }
    signalView_->refreshCaptions();
    signalView_->show();
    signalView_->raise();
}

void CORVATIXDlg::SignalViewFeed::deviceEvent(int code, int, const DeviceReadings& readings) {
    // Samples only while someone looks: the view keeps a minute of them.
    if (code != kPositionEvent || !view || !view->isVisible())
        return;
    view->addSample(signalSampleFrom(readings, double(clock()) / 1000.0));
}

void CORVATIXDlg::showAboutBox() {
    QMessageBox about(this);
    about.setObjectName(QStringLiteral("100"));
    about.setWindowTitle(QStringLiteral("ORVATIX"));
    about.setIconPixmap(artPixmap(Art::ProgramIcon, QSize(48, 48), devicePixelRatioF()));
    about.setText(QStringLiteral("ORVATIX Version %1").arg(qs(kProgramVersion)));
    about.setStandardButtons(QMessageBox::Ok);
    about.exec();
}

void CORVATIXDlg::openSetup() {
    // After start-up a Cancel puts every setting back, the language included
    // (and with it Qt's own texts, which the dialog switches).
    runSetupDialog(this, SetupRecords::globals(), true);
    refresh();
}

void CORVATIXDlg::openHelp() {
    openManual(this);
}

void CORVATIXDlg::showInterfaceNotFound() {
    if (Messagebox3* notice = Messagebox3::openOnce(this, interfaceNoticeShown_))
        interfaceNotFound_ = notice;
}

// ---------------------------------------------------------------------------
// The reader thread and the port

void CORVATIXDlg::showPortProblem() {
    if (!link_.portClosed) {
        // The port opened after all; the next notice tells the line's state.
        // (A missing command-line port never reaches the reader thread.)
        if (!shownPortProblem_.empty() && shownPortProblem_ != reportedOnlyPortProblem_) {
            shownPortProblem_.clear();
            setSerialLineToolTip(controls_);
        }
        return;
    }
    const std::string device = core_.ports().deviceForName(config_.portName);
    showPortProblemText(
        portProblemText(config_.portName, device, checkPortAccess(device), config_.language));
}

void CORVATIXDlg::showPortProblemText(const PortProblemText& problem) {
    if (problem.line.empty() || problem.line == shownPortProblem_)
        return;
    shownPortProblem_ = problem.line;
    setSerialLine(problem.line);
    controls_.serialLine->setToolTip(qs(problem.detail));
}

void CORVATIXDlg::startLinkThread() {
    core_.startLinkThread();
}
