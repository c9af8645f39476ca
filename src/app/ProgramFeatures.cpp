#include "app/ProgramFeatures.h"

#include "acquisition/AcquisitionCore.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/TextFormat.h"
#include "eventlog/SessionEventLog.h"
#include "recorder/DataRecorder.h"
#include "recorder/RecordEvent.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/RecordingDialogs.h"
#include "recorder/widgets/RecordingSession.h"
#include "teachin/WizardInputs.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "teachin/widgets/TeachInSession.h"

#include <QObject>
#include <QString>
#include <QWidget>

namespace {

// The wizard's end as its result message tells it; a teach-in the user
// cancelled is told from one that failed.
void logTeachInResult(SessionEventLog& log, WizardResult result, int failure) {
    if (result == WizardResult::Failed && (failure & kCancelled) != 0) {
        log.teachInResult(false, "cancelled by the user");
        return;
    }
    switch (result) {
    case WizardResult::Success:
        log.teachInResult(true, "the box learned its signals");
        return;
    case WizardResult::NotDone:
        log.teachInResult(false, "cancelled, no teach-in was done");
        return;
    case WizardResult::Failed:
        log.teachInResult(false, "failed");
        return;
    }
}

// The wizard's session as the main window sees it. The session is deleted
// with this object, which the main window destroys after teachInEnded.
class TeachInWizardFeature : public TeachInFeature {
public:
    TeachInWizardFeature(TeachInHooks hooks, bool& warnOptimum, ProgramServices& services,
                         SessionEventLog* eventLog)
        : session_(std::make_unique<TeachInSession>(std::move(hooks), warnOptimum)) {
        // finished is queued: the session is not inside its own handler when
        // the main window later destroys it.
        TeachInSession* session = session_.get();
        QObject::connect(session, &TeachInSession::finished, session,
                         [&services, eventLog, session](WizardResult result) {
                             if (eventLog != nullptr)
                                 logTeachInResult(*eventLog, result,
                                                  session->wizard().view().failure);
                             services.teachInEnded();
                         });
        session_->show();
    }

    void positionTexts(const std::string& position, const std::string& speed) override {
        session_->positionTexts(position, speed);
    }
    void barUpdate(const BarUpdate& update) override {
        // The wizard's bar rules still take the letters.
        session_->amplitudeUpdate(update.command(), update.value());
    }

private:
    std::unique_ptr<TeachInSession> session_;
};

} // namespace

TeachInFactory teachInWizardFactory(AcquisitionCore& core, bool& warnOptimum,
                                    SessionEventLog* eventLog) {
    return [&core, &warnOptimum,
            eventLog](ProgramServices& services) -> std::unique_ptr<TeachInFeature> {
        TeachInHooks hooks;
        // The wizard ticks on a timer, outside any device event: a copy under
        // the lock.
        hooks.readInputs = [&core, &services] {
            const LinkRecords& records = core.records();
            const LinkControl& link = records.link;
            const DeviceReadings snapshot =
                snapshotReadings(records.readings, records.readingsMutex);
            const StatusDecoding decoding = services.statusDecoding();
            return wizardInputs(snapshot, link, decoding.offsetSeenYE, decoding.offsetSeenWH,
                                decoding.sensorConnection, decoding.comPort);
        };
        hooks.placeRequest = [&core](BoxRequest request) { core.requests().submit(request); };
        hooks.setStatusRestart = [&services] { services.setStatusRestart(); };
        hooks.resetReadings = [&services] { services.resetReadings(); };
        return std::make_unique<TeachInWizardFeature>(std::move(hooks), warnOptimum, services,
                                                      eventLog);
    };
}

RecorderFeature::RecorderFeature(ProgramServices& services, AcquisitionCore& core,
                                 RecorderRecords records, std::unique_ptr<RecordingDialogs> dialogs)
    : services_(services), core_(core), records_(records) {
    RecordingSessionHooks hooks;
    hooks.setRecordButton = [this](bool pressed) { services_.showRecordButton(pressed); };
    hooks.stopNoiseMeasurement = [this] { services_.stopNoiseMeasurement(); };
    // What the muted display left alone meanwhile is drawn again.
    hooks.recordingActiveChanged = [this](bool active) {
        if (!active)
            services_.mainWindow()->update();
    };
    hooks.boxIdentity = [this] {
        const DeviceReadings s = snapshotReadings(records_.readings, records_.readingsMutex);
        return BoxIdentityTexts{
            QString::fromLatin1(fieldText(s.boxTypeText)),
            QString::fromLatin1(fieldText(s.versionText)),
            QString::fromLatin1(formatText("%s %s", s.serialTextB, s.serialTextA))};
    };
    hooks.recordingSaved = [this](const QString& ampPath, const QString& refPath) {
        if (eventLog_ != nullptr)
            eventLog_->recordingSaved(ampPath.toStdString(), refPath.toStdString());
    };
    session_ = std::make_unique<RecordingSession>(
        RecordingSessionRecords{records_.recorder, records_.link, records_.config,
                                records_.recentFiles},
        std::move(hooks), services_.mainWindow(), std::move(dialogs));
    core_.subscribe(this);
}

RecorderFeature::~RecorderFeature() {
    core_.unsubscribe(this);
}

void RecorderFeature::recordButtonClicked() {
    session_->toggleRecording();
}

void RecorderFeature::closeRecordFiles() {
    // Samples not on disk yet are saved (the user may choose another name);
    // an open evaluation window closes.
    const DataRecorder& recorder = records_.recorder;
    if (session_->window() != nullptr || recorder.state() == DataRecorder::State::Recording ||
        recorder.hasUnsavedSamples())
        session_->closeWindow();
}

void RecorderFeature::openRecordingFile() {
    session_->openRecordingFile();
}

void RecorderFeature::noSerialData() {
    if (records_.link.recordingActive)
        session_->portLost();
}

void RecorderFeature::deviceEvent(int code, int, const DeviceReadings& readings) {
    if (!records_.link.recordingActive)
        return;
    // The core's tracker has counted this event's positions already.
    const PositionTracker& positions = core_.positions();
    if (code == kAmplitudeWhiteEvent)
        session_->positionEvent(RecordEvent::position(readings, positions.displayPosition()));
    else if (code == kReferenceMarkEvent)
        session_->referenceEvent(RecordEvent::reference(readings, positions.referencePosition()));
}
