#include "app/CORVATIXDlg.h"

#include "acquisition/InterferenceDoor.h"
#include "app/IndicatorIcons.h"
#include "app/MainWindowContextMenu.h"
#include "app/ProgramFlow.h"
#include "app/WindowTitle.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/MainWindowRows.h"
#include "config/Texts.h"
#include "device/DeviceReadings.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"
#include "display/PositionFormat.h"
#include "display/widgets/AmplitudeBars.h"
#include "display/widgets/MainWindowToolTips.h"
#include "display/widgets/NoiseDisplay.h"
#include "display/widgets/QtColour.h"
#include "ui/CSetup.h"
#include "ui/Help.h"
#include "ui/Messagebox3.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string mainText(int row) {
    return text(TextTable::MainWindow, row);
}

} // namespace

CORVATIXDlg::CORVATIXDlg(ProgramCore& program, SessionDialogs* dialogs, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      program_(program), core_(program.core()), readings_(core_.records().readings),
      readingsMutex_(core_.records().readingsMutex), link_(core_.records().link),
      config_(core_.records().config),
      ownDialogs_(dialogs == nullptr ? std::make_unique<StandardSessionDialogs>() : nullptr),
      dialogs_(dialogs == nullptr ? ownDialogs_.get() : dialogs),
      template_(this, kMainWindowWidthUnits, kMainWindowHeightUnits),
      controls_(buildMainWindowControls(template_)), fonts_(makeMainWindowFonts(size())),
      events_(*this, readings_, readingsMutex_, link_, config_, core_,
              [&program] { return program.now(); }),
      windows_(*this, *this, core_, readings_, readingsMutex_, link_, config_) {
    setObjectName(QString::number(kTemplate));
    setWindowTitle(QStringLiteral("ORVATIX Diagnose"));
    setWindowIcon(artIcon(Art::ProgramIcon));

    // The amplitude bars fill the "Amplitude" group; the noise display takes
    // the place of control 1033 and drives button 1034 and field 1036.
    bars_ = new AmplitudeBars;
    controls_.amplitudeGroup->setBars(bars_);
    bars_->setLabelFonts(fonts_.barLabel, fonts_.barLabelBold);
    noise_ = new NoiseDisplay(link_, interferenceRequestsThrough(core_.requests()), this);
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

    // The window's receiver is the core's first after the request door; the
    // signal view's feed follows it.
    core_.subscribe(&events_);
    windows_.signalFeed().clock = [&program] { return program.now(); };
    core_.subscribe(&windows_.signalFeed());
    // What the interface search tells the user shows here while the window lives.
    program_.showSearchIn({[this](const std::string& line) { setStatusLine(line); },
                           [this] {
                               if (!events_.onlyPort())
                                   showInterfaceNotFound();
                           }});

    connectSignals();
    setMainWindowToolTips(controls_, false);
}

CORVATIXDlg::~CORVATIXDlg() {
    // The core outlives the window: it hears of nothing here any more.
    program_.showSearchIn({});
    core_.unsubscribe(&events_);
    // The noise display's requests lead to the core's door, which goes before
    // the window's children.
    delete noise_;
    noise_ = nullptr;
    controls_.noiseArea = nullptr;
}

void CORVATIXDlg::connectSignals() {
    const MainWindowControls& c = controls_;
    connect(c.setupButton, &QPushButton::clicked, this, &CORVATIXDlg::openSetup);
    connect(c.helpButton, &QPushButton::clicked, this, &CORVATIXDlg::openHelp);
    connect(c.exitButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(c.zeroButton, &QPushButton::clicked, this,
            [this] { events_.position().zeroCommand(); });
    connect(c.directionButton, &QPushButton::clicked, this, &CORVATIXDlg::directionCommand);
    // Button 1034 reaches the poll cycle through the noise measurement, which
    // also knows the stops the program makes by itself.
    connect(c.recordButton, &QPushButton::clicked, this, &CORVATIXDlg::toggleRecording);
    connect(c.statusListButton, &QPushButton::clicked, this, &CORVATIXDlg::toggleStatusList);
    connect(c.connectButton, &QPushButton::clicked, this, &CORVATIXDlg::showInterfaceNotFound);
    connect(c.amplitudeGroup, &AmplitudeGroup::leftClicked, this,
            &CORVATIXDlg::amplitudeGroupClicked);
    // Lamp details: SIGNAL WH 1, SENSOR WH 2, SPEED WH 3, SIGNAL YE 4,
    // SENSOR YE 5, SPEED YE 6; the picture 7; the status text back to 0.
    const std::pair<int, int> lampDetails[] = {
        {kSignalWH, kDetailSignalWH}, {kSensorWH, kDetailSensorWH}, {kSpeedWH, kDetailSpeedWH},
        {kSignalYE, kDetailSignalYE}, {kSensorYE, kDetailSensorYE}, {kSpeedYE, kDetailSpeedYE},
    };
    for (const auto& [lamp, detail] : lampDetails)
        connect(c.lamps[lamp], &PictureControl::clicked, this,
                [this, detail = detail] { events_.status().selectDetail(detail); });
    connect(c.boxPicture, &PictureControl::clicked, this,
            [this] { events_.status().selectDetail(kDetailPicture); });
    connect(c.statusText, &ClickableLabel::clicked, this,
            [this] { events_.status().selectDetail(kDetailNone); });
}

void CORVATIXDlg::hideCentred() {
    if (const QScreen* screen = QApplication::primaryScreen()) {
        // Centred; a window taller than a small screen keeps its title bar
        // on it.
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        move(keepInside(frame, available));
    }
    hide();
}

void CORVATIXDlg::endWindow() {
    ended_ = true;
    QDialog::done(QDialog::Rejected);
}

void CORVATIXDlg::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    event->ignore();
    if (flow_ != nullptr)
        flow_->closeRequested();
}

void CORVATIXDlg::done(int result) {
    // Exit (1), Escape and the close box return to the start menu; only the
    // end of the program ends the window.
    if (ended_) {
        QDialog::done(result);
        return;
    }
    if (flow_ != nullptr)
        flow_->closeRequested();
}

void CORVATIXDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        if (windowState() & Qt::WindowMaximized)
            setWindowState(windowState() & ~Qt::WindowMaximized);
        if (!(windowState() & Qt::WindowMinimized))
            windows_.ownerRestored();
    }
    QDialog::changeEvent(event);
}

