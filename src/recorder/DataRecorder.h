#pragma once
// The data recorder: the samples of a recording, the start/stop logic of the
// main window's record button and the two record files. It decides; the
// windows do what it returns (show a dialog or a message, set the button's
// picture, open or close the evaluation window). User-interface thread only.
//
//   Idle --start--> Recording --button or limit--> Stopped --window closed--> saved, Idle
//                        \------------------ window closed ------------------/
// A save that fails keeps the samples (SavePending) until they are written
// under another name or the user discards them.

#include "recorder/RecordSample.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ConfigData;
struct DeviceReadings;
struct LinkControl;
struct LoadedRecording;

// Samples one recording may hold; about 340 MB of samples. Eight hours at the
// box's full position rate are about 500,000.
inline constexpr std::size_t kMaxRecordSamples = 2'000'000;

// The main window's title while the files are written.
inline constexpr const char* kSavingTitle = "Wait - Saving data...";

enum class SampleKind { Position, Reference };

// What addRecordSample needs besides the event's own values.
struct SampleContext {
    const DeviceReadings& readings; // dacOffsets, channelValues, refValues, refDistance are copied
    std::int32_t pulseRate;         // lines per revolution
    bool noData;                    // the link's noData flag
    std::int64_t clockMs;           // a steady millisecond clock
};

enum class AddOutcome {
    NotRecorded,  // not recording, a negative amplitude or no data: nothing changed
    Filtered,     // a position less than 10 counts from the last one taken
    Added,        // draw the new sample incrementally; the window's title is title()
    OutOfMemory,  // show outOfMemoryMessage(); recording goes on
    LimitReached, // recording stopped: show limitMessage(), the record button idle and released
};

struct RecorderMessage {
    enum class Icon { Error, Information };
    Icon icon = Icon::Error;
    std::string caption;
    std::string text; // empty: nothing to show
    // Asked as a question: the answer Return gives. No where Yes would
    // replace or throw away what the user has.
    bool defaultYes = true;
};

struct FileDialogRequest {
    std::string title;    // "ORVATIX data recorder: " + "Ref + Amp"
    QString filter;       // Qt filter string
    QString proposedName; // folder + "[Filename]"
};

enum class ToggleAction {
    ReleaseButton,  // no data, or the box is restarting: only release the button
    AskForFileName, // show `dialog`, then startRecording(path) or startCancelled()
    Stopped,        // idle picture, button released; the evaluation window stays open
    SaveFirst,      // unsaved samples from the last recording: close the evaluation window
                    // (its close saves them) or, when it is closed, saveRecording(); then
                    // the user starts again
};

struct ToggleDecision {
    ToggleAction action = ToggleAction::ReleaseButton;
    FileDialogRequest dialog; // AskForFileName
};

struct StartResult {
    // True: stop the noise measurement if it runs, open the evaluation window
    // maximised and in front, show the recording picture. False: show
    // `message` (when it has a text); idle picture, button released.
    bool started = false;
    RecorderMessage message;
};

struct FailedFile {
    QString path;
    QString reason;
    bool writeProtected = false;
};

struct SaveResult {
    bool saved = true;
    // Saved: the file that opens this recording again, for the list of last
    // files (empty when there was nothing to write).
    QString openPath;
    // Saved: the files written, empty for a kind the recording had none of.
    QString ampPath;
    QString refPath;
    // Not saved: the samples are kept. Show `message` (which file, why, and
    // the question) with Yes and No; Yes shows `dialog` and passes the chosen
    // path to saveRecordingAs(), No calls discardRecording().
    std::vector<FailedFile> failed;
    RecorderMessage message;
    FileDialogRequest dialog;
};

class DataRecorder {
public:
    enum class State { Idle, Recording, Stopped, SavePending };

    DataRecorder(LinkControl& link, ConfigData& config,
                 std::size_t sampleLimit = kMaxRecordSamples);

    // A position update (the position shown) or a reference mark (its position)
    // while recording.
    AddOutcome addRecordSample(std::int32_t counts, double amplitudeWH, double amplitudeYE,
                               SampleKind kind, const SampleContext& context);

    // The record button.
    ToggleDecision toggleRecording(bool noData, bool boxStarting);
    // The file chosen in the dialog of AskForFileName: checks that both files
    // can be written (nothing on disk changes) and starts.
    StartResult startRecording(const QString& chosenPath);
    void startCancelled();

    // The evaluation window was closed: stops and writes both files.
    SaveResult saveRecording();
    // After a failed save: both files again under another name.
    SaveResult saveRecordingAs(const QString& chosenPath);
    // The program is told to end (a termination signal): samples not on disk
    // yet are written without a question, under the recording's own name,
    // else in `rescueFolder` (made when missing) under `datedName` + "_amp.txt"
    // and "_ref.txt". The remembered folder of the next recording stays. When
    // neither place takes them, the result says why and the samples are
    // given up, so that nothing waits for an answer.
    SaveResult saveBeforeTermination(const QString& rescueFolder, const QString& datedName);
    // The user gives up the samples that could not be saved.
    void discardRecording();
    // The evaluation window's Clear button.
    void clearRecording();

    // A recording read back from its files (loadRecording) into the
    // evaluation window, stopped and counted as saved. False, and nothing
    // changes, while recording or while unsaved samples would be lost.
    bool showRecording(LoadedRecording&& loaded);

    State state() const { return state_; }
    const std::vector<RecordSample>& samples() const { return samples_; }
    std::int32_t sampleCounter() const { return sampleCounter_; }
    std::int32_t lastPositionCounts() const { return lastPositionCounts_; }
    // The evaluation window's title: "Data recorder: #%4li / Pos %.4lf°".
    const std::string& title() const { return title_; }
    const QString& baseName() const { return baseName_; }
    bool hasUnsavedSamples() const { return unsaved_ && !samples_.empty(); }
    std::size_t sampleLimit() const { return limit_; }

    RecorderMessage limitMessage() const;
    static RecorderMessage outOfMemoryMessage();

private:
    FileDialogRequest fileDialog();
    SaveResult writeFiles();
    void useBaseName(const QString& chosenPath);
    void discardSamples();

    LinkControl& link_;
    ConfigData& config_;
    std::size_t limit_;
    State state_ = State::Idle;
    std::vector<RecordSample> samples_;
    bool unsaved_ = false;
    std::int32_t sampleCounter_ = 0;
    std::int64_t firstSampleClock_ = 0;
    std::int32_t lastPositionCounts_ = 0; // never reset, as the box's positions run on
    std::string title_;
    QString baseName_;
};

// "Can't open file! ", followed by "\n\n" and "Disk is write protected. " when
// the medium is read-only; in the current language.
std::string recordFileOpenFailureText(bool writeProtected);
