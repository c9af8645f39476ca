#pragma once
// A recording from the record button to its files: the data recorder's
// decisions carried out with the evaluation window, the file dialogs, the
// messages and the report. The main window (or the acquisition core) owns one
// and wires it:
//
//     session_ = new RecordingSession({samples, linkControl, configData, recentFiles},
//                                     hooks, this);
//     connect(recordButton, &QPushButton::clicked, session_, &RecordingSession::toggleRecording);
//     ... device event 6 while recording, with the core's positions p:
//           session_->positionEvent(RecordEvent::position(r, p.displayPosition()));
//     ... device event 20 while recording:
//           session_->referenceEvent(RecordEvent::reference(r, p.referencePosition()));
//     ... context menu "Open ORVATIX Files": session_->openRecordingFile();
//
// The recorder writes the link's recordingActive itself (on the LinkControl it
// was made with); the hooks tell the owner what else to change. All on the
// user-interface thread; the two event calls come from inside the device-event
// handler and never wait for anything (messages they cause are shown after
// the handler has returned).

#include "recorder/DataRecorder.h"
#include "recorder/RecordEvent.h"
#include "recorder/widgets/MeasurementReport.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CErgebnisDlg;
class QWidget;
class RecentFiles;
class RecordingDialogs;
struct ConfigData;
struct LinkControl;

// What the box reported about itself, for the report.
struct BoxIdentityTexts {
    QString boxType;         // boxTypeText
    QString firmwareVersion; // versionText
    QString serialNumber;    // serialTextB and serialTextA; the report labels it already
};

struct RecordingSessionHooks {
    // The record button: pressed with the recording picture, or released
    // with the idle one.
    std::function<void(bool pressed)> setRecordButton;
    // A recording starts: the noise measurement stops if it runs.
    std::function<void()> stopNoiseMeasurement;
    // recordingActive changed (the recorder has set the flag already): the
    // owner redraws what it left alone while recording.
    std::function<void(bool active)> recordingActiveChanged;
    // Read when a report is made.
    std::function<BoxIdentityTexts()> boxIdentity;
    // The recording reached its files (empty: a kind it had none of).
    std::function<void(const QString& ampPath, const QString& refPath)> recordingSaved;
    // A steady millisecond clock; the steady clock when empty.
    std::function<std::int64_t()> clockMs;
};

struct RecordingSessionRecords {
    DataRecorder& recorder;
    const LinkControl& link; // noData, boxStarting
    ConfigData& config;      // pulseRate
    RecentFiles& recentFiles;
};

class RecordingSession : public QObject {
    Q_OBJECT
public:
    // `owner` is the main window: the evaluation window's owner, the parent
    // of the dialogs, and its title reads "Wait - Saving data..." while the
    // files are written. `dialogs` may be null: the standard dialogs.
    RecordingSession(RecordingSessionRecords records, RecordingSessionHooks hooks, QWidget* owner,
                     std::unique_ptr<RecordingDialogs> dialogs = nullptr);
    ~RecordingSession() override;

    // The record button.
    void toggleRecording();
    // The two recorded device events, while recording.
    void positionEvent(const RecordEvent& event);
    void referenceEvent(const RecordEvent& event);
    // The port went away while recording: the samples are kept and the
    // window's title says so until the next sample comes.
    void portLost();
    // "Open ORVATIX Files": a saved recording into the evaluation window (laid
    // under the samples when there are unsaved ones to compare with).
    void openRecordingFile();
    // The evaluation window's close: saves; the window goes once the samples
    // are on disk or given up.
    void closeWindow();
    // The evaluation window's Print and Save as PDF.
    void printReport();
    void saveReportAsPdf();

    // The evaluation window while one is open.
    CErgebnisDlg* window() const { return window_; }
    RecordingDialogs& dialogs() { return *dialogs_; }

private:
    void addSample(const RecordEvent& event, SampleKind kind);
    void openWindow();
    void stopped();
    void stopPressed();
    void setRecording(bool active);
    bool saveWithDialogs(SaveResult result);
    SaveResult writeFiles(const std::function<SaveResult()>& write);
    void showLater(const RecorderMessage& message);
    void fillReportSource();
    void clearPressed();
    bool mayClear();
    // A name for the recording's files, asking before a taken one is
    // replaced; empty when the user cancels.
    QString chooseRecordingName(QWidget* parent, FileDialogRequest dialog);
    std::int64_t now() const;

    RecordingSessionRecords records_;
    RecordingSessionHooks hooks_;
    QWidget* owner_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    QPointer<CErgebnisDlg> window_;
    std::vector<RecordSample> comparison_; // a file laid under the recording
    bool messagePending_ = false;          // one deferred message at a time
    bool reportedActive_ = false;          // what recordingActiveChanged said last
    ReportRemarks remarks_;                // the remarks of the last report, kept for the next
};