void CORVATIXDlg::onLinkEnded() {
    if (flow_ != nullptr)
        flow_->linkEnded();
}

void CORVATIXDlg::amplitudeGroupClicked() {
    events_.boxResetHandling();
    windows_.refreshExtendedDisplay();
}

void CORVATIXDlg::showState(const std::string& main, const std::string& second) {
    const StateWrites writes = events_.position().showState(main, second);
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

void CORVATIXDlg::setTitleIfChanged(const QString& title) {
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CORVATIXDlg::refresh() {
    int32_t detected = 0;
    {
        std::lock_guard<std::mutex> lock(readingsMutex_);
        detected = readings_.detectedPulseRate;
    }
    setTitleIfChanged(qs(mainWindowTitle(config_.bearingType, detected)));

    const MainWindowControls& c = controls_;
    setButtonArt(c.directionButton,
                 config_.directionReversed ? Art::DirectionMinus : Art::DirectionPlus);
    setButtonArt(c.recordButton, c.recordButton->isChecked() ? Art::RecordOn : Art::RecordOff);

    c.positionGroup->setTitle(qs(mainText(mainwindowrow::kPosition)));
    c.stateGroup->setTitle(qs(mainText(mainwindowrow::kSystemState)));
    c.amplitudeGroup->setTitle(qs(mainText(mainwindowrow::kAmplitude)));
    setFittedCaption(c.setupButton, qs(mainText(mainwindowrow::kSetup)));
    setFittedCaption(c.helpButton, qs(mainText(mainwindowrow::kHelp)));
    setFittedCaption(c.exitButton, qs(mainText(mainwindowrow::kExit)));
    setFittedCaption(c.recordCaption, qs(mainText(mainwindowrow::kRecordData)));
    setFittedCaption(c.noiseCaption, qs(mainText(mainwindowrow::kMeasureNoise)));
    setFittedCaption(c.signalCaption, qs(mainText(mainwindowrow::kSignal)));
    setFittedCaption(c.sensorCaption, qs(mainText(mainwindowrow::kSensor)));
    setFittedCaption(c.speedCaption, qs(mainText(mainwindowrow::kSpeed)));
    setMainWindowToolTips(c, events_.portProblemShown());
    windows_.refreshCaptions();
    // A bearing chosen in the setup that fits the box ends the warning.
    events_.captionsRefreshed(detected);
}

bool CORVATIXDlg::amplitudeBusy() const {
    return bars_->busy();
}

void CORVATIXDlg::drawBar(const BarUpdate& update) {
    bars_->draw(update);
    // The wizard draws the same bars in its own window.
    if (teachIn_ != nullptr)
        teachIn_->barUpdate(update);
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

void CORVATIXDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    windows_.ownerShown(teachInMode_);
}

void CORVATIXDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        windows_.ownerHidden();
}

void CORVATIXDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    windows_.ownerMoved();
}

