#pragma once
// A teach-in session against the simulated box over a pseudo-terminal: the
// real reader thread and its notifier, the session's hooks filled the way the
// acquisition core fills them, and the main window's share of the device
// events (status decoding, offsets seen, bar updates, position texts, the
// reset of the readings) played by the rig on the test's thread.

#include "link/LinkTestSupport.h"

#include "boxsim/BoxSimulator.h"
#include "device/CSerialComm.h"
#include "device/PortMap.h"
#include "device/QtLinkNotifier.h"
#include "device/ReadingsReset.h"
#include "device/SensorState.h"
#include "display/TextFormat.h"
#include "support/Controls.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "teachin/widgets/TeachInSession.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace teachine2e {

using namespace std::chrono_literals;

// The box commands of a request, as the simulator logs them.
inline std::vector<std::string> boxCommands(std::initializer_list<const char*> names) {
    return {names.begin(), names.end()};
}

class SessionRig {
public:
    // A box of `kind`; blank: it holds no teach-in yet.
    SessionRig(boxsim::BoxKind kind, bool blank) : box(simulatorOptions()) {
        dir = linktest::scratchDir();
        boxLink = dir + "/box";
        box.setKind(kind);
        if (blank)
            box.eraseTeachIn();
        std::string why;
        if (!box.start(boxLink, &why))
            throw std::runtime_error("simulator: " + why);
        notifier = std::make_unique<QtLinkNotifier>(r.link);
        QObject::connect(notifier.get(), &QtLinkNotifier::deviceEventArrived,
                         [this](int code, int param) { onDeviceEvent(code, param); });
        QObject::connect(notifier.get(), &QtLinkNotifier::readingsResetRequested,
                         [this] { resetReadings(); });
        QObject::connect(notifier.get(), &QtLinkNotifier::noSerialDataArrived, [this] {
            ++noDataNotices;
            resetReadings(); // as the main window does
        });
        QObject::connect(notifier.get(), &QtLinkNotifier::boxRestartArrived,
                         [this] { boxResetHandling(); });
    }

    ~SessionRig() {
        session.reset();
        r.link.stopRequest = true;
        if (comm)
            comm->wait();
        comm.reset();
        box.stop();
        ::rmdir(dir.c_str());
    }

    // Starts the reader thread on COM1 = the box and opens the wizard.
    void start() {
        ports = std::make_unique<PortMap>(std::vector<std::string>{boxLink});
        comm = std::make_unique<CSerialComm>(*notifier, *ports, r.records());
        r.config.portName = comPortName(1);
        r.link.reopenRequest = true;
        comm->startLinkThread();

        TeachInHooks hooks;
        hooks.readInputs = [this] {
            DeviceReadings snapshot;
            {
                std::lock_guard<std::mutex> lock(r.readingsMutex);
                snapshot = r.readings;
            }
            return wizardInputs(snapshot, r.link, sensors.offsetSeenYE(), sensors.offsetSeenWH(),
                                sensors.sensorConnection(), 1);
        };
        hooks.placeRequest = [this](BoxRequest request) {
            placed.push_back(request);
            r.link.pendingCommand = pendingCommandOf(request);
        };
        hooks.setStatusRestart = [this] { r.link.statusRestart = true; };
        hooks.resetReadings = [this] { resetReadings(); };
        session = std::make_unique<TeachInSession>(std::move(hooks), warnOptimum);
        QObject::connect(session.get(), &TeachInSession::finished,
                         [this](WizardResult r) { result = r; });
        session->show();
    }

    static int32_t pendingCommandOf(BoxRequest request) {
        switch (request) {
        case BoxRequest::Reset:
            break;
        case BoxRequest::Erase:
            return kEraseRequest;
        case BoxRequest::Write:
            return kWriteRequest;
        case BoxRequest::Interference:
            return kInterferenceRequest;
        }
        return kResetRequest;
    }

    // --- the user ------------------------------------------------------------

    int step() const { return session->wizard().view().step; }

    bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 60s) {
        return waitWithEvents(condition, deadline);
    }

    bool waitForStep(int wanted, std::chrono::milliseconds deadline = 60s) {
        return waitWithEvents([&] { return step() == wanted; }, deadline);
    }

    QPushButton* button(int id) const { return control<QPushButton>(session->window(), id); }

    // Presses "Next >" as soon as it can be pressed.
    bool pressNext(std::chrono::milliseconds deadline = 60s) {
        QPushButton* next = button(CTeachInDlg::kNextButton);
        if (!waitWithEvents([&] { return next->isVisible() && next->isEnabled(); }, deadline))
            return false;
        next->click();
        return true;
    }

    // Waits for the message of `kind` and answers it.
    bool answer(WizardMessageKind kind, bool accepted, std::chrono::milliseconds deadline = 60s) {
        if (!waitWithEvents(
                [&] {
                    const std::optional<WizardMessage> open = session->openMessage();
                    return open && open->kind == kind;
                },
                deadline))
            return false;
        return session->answerMessage(accepted);
    }

    // Confirms the result message and waits for the end of the session.
    std::optional<WizardResult> finish(WizardMessageKind resultMessage) {
        if (!answer(resultMessage, true))
            return std::nullopt;
        waitWithEvents([&] { return result.has_value(); });
        return result;
    }

    // Where the wizard and the box stand, for a failure's message.
    std::string describe() {
        const WizardView v = session->wizard().view();
        const WizardInputs in = session->wizard().inputs();
        std::string open = session->openMessage() ? "open message" : "no message";
        return formatText("step %d of %d, %s, failure 0x%x; box \"%s\" info \"%s\"%s, "
                          "noData %d statusRestart %d boxStarting %d pending %d sensors %d "
                          "offsets YE %d WH %d errorFlags 0x%x; simulator: %s",
                          v.step, v.stepCount, open.c_str(), v.failure, in.boxTypeText.c_str(),
                          in.boxInfoText.c_str(), in.boxInfoMarked ? " marked" : "", int(in.noData),
                          int(in.statusRestart), int(in.boxStarting), int(in.requestPending),
                          in.sensorConnection, int(in.offsetSeenYE), int(in.offsetSeenWH),
                          unsigned(in.errorFlags), box.describe().c_str());
    }

    // --- the main window's share ---------------------------------------------

    void resetReadings() {
        {
            std::lock_guard<std::mutex> lock(r.readingsMutex);
            resetDeviceReadings(r.readings, r.link);
        }
        boxResetHandling();
    }

    void boxResetHandling() {
        sensors.clearOffsetsSeen();
        r.link.boxStarting = true;
        {
            std::lock_guard<std::mutex> lock(r.readingsMutex);
            r.readings.refPhaseText[0] = '\0';
            r.readings.detectedPulseRate = 0;
            r.readings.absolutePositionMode = false;
            r.readings.boxInfoMarked = false;
        }
        r.link.statusRestart = true;
        if (session) {
            session->amplitudeUpdate('R', 'W');
            session->amplitudeUpdate('R', 'Y');
        }
    }

    // Inside the synchronous notification: the reader thread waits, so the
    // readings are read directly, as the main window does.
    void onDeviceEvent(int code, int param) {
        if (!session)
            return;
        const DeviceReadings& d = r.readings;
        // The heads' state first, as the acquisition core keeps it.
        sensors.deviceEvent(code, param, d, r.link.newProtocol);
        switch (code) {
        case kPositionEvent: {
            const double turn = 1728.0 * 5000.0;
            const double degrees = double(d.rawPosition % int32_t(turn)) * 360.0 / turn;
            const double rpm = d.speed * 1e6 * 60.0 / turn;
            session->positionTexts(formatText("%.4lf° ", degrees), formatText("%.2lf rpm ", rpm));
            break;
        }
        case kDacOffsetsEvent:
            if (sensors.offsetsFirstSeen() == Head::WH)
                session->amplitudeUpdate('R', 'W');
            else if (sensors.offsetsFirstSeen() == Head::YE)
                session->amplitudeUpdate('R', 'Y');
            break;
        case kAmplitudeWhiteEvent:
            session->amplitudeUpdate('W', d.amplitudeWH);
            break;
        case kAmplitudeYellowEvent:
            session->amplitudeUpdate('Y', d.amplitudeYE);
            break;
        default:
            break;
        }
    }

    static boxsim::SimulatorOptions simulatorOptions() {
        boxsim::SimulatorOptions options;
        options.paced = false;
        return options;
    }

    linktest::Records r;
    std::string dir;
    std::string boxLink;
    boxsim::BoxSimulator box;
    SensorState sensors;
    std::unique_ptr<PortMap> ports;
    std::unique_ptr<QtLinkNotifier> notifier;
    std::unique_ptr<CSerialComm> comm;

    // The optimum-range question is answered "No" once per program run; the
    // rig starts with it answered so that amplitudes near the limits pass.
    bool warnOptimum = false;
    std::unique_ptr<TeachInSession> session;
    std::optional<WizardResult> result;
    std::vector<BoxRequest> placed;
    int noDataNotices = 0;
};

} // namespace teachine2e
