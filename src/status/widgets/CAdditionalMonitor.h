#pragma once
// CAdditionalMonitor: the extended display window.
//
// The extended display: a caption-less strip docked under the main window
// with the raw figures behind the main window's indicators (reference signal
// analysis, zero values, and the five channels' DAC offsets, signal values or
// factors), the "New Sensor" command and the clear button "c".
//
// Main window (command 32777; at start when extDisplayOn is set):
//
//     if (extendedDisplay_) extendedDisplay_->close();     // clears extDisplayOn, deletes itself
//     else {
//         extendedDisplay_ = new CAdditionalMonitor(this, services, core.requests(),
//                                                   deviceReadings, readingsMutex, linkControl,
//                                                   configData, extDisplayOn);
//         extendedDisplay_->receiveFrom(core);             // its device events, while it lives
//         extendedDisplay_->present();                     // docks, shows, full refresh
//     }
//     // moveEvent / resizeEvent:           extendedDisplay_->followMainWindow();
//     // language change:                   extendedDisplay_->refreshCaptions();
//
// As a receiver of the core it redraws on device events 2, 3, 4, 12, 16, 19
// and 20 (status/ExtendedDisplayEvents.h) and wholly (22) when the readings
// are reset or the box restarts.
//
// Never call it with readingsMutex held: it takes the lock to read the readings.

#include "acquisition/DeviceReceiver.h"
#include "status/MonitorValues.h"
#include "ui/DialogUnits.h"
#include "ui/ProgramServices.h"

#include <QDialog>
#include <QRect>

#include <mutex>

class AcquisitionCore;
class BoxRequests;

class QGroupBox;
class QPushButton;
class QRadioButton;
struct ConfigData;
struct DeviceReadings;
struct LinkControl;

class CAdditionalMonitor : public QDialog, private DeviceReceiver {
    Q_OBJECT
public:
    enum Id {
        kRefGroup = 1096,
        kDacGroup = 1046,
        kChannelGroup = 1097,
        kNewSensor = 1043,
        kClear = 1044,
        kModeOffset = 1083,
        kModeChannel = 1084,
        kModeFactor = 1085,
        kClose = 1,
    };
    // The refresh event that redraws every panel.
    static constexpr int kFullRefresh = 22;

    // Sets `displayOn` (extDisplayOn); closing the window clears it. The
    // window deletes itself when it closes. `services` gives the offsets
    // seen, the whole reset of the readings and the main window's context
    // menu; reset and erase requests go through `requests`.
    CAdditionalMonitor(QWidget* mainWindow, ProgramServices& services, BoxRequests& requests,
                       DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
                       ConfigData& config, bool& displayOn);

    ~CAdditionalMonitor() override;

    // Subscribes the window to `core` until it is destroyed.
    void receiveFrom(AcquisitionCore& core);
    bool receiving() const;

    // Docks under the main window, shows the window on top and redraws it all.
    void present();

    // Moves the window to its place under the main window: left edges equal,
    // its top at the main window's bottom. Nothing while the main window is
    // minimised.
    void followMainWindow();

    // Redraws what a device notification changed (2, 3, 4 the channel panel
    // in its mode; 16 the zero values; 12, 19, 20 the reference panel; 22 all).
    void refreshExtendedDisplay(int event);

    void refreshCaptions();

    // The buttons.
    void newSensor();
    void clearReadings();
    void setMode(int mode);
    int mode() const;

    // Pixels per unit: client width / 638 and client height / 168.
    double unitX() const { return unitX_; }
    double unitY() const { return unitY_; }
    // Where a box and its label are drawn (pure).
    static QRect boxRect(const MonitorBox& box, double unitX, double unitY);
    static QRect labelRect(const MonitorBox& box, double unitX, double unitY);
    // What a panel occupies on the window.
    QRect panelRect(MonitorPanel panel) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    // DeviceReceiver: muted while recording, like the main window's displays.
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void readingsReset() override { refreshExtendedDisplay(kFullRefresh); }
    void boxRestart() override { refreshExtendedDisplay(kFullRefresh); }
    bool displayReceiver() const override { return true; }

    DeviceReadings snapshot() const;

    QWidget* mainWindow_;
    AcquisitionCore* core_ = nullptr;
    ProgramServices& services_;
    BoxRequests& requests_;
    DeviceReadings& readings_;
    std::mutex& readingsMutex_;
    LinkControl& link_;
    ConfigData& config_;
    bool& displayOn_;
    DialogTemplate template_;
    QGroupBox* refGroup_ = nullptr;
    QGroupBox* dacGroup_ = nullptr;
    QGroupBox* channelGroup_ = nullptr;
    QPushButton* newSensorButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QRadioButton* modeButtons_[3] = {};
    QPushButton* closeButton_ = nullptr;
    double unitX_ = 1.0;
    double unitY_ = 1.0;
    // panelRect() of each panel: the boxes keep their places whatever they show.
    QRect panelRects_[3];
};
