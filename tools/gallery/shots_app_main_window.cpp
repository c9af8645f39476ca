// Gallery shots of the main diagnosis window: not connected (the line is
// silent and the search runs) and connected to a box that reports a position,
// its identification, its serial number and a valid status.

#include "Gallery.h"

#include "app/CORVATIXDlg.h"
#include "app/IndicatorIcons.h"
#include "app/ProgramCore.h"
#include "app/SerialPortMenu.h"
#include "boxsim/BoxSimulator.h"
#include "boxsim/widgets/BoxSimulatorPanel.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PortAccess.h"
#include "device/PortMap.h"
#include "device/SerialPortList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace {

int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct GalleryRecords {
    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    // The shot's own core; its clock is the gallery's when it is set.
    int64_t* clock = nullptr;
    ProgramCore program{{readings, mutex, link, config, minPulseRate, maxPulseRate},
                        [this] { return clock != nullptr ? *clock : steadyMs(); }};
};

// Each shot gets its own records; they live as long as the gallery runs.
GalleryRecords& freshRecords() {
    static std::vector<std::unique_ptr<GalleryRecords>> all;
    all.push_back(std::make_unique<GalleryRecords>());
    GalleryRecords& r = *all.back();
    bearingCount = setBuiltInBearings(bearingTable);
    setUserDefinedRow(bearingTable, bearingCount, kDefaultUserPulses);
    r.config.bearingType = bearingTable[3].name;
    r.config.pulseRate = bearingTable[3].pulses;
    r.config.displayFormat = 1;
    r.config.language = configData.language;
    return r;
}

CORVATIXDlg* notConnectedWindow(GalleryRecords& r) {
    auto* window = new CORVATIXDlg(r.program);
    window->refresh();
    r.link.noData = true;
    r.program.core().deliverNoSerialData();
    // What the search shows while it probes the second port.
    window->setStatusLine(
        std::string(text(TextTable::StatusMessages, statusrow::kSearchingForCom)) + "2");
    return window;
}

} // namespace

ORVATIX_GALLERY_SHOT(main_window_not_connected) {
    return notConnectedWindow(freshRecords());
}

ORVATIX_GALLERY_SHOT(main_window_connected) {
    GalleryRecords& r = freshRecords();
    CORVATIXDlg* window = notConnectedWindow(r);
    // The box has been answering for a while: the zero button is no longer
    // in its not-connected state.
    static int64_t clock = 0;
    r.clock = &clock;
    DeviceReadings& d = r.readings;
    r.link.noData = false;
    r.link.newProtocol = true;
    r.link.awaitingIdentification = false;

    // Identification, serial number and pulse rate.
    d.firmwareVersion = 2.1;
    std::strcpy(d.versionText, "2.10");
    std::strcpy(d.boxTypeText, "QTBX01");
    std::strcpy(d.boxInfoText, "4711");
    std::strcpy(d.serialTextA, "0815");
    std::strcpy(d.serialTextB, "ORVA-2041-0042");
    r.program.core().deliverDeviceEvent(kVersionEvent, 0);
    r.program.core().deliverDeviceEvent(kSerialNumbersEvent, 0);
    d.detectedPulseRate = r.config.pulseRate;
    r.program.core().deliverDeviceEvent(kPulseRateEvent, 0);

    // Offsets of both heads, then a valid status with a known reference.
    r.program.core().deliverDeviceEvent(kDacOffsetsEvent, 0);
    r.program.core().deliverDeviceEvent(kDacOffsetsEvent, 2);
    std::strcpy(d.refPhaseText, "2417");
    d.errorFlags = 0;
    d.amplitudeWH = 62.5;
    d.amplitudeYE = 58.0;
    r.link.boxStarting = false;
    r.link.statusRestart = false;
    r.program.core().deliverDeviceEvent(kStatusEvent, 19);

    // A position of 123° 27' 44" turning at 6 rpm.
    const int64_t turn = int64_t(r.config.pulseRate) * 5000;
    d.rawPosition = static_cast<int32_t>(turn * 123.4622 / 360.0);
    d.speed = 6.0 * r.config.pulseRate / 12000.0;
    r.program.core().deliverDeviceEvent(kPositionEvent, 0);
    clock += 1000;
    r.program.core().deliverDeviceEvent(kPositionEvent, 0);
    r.program.core().deliverDeviceEvent(kAmplitudeWhiteEvent, 0);
    r.program.core().deliverDeviceEvent(kAmplitudeYellowEvent, 0);
    return window;
}

// The system refuses the port: the serial-number line says what to do.
ORVATIX_GALLERY_SHOT(main_window_port_refused) {
    GalleryRecords& r = freshRecords();
    CORVATIXDlg* window = notConnectedWindow(r);
    window->showPortProblemText(portProblemText(
        "COM3", "/dev/ttyUSB0", {PortAccess::PermissionDenied, "dialout"}, configData.language));
    return window;
}

// The context menu while the status list is open.
ORVATIX_GALLERY_SHOT(main_window_context_menu) {
    GalleryRecords& r = freshRecords();
    CORVATIXDlg* window = notConnectedWindow(r);
    window->toggleStatusList();
    auto* menu = new QMenu(window);
    window->fillContextMenu(*menu);
    menu->setWindowTitle(QStringLiteral("Menu"));
    return menu;
}

// The context menu's "Serial port": the demo's box chosen (its cable is out,
// so it stays listed by its choice), a converter with all the system knows
// of it, and a port without a description.
ORVATIX_GALLERY_SHOT(main_window_serial_port_menu) {
    GalleryRecords& r = freshRecords();
    CORVATIXDlg* window = notConnectedWindow(r);
    static PortMap ports({"/tmp/orvatix-demo-Xq3a/orva-box"});
    const std::vector<SystemPortInfo> system = {
        {"/dev/ttyUSB0", "FTDI", "FT232R USB UART", "A10K3J2C"},
        {"/dev/ttyS0", "", "", ""},
    };
    r.program.core().search().choosePort(comPortName(1));
    auto* menu = new QMenu(window);
    addSerialPortMenu(*menu, r.program.core().search(), ports, system);
    QMenu* sub = menu->actions().front()->menu();
    sub->setWindowTitle(QStringLiteral("Menu"));
    return sub;
}

// The zero button's pictures as reference indicator: idle, reference found,
// reference passed, not connected.
ORVATIX_GALLERY_SHOT(main_window_reference_indicator) {
    auto* sheet = new QWidget;
    sheet->setWindowTitle(QStringLiteral("1016"));
    auto* row = new QHBoxLayout(sheet);
    for (auto image :
         {ReferenceIndicator::Image::Idle, ReferenceIndicator::Image::Found,
          ReferenceIndicator::Image::Passed, ReferenceIndicator::Image::NotConnected}) {
        for (int side : {24, 64}) {
            auto* label = new QLabel;
            label->setPixmap(referenceIndicatorIcon(image).pixmap(side, side));
            row->addWidget(label);
        }
    }
    return sheet;
}

// The demo's control panel of the simulated box.
ORVATIX_GALLERY_SHOT(box_simulator_panel) {
    static boxsim::BoxSimulator box;
    box.setSpeedRpm(10);
    auto* panel = new BoxSimulatorPanel(box);
    panel->adjustSize();
    return panel;
}