void CORVATIXDlg::teachInEnded() {
    if (flow_ != nullptr)
        flow_->teachInEnded();
}

void CORVATIXDlg::directionCommand() {
    events_.position().directionCommand();
    refresh();
}

void CORVATIXDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        controls_.amplitudeGroup->geometry().contains(event->position().toPoint())) {
        amplitudeGroupClicked();
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
    openMainWindowContextMenu(*this, core_, globalPos);
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
// Drawing, for the window's receiver

void CORVATIXDlg::forwardTextsToTeachIn(const std::string& position, const std::string& speed) {
    if (teachIn_ == nullptr || link_.notificationsSuppressed)
        return;
    teachIn_->positionTexts(position, speed);
}

void CORVATIXDlg::drawPositionView(const PositionView& view) {
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
}

void CORVATIXDlg::drawMarker(const std::string& text) {
    controls_.markerField->setText(qs(text));
}

void CORVATIXDlg::clearMarkerField() {
    controls_.markerField->clear();
}

void CORVATIXDlg::drawStatusView(const StatusView& view) {
    controls_.boxPicture->setArt(boxArt(view.picture));
    for (int i = 0; i < kLampCount; ++i)
        controls_.lamps[i]->setArt(lampArt(view.lamps[i]));
    controls_.recordButton->setEnabled(view.startButtonsEnabled);
    controls_.noiseButton->setEnabled(view.startButtonsEnabled);
}

void CORVATIXDlg::drawVersionLine(const std::string& text) {
    controls_.versionLine->setText(qs(text));
    fitSerialLine(controls_, template_);
}

void CORVATIXDlg::drawSerialLine(const std::string& text) {
    controls_.serialLine->setText(qs(text));
    fitSerialLine(controls_, template_);
}

void CORVATIXDlg::drawSerialLineTip(const std::string& tip) {
    controls_.serialLine->setToolTip(qs(tip));
}

void CORVATIXDlg::restoreSerialLineTip() {
    setSerialLineToolTip(controls_);
}

void CORVATIXDlg::drawReferenceImage(ReferenceIndicator::Image image) {
    if (image == shownIndicator_)
        return;
    shownIndicator_ = image;
    controls_.zeroButton->setIcon(referenceIndicatorIcon(image));
}

void CORVATIXDlg::showOffsetSeen(Head head, bool seen) {
    bars_->setOffsetSeen(head, seen);
}

void CORVATIXDlg::setZeroEnabled(bool enabled) {
    controls_.zeroButton->setEnabled(enabled);
}

void CORVATIXDlg::holdMessage(int ms) {
    controls_.positionField->repaint();
    controls_.statusText->repaint();
    QThread::msleep(ms);
}

void CORVATIXDlg::closeInterfaceNotice() {
    if (interfaceNotFound_)
        interfaceNotFound_->close();
}
