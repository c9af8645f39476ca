#pragma once
// The reader thread against the simulated box, with the notifications
// received on the test's thread the way the main window receives them.

#include "LinkTestSupport.h"

#include "boxsim/BoxSimulator.h"
#include "device/CSerialComm.h"
#include "device/PortMap.h"
#include "device/QtLinkNotifier.h"
#include "device/ReadingsReset.h"

#include <memory>
#include <stdexcept>

namespace linktest {

class LinkRig {
public:
    explicit LinkRig(boxsim::SimulatorOptions options = {}) : box(options) {
        qtApp();
        dir = scratchDir();
        boxLink = dir + "/box";
        std::string why;
        if (!box.start(boxLink, &why))
            throw std::runtime_error("simulator: " + why);
        notifier = std::make_unique<QtLinkNotifier>(r.link);
        QObject::connect(notifier.get(), &QtLinkNotifier::deviceEventArrived,
                         [this](int code, int param) { onDeviceEvent(code, param); });
        QObject::connect(notifier.get(), &QtLinkNotifier::readingsResetRequested,
                         [this] { resetReadings(); });
        QObject::connect(notifier.get(), &QtLinkNotifier::noSerialDataArrived, [this] {
            noDataTimes.push_back(std::chrono::steady_clock::now());
            if (resetOnNoData)
                resetReadings(); // as the main window does
        });
        QObject::connect(notifier.get(), &QtLinkNotifier::linkEndedArrived,
                         [this] { ++linkEnded; });
        QObject::connect(notifier.get(), &QtLinkNotifier::boxRestartArrived,
                         [this] { ++boxRestarts; });
    }
    ~LinkRig() {
        r.link.stopRequest = true;
        if (comm)
            comm->wait();
        comm.reset();
        box.stop();
        ::rmdir(dir.c_str());
    }

    // Starts the thread on COM1 = the box (or on the given map).
    void start(std::unique_ptr<PortMap> map = nullptr) {
        const bool ownMap = map != nullptr;
        ports =
            ownMap ? std::move(map) : std::make_unique<PortMap>(std::vector<std::string>{boxLink});
        comm = std::make_unique<CSerialComm>(*notifier, *ports, r.records());
        if (!ownMap) {
            r.config.portName = comPortName(1);
            r.link.reopenRequest = true;
        }
        comm->startLinkThread();
    }

    bool waitFor(const std::function<bool()>& cond, std::chrono::milliseconds deadline = 20s) {
        return waitWithEvents(cond, deadline);
    }
    bool waitForPositions(int more, std::chrono::milliseconds deadline = 20s) {
        int target = positions + more;
        return waitFor([&] { return positions >= target; }, deadline);
    }
    DeviceReadings snapshot() {
        std::lock_guard<std::mutex> lock(r.readingsMutex);
        return r.readings;
    }

    void resetReadings() {
        {
            std::lock_guard<std::mutex> lock(r.readingsMutex);
            resetDeviceReadings(r.readings, r.link);
        }
        r.link.boxStarting = true;
        r.link.statusRestart = true;
        ++resets;
    }

    void onDeviceEvent(int code, int param) {
        events.push_back({code, param});
        if (code == 0) {
            ++positions;
            lastPositionTime = std::chrono::steady_clock::now();
        }
        if (onEvent)
            onEvent(code, param);
    }

    Records r;
    std::string dir;
    std::string boxLink;
    boxsim::BoxSimulator box;
    std::unique_ptr<PortMap> ports;
    std::unique_ptr<QtLinkNotifier> notifier;
    std::unique_ptr<CSerialComm> comm;

    // What arrived, all on the test's thread.
    std::vector<std::pair<int, int>> events;
    int positions = 0;
    std::chrono::steady_clock::time_point lastPositionTime;
    std::vector<std::chrono::steady_clock::time_point> noDataTimes;
    int linkEnded = 0;
    int boxRestarts = 0;
    int resets = 0;
    bool resetOnNoData = true;
    std::function<void(int, int)> onEvent;
};

} // namespace linktest
