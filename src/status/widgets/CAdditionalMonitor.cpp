#include "status/widgets/CAdditionalMonitor.h"

#include "acquisition/AcquisitionCore.h"
#include "acquisition/BoxRequests.h"

#include "config/ConfigData.h"
#include "config/MainWindowRows.h"
#include "config/ToolTipRows.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/BarColours.h"
#include "display/widgets/QtColour.h"
#include "status/ExtendedDisplayEvents.h"
#include "status/widgets/CMessagebox.h"
#include "ui/Artwork.h"
#include "ui/Help.h"
#include "ui/UiText.h"
#include "ui/WindowPlacement.h"

#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

CAdditionalMonitor::CAdditionalMonitor(QWidget* mainWindow, ProgramServices& services,
                                       BoxRequests& requests, DeviceReadings& readings,
                                       std::mutex& readingsMutex, LinkControl& link,
                                       ConfigData& config, bool& displayOn)
    : QDialog(mainWindow, Qt::Tool | Qt::FramelessWindowHint), mainWindow_(mainWindow),
      services_(services), requests_(requests), readings_(readings), readingsMutex_(readingsMutex),
      link_(link), config_(config), displayOn_(displayOn), template_(this, 373, 82) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    displayOn_ = true;

    refGroup_ = template_.place(kRefGroup, 5, 0, 167, 55, new QGroupBox);
    dacGroup_ = template_.place(kDacGroup, 5, 55, 167, 25, new QGroupBox);
    channelGroup_ = template_.place(kChannelGroup, 179, 0, 187, 80, new QGroupBox);
    newSensorButton_ = template_.place(kNewSensor, 283, 10, 66, 15, new QPushButton);
    clearButton_ = template_.place(kClear, 349, 10, 12, 15, new QPushButton(QStringLiteral("c")));
    modeButtons_[0] = template_.place(kModeOffset, 199, 65, 40, 10, new QRadioButton);
    modeButtons_[1] = template_.place(kModeChannel, 254, 65, 40, 10, new QRadioButton);
    modeButtons_[2] = template_.place(kModeFactor, 308, 65, 40, 10, new QRadioButton);
    closeButton_ = template_.place(kClose, 367, 0, 6, 6, new QPushButton);
    closeButton_->setIcon(artIcon(Art::CloseCross));
    closeButton_->setIconSize(closeButton_->size());
    closeButton_->setFlat(true);
    for (QPushButton* b : {newSensorButton_, clearButton_, closeButton_})
        b->setAutoDefault(false);

    auto* modes = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m)
        modes->addButton(modeButtons_[m], m);
    const int shownMode = config_.extDisplayMode >= 0 && config_.extDisplayMode <= 2
                              ? config_.extDisplayMode
                              : kModeOffsets;
    modeButtons_[shownMode]->setChecked(true);
    connect(modes, &QButtonGroup::idClicked, this, &CAdditionalMonitor::setMode);
    connect(newSensorButton_, &QPushButton::clicked, this, &CAdditionalMonitor::newSensor);
    connect(clearButton_, &QPushButton::clicked, this, &CAdditionalMonitor::clearReadings);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);
    installHelpKey(this);

    unitX_ = width() / kUnitsWide;
    unitY_ = height() / kUnitsHigh;
    for (MonitorPanel panel :
         {MonitorPanel::RefSignal, MonitorPanel::DacOffset, MonitorPanel::Channels}) {
        QRect& area = panelRects_[static_cast<int>(panel)];
        for (const MonitorBox& box : monitorBoxes(panel, DeviceReadings{}, kModeOffsets))
            area = area.united(labelRect(box, unitX_, unitY_)).united(boxRect(box, unitX_, unitY_));
    }
    refreshCaptions();
}

CAdditionalMonitor::~CAdditionalMonitor() {
    if (core_ != nullptr)
        core_->unsubscribe(this);
}

void CAdditionalMonitor::receiveFrom(AcquisitionCore& core) {
    if (core_ != nullptr)
        core_->unsubscribe(this);
    core_ = &core;
    core_->subscribe(this);
}

bool CAdditionalMonitor::receiving() const {
    return core_ != nullptr && core_->subscribed(this);
}

void CAdditionalMonitor::deviceEvent(int code, int param, const DeviceReadings&) {
    // The panels take the lock when they paint; the reader thread does not
    // hold it while it waits for this event.
    if (const int view = extendedDisplayRefresh(code, param, link_.recordingActive.load()))
        refreshExtendedDisplay(view);
}

void CAdditionalMonitor::present() {
    followMainWindow();
    show();
    raise();
    refreshExtendedDisplay(kFullRefresh);
}

void CAdditionalMonitor::followMainWindow() {
    if (mainWindow_ == nullptr || mainWindow_->isMinimized())
        return;
    // Docked below the main window while the screen has room there.
    move(placeNextTo(mainWindow_->frameGeometry(), frameGeometry().size(), DockSide::Below,
                     availableArea(*mainWindow_)));
}

