#pragma once
// The teach-in wizard and the data recorder as the program runs them beside
// the diagnosis window: the wizard's session opened by the start menu's
// choice, and the recording session behind the record button. Both reach the
// box only through the program's core, and the main window through its
// ProgramServices.

#include "acquisition/DeviceReceiver.h"
#include "app/ProgramHooks.h"
#include "recorder/widgets/RecordingDialogs.h"

#include <memory>
#include <mutex>

class AcquisitionCore;
class DataRecorder;
class RecentFiles;
class RecordingSession;
class SessionEventLog;
struct ConfigData;
struct DeviceReadings;
struct LinkControl;

// Opens the real wizard, maximised, fed with a consistent copy of `readings`
// on each of its ticks. `warnOptimum` is the flow's (ProgramFlow::warnOptimum; tests
// pass their own).
// `eventLog` (may be null) hears how each run of the wizard ended.
// Its requests go to `core`'s door.
TeachInFactory teachInWizardFactory(AcquisitionCore& core, bool& warnOptimum,
                                    SessionEventLog* eventLog = nullptr);

struct RecorderRecords {
    DataRecorder& recorder;
    DeviceReadings& readings;
    std::mutex& readingsMutex;
    LinkControl& link;
    ConfigData& config;
    RecentFiles& recentFiles;
};

// The record button's recording. A receiver of the core that is no display:
// while the display receivers are muted by the recording it keeps getting the
// amplitude (6) and reference-mark (20) events it records.
class RecorderFeature : public RecorderFlow, private DeviceReceiver {
public:
    // Subscribed to `core` while it lives. `dialogs` null: the standard file
    // dialogs and messages.
    RecorderFeature(ProgramServices& services, AcquisitionCore& core, RecorderRecords records,
                    std::unique_ptr<RecordingDialogs> dialogs = nullptr);
    ~RecorderFeature() override;

    // RecorderFlow
    void recordButtonClicked() override;
    void closeRecordFiles() override;
    void openRecordingFile() override;

    // The program is told to end: unsaved samples are written without a
    // question (RecordingSaveOnTermination.cpp).
    void saveBeforeTermination();

    RecordingSession& session() { return *session_; }
    // Saved recordings go into this log (null: none); it must outlive the
    // feature's use.
    void setEventLog(SessionEventLog* log) { eventLog_ = log; }

private:
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    // While recording, only a port that went away is reported.
    void noSerialData() override;

    ProgramServices& services_;
    AcquisitionCore& core_;
    RecorderRecords records_;
    std::unique_ptr<RecordingSession> session_;
    SessionEventLog* eventLog_ = nullptr;
};
