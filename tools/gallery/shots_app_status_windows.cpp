// Gallery shots of the status list window and the extended display in its
// three modes.

#include "Gallery.h"

#include "acquisition/BoxRequests.h"
#include "acquisition/InterferenceDoor.h"
#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/widgets/NoiseDisplay.h"
#include "eventlog/EventLog.h"
#include "status/StatusList.h"
#include "status/widgets/CAdditionalMonitor.h"
#include "status/widgets/CErrorDialog.h"
#include "status/widgets/CMessagebox.h"
#include "ui/DialogUnits.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include <cstdio>
#include <mutex>

namespace {

DeviceReadings galleryReadings;
std::mutex galleryMutex;
LinkControl galleryLink;
ConfigData galleryConfig;
bool galleryDisplayOn = false;
BoxRequests galleryRequests{galleryLink, [] { return int64_t(0); }};
StatusList galleryList;

class GalleryHost : public ProgramServices {
public:
    QWidget* mainWindow() override { return nullptr; }
    void openContextMenu(const QPoint&) override {}
    void resetReadings() override {}
    void setStatusRestart() override {}
    StatusDecoding statusDecoding() const override {
        StatusDecoding decoding;
        decoding.offsetSeenWH = true;
        decoding.offsetSeenYE = true;
        return decoding;
    }
    void stopNoiseMeasurement() override {}
    void showRecordButton(bool) override {}
    void teachInEnded() override {}
};
GalleryHost galleryHost;

void fillReadings() {
    DeviceReadings& r = galleryReadings;
    r.firmwareVersion = 2.1;
    const double offsets[5] = {12.5, -31.0, 150.0, 160.0, 40.0};
    const double values[5] = {231.4, -198.6, 0.0, -505.0, 77.3};
    const double factors[5] = {1.0213, 0.9871, 1.0, 1.1532, 0.5};
    for (int i = 0; i < 5; ++i) {
        r.dacOffsets[i] = offsets[i];
        r.channelValues[i] = values[i];
        r.channelFactors[i] = factors[i];
    }
    r.refValues[0] = 1234.0;
    r.refValues[1] = 101.5;
    r.refValues[2] = -98.25;
    r.refValues[3] = 12.0;
    r.refValues[4] = 103.0;
    r.refValues[5] = -99.5;
    r.refValues[6] = 0.0;
    r.refDistance = 8640000;
    r.zeroValueA = 3;
    r.zeroValueB = -2;
}

QWidget* monitor(int mode) {
    fillReadings();
    galleryConfig.extDisplayMode = mode;
    auto* owner = new QWidget;
    auto* window =
        new CAdditionalMonitor(owner, galleryHost, galleryRequests, galleryReadings, galleryMutex,
                               galleryLink, galleryConfig, galleryDisplayOn);
    window->present();
    return window;
}

} // namespace

ORVATIX_GALLERY_SHOT(app_status_list) {
    fillReadings();
    galleryList.clear();
    galleryList.setFrozen(false);
    const QDateTime start(QDate(2024, 5, 14), QTime(9, 41, 7));
    const int32_t flags[] = {0x1000, 0x0000, 0x0005, 0x0104, 0x0000, 0x2001, 0x3011,
                             0x0002, 0x0200, 0x0000, 0x8000, 0x0800, 0x0000};
    int seconds = 0;
    double position = 12.3456;
    for (int32_t f : flags) {
        galleryList.append({start.addSecs(seconds), position, f});
        seconds += 37;
        position += 27.1234;
    }
    auto* window =
        new CErrorDialog(new QWidget, galleryList, galleryReadings, galleryMutex, QString());
    window->present();
    return window;
}

// Entries with many flags: the list scrolls sideways to the end of the line.
ORVATIX_GALLERY_SHOT(app_status_list_long_lines) {
    fillReadings();
    galleryList.clear();
    galleryList.setFrozen(false);
    const QDateTime start(QDate(2024, 5, 14), QTime(10, 2, 11));
    const int32_t flags[] = {0x0005, 0x7fff, 0x3f3f, 0x0000, 0x7fffffff};
    int seconds = 0;
    for (int32_t f : flags) {
        galleryList.append({start.addSecs(seconds), 100.0 + seconds, f});
        seconds += 11;
    }
    auto* window =
        new CErrorDialog(new QWidget, galleryList, galleryReadings, galleryMutex, QString());
    window->present();
    if (auto* lines = window->findChild<QListWidget*>(QString::number(CErrorDialog::kList))) {
        lines->setCurrentRow(1);
        QCoreApplication::processEvents();
        lines->horizontalScrollBar()->setValue(lines->horizontalScrollBar()->maximum());
    }
    return window;
}

ORVATIX_GALLERY_SHOT(app_extended_display_offsets) {
    return monitor(kModeOffsets);
}

ORVATIX_GALLERY_SHOT(app_extended_display_values) {
    return monitor(kModeChannelValues);
}

ORVATIX_GALLERY_SHOT(app_extended_display_factors) {
    return monitor(kModeFactors);
}

ORVATIX_GALLERY_SHOT(app_status_list_log_folder_notice) {
    galleryList.clear();
    auto* owner = new QWidget;
    auto* dialog = new CErrorDialog(owner, galleryList, galleryReadings, galleryMutex,
                                    EventLog::defaultFolder());
    // As on a desktop where nothing is set up to show folders.
    dialog->folderDesktop.askFileManager = [](QObject*, std::function<void(bool)> answer) {
        answer(false);
    };
    dialog->openLogFolder();
    return dialog->logFolderNotice();
}

ORVATIX_GALLERY_SHOT(app_new_sensor_question) {
    QWidget* window = monitor(0);
    galleryLink.noData = false;
    std::snprintf(galleryReadings.boxInfoText, sizeof galleryReadings.boxInfoText, "ORVA-2");
    window->findChild<QPushButton*>(controlName(CAdditionalMonitor::kNewSensor))->click();
    return window->parentWidget()->findChild<CMessagebox*>();
}

ORVATIX_GALLERY_SHOT(app_noise_stopped_notice) {
    static LinkControl link;
    static BoxRequests door{link, [] { return int64_t(0); }};
    link.noData = false;
    link.boxStarting = false;
    link.newProtocol = true;
    auto* owner = new QWidget;
    auto* noise = new NoiseDisplay(link, interferenceRequestsThrough(door), owner);
    auto* button = new QPushButton(owner);
    noise->attach(button, nullptr);
    button->click();
    noise->showNoise(250.0, 250.0);
    noise->showNoise(250.0, 250.0);
    QCoreApplication::processEvents();
    link.pendingCommand = 0;
    return noise->stopNotice();
}