void CAdditionalMonitor::refreshCaptions() {
    refGroup_->setTitle(uiText(TextTable::MainWindow, mainwindowrow::kRefSignal));
    dacGroup_->setTitle(uiText(TextTable::MainWindow, mainwindowrow::kDacOffset));
    channelGroup_->setTitle(uiText(TextTable::MainWindow, mainwindowrow::kChannelValue));
    newSensorButton_->setText(uiText(TextTable::MainWindow, mainwindowrow::kNewSensor));
    modeButtons_[0]->setText(QStringLiteral("Offset"));
    modeButtons_[1]->setText(uiText(TextTable::MainWindow, mainwindowrow::kChannel));
    modeButtons_[2]->setText(uiText(TextTable::MainWindow, mainwindowrow::kFactor));
    // "c" says nothing by itself: the tip tells that it resets the box.
    clearButton_->setToolTip(uiText(TextTable::ToolTips, kTipBoxReset));
    newSensorButton_->setToolTip(uiText(TextTable::ToolTips, kTipNewSensor));
    closeButton_->setToolTip(uiText(TextTable::ToolTips, kTipCloseExtended));
}

int CAdditionalMonitor::mode() const {
    return config_.extDisplayMode;
}

void CAdditionalMonitor::setMode(int mode) {
    config_.extDisplayMode = mode;
    if (mode >= 0 && mode <= 2 && !modeButtons_[mode]->isChecked())
        modeButtons_[mode]->setChecked(true);
    refreshExtendedDisplay(kFullRefresh);
}

void CAdditionalMonitor::refreshExtendedDisplay(int event) {
    for (MonitorPanel panel : panelsForEvent(event, config_.extDisplayMode))
        update(panelRect(panel));
}

QRect CAdditionalMonitor::boxRect(const MonitorBox& box, double ux, double uy) {
    const double left = box.x + (box.label.empty() ? 0.0 : kLabelWidth);
    return QRect(static_cast<int>(left * ux), static_cast<int>(box.y * uy),
                 static_cast<int>(kBoxWidth * ux), static_cast<int>(kBoxHeight * uy));
}

QRect CAdditionalMonitor::labelRect(const MonitorBox& box, double ux, double uy) {
    return QRect(static_cast<int>(box.x * ux), static_cast<int>(box.y * uy),
                 static_cast<int>(kLabelWidth * ux), static_cast<int>(kBoxHeight * uy));
}

QRect CAdditionalMonitor::panelRect(MonitorPanel panel) const {
    return panelRects_[static_cast<int>(panel)];
}

DeviceReadings CAdditionalMonitor::snapshot() const {
    std::lock_guard<std::mutex> lock(readingsMutex_);
    return readings_;
}

void CAdditionalMonitor::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    const DeviceReadings r = snapshot();
    QPainter p(this);
    p.setClipRegion(event->region());
    p.setFont(font());
    for (MonitorPanel panel :
         {MonitorPanel::RefSignal, MonitorPanel::DacOffset, MonitorPanel::Channels}) {
        if (!event->region().intersects(panelRect(panel)))
            continue;
        for (const MonitorBox& box : monitorBoxes(panel, r, config_.extDisplayMode)) {
            const QRect inner = boxRect(box, unitX_, unitY_);
            if (!box.label.empty()) {
                p.setPen(Qt::black);
                p.drawText(labelRect(box, unitX_, unitY_), Qt::AlignCenter,
                           QString::fromStdString(box.label));
            }
            p.fillRect(inner, box.background == BoxBackground::White
                                  ? toQColor(barcolour::kWhite)
                                  : toQColor(barcolour::kLightYellow));
            p.setPen(toQColor(barcolour::kGrey));
            p.drawRect(inner.adjusted(0, 0, -1, -1));
            p.setPen(box.value.overLimit ? toQColor(barShades(depth()).red)
                                         : toQColor(barcolour::kGrey));
            p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine,
                       QString::fromStdString(box.value.text));
        }
    }
}

void CAdditionalMonitor::contextMenuEvent(QContextMenuEvent* event) {
    services_.openContextMenu(event->globalPos());
    event->accept();
}

void CAdditionalMonitor::closeEvent(QCloseEvent* event) {
    displayOn_ = false;
    QDialog::closeEvent(event);
}

void CAdditionalMonitor::done(int result) {
    // Escape closes the window as well.
    displayOn_ = false;
    QDialog::done(result);
}

void CAdditionalMonitor::clearReadings() {
    // Reset first: the request then waits for the new identification.
    services_.resetReadings();
    requests_.submit(BoxRequest::Reset);
}

void CAdditionalMonitor::newSensor() {
    ProgramServices* services = &services_;
    const StatusDecoding decoding = services_.statusDecoding();
    CMessagebox* question = requestNewSensor(
        mainWindow_ != nullptr ? mainWindow_ : this, link_, requests_, snapshot(),
        decoding.offsetSeenWH, decoding.offsetSeenYE, [services] { services->resetReadings(); });
    if (question != nullptr) {
        // "Yes" erases the box's teach-in: a stray Return or Space must not.
        auto* yes = question->findChild<QPushButton*>(controlName(CMessageWindow::kOk));
        auto* no = question->findChild<QPushButton*>(controlName(CMessageWindow::kCancel));
        if (yes != nullptr && no != nullptr) {
            yes->setDefault(false);
            yes->setAutoDefault(false);
            no->setAutoDefault(true);
            no->setDefault(true);
            no->setFocus(Qt::OtherFocusReason);
        }
    }
}
