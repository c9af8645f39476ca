#include "recorder/DataRecorder.h"

#include "config/AtomicFilePair.h"
#include "config/AtomicTextFile.h"
#include "config/ConfigData.h"
#include "config/RecorderRows.h"
#include "config/ShaftGeometry.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/TextFormat.h"
#include "recorder/FileAccess.h"
#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileNames.h"
#include "recorder/RecordFileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <new>
#include <optional>
#include <utility>

namespace {

constexpr std::int64_t kMinPositionStep = 10; // counts
constexpr double kCountsPerPeriod = static_cast<double>(shaft::kCountsPerPeriod);

} // namespace

std::string recordFileOpenFailureText(bool writeProtected) {
    std::string text = ::text(TextTable::StatusMessages, statusrow::kCantOpenFile);
    if (writeProtected) {
        text += "\n\n";
        text += ::text(TextTable::StatusMessages, statusrow::kWriteProtected);
    }
    return text;
}

namespace {

RecorderMessage errorMessage(std::string text) {
    return {RecorderMessage::Icon::Error, ::text(TextTable::StatusMessages, statusrow::kError),
            std::move(text)};
}

// Degrees within one revolution; a position whose four-decimal text reads 360
// is 0, as the display shows it.
double countsToDegrees(std::int32_t counts, std::int32_t pulseRate) {
    double degrees = counts * 360.0 / (pulseRate * kCountsPerPeriod);
    // Reference positions in absolute mode lie 20000 counts below zero; the
    // sample keeps the angle within one turn all the same.
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0) {
        degrees += 360.0;
    }
    if (degrees > 359.999 && formatText("%.4lf", degrees) == "360.0000") {
        degrees = 0.0;
    }
    return degrees;
}

RecordSample makeSample(double time, double degrees, double amplitudeWH, double amplitudeYE,
                        bool isReference, const DeviceReadings& r) {
    RecordSample s;
    s.time = time;
    s.position = degrees;
    s.amplitudeYE = amplitudeYE;
    s.amplitudeWH = amplitudeWH;
    for (int i = 0; i < 5; ++i) {
        s.dacOffsets[i] = r.dacOffsets[i];
        s.channelValues[i] = r.channelValues[i];
    }
    s.refA = r.refValues[6];
    s.refB = r.refValues[3];
    s.refC = r.refValues[4];
    s.refD = r.refValues[1];
    s.refE = r.refValues[5];
    s.refF = r.refValues[2];
    s.refDistance = r.refDistance;
    s.isReference = isReference;
    return s;
}

} // namespace

DataRecorder::DataRecorder(LinkControl& link, ConfigData& config, std::size_t sampleLimit)
    : link_(link), config_(config), limit_(sampleLimit) {}

AddOutcome DataRecorder::addRecordSample(std::int32_t counts, double amplitudeWH,
                                         double amplitudeYE, SampleKind kind,
                                         const SampleContext& context) {
    // "Not below 0" also turns away a value that is not a number.
    if (state_ != State::Recording || !(amplitudeWH >= 0) || !(amplitudeYE >= 0) ||
        context.noData || context.pulseRate <= 0) {
        return AddOutcome::NotRecorded;
    }
    if (samples_.empty()) {
        firstSampleClock_ = context.clockMs;
        sampleCounter_ = 0;
    }
    if (samples_.size() >= limit_) {
        link_.recordingActive = false;
        state_ = State::Stopped;
        return AddOutcome::LimitReached;
    }
    if (kind == SampleKind::Position) {
        const std::int64_t step = static_cast<std::int64_t>(counts) - lastPositionCounts_;
        if (std::llabs(step) < kMinPositionStep) {
            return AddOutcome::Filtered;
        }
        lastPositionCounts_ = counts;
    }
    const double degrees = countsToDegrees(counts, context.pulseRate);
    ++sampleCounter_;
    title_ = formatText("Data recorder: #%4li / Pos %.4lf\u00B0", static_cast<long>(sampleCounter_),
                        degrees);
    const double time = static_cast<double>(context.clockMs - firstSampleClock_) / 1000.0;
    try {
        samples_.push_back(makeSample(time, degrees, amplitudeWH, amplitudeYE,
                                      kind == SampleKind::Reference, context.readings));
    } catch (const std::bad_alloc&) {
        return AddOutcome::OutOfMemory;
    }
    unsaved_ = true;
    return AddOutcome::Added;
}

FileDialogRequest DataRecorder::fileDialog() {
    FileDialogRequest dialog;
    dialog.title =
        std::string("ORVATIX data recorder: ") + text(TextTable::Recorder, recorderrow::kRefAndAmp);
    dialog.filter = QStringLiteral("Text files (*.txt);;All files (*)");
    dialog.proposedName = proposedRecordName(config_);
    return dialog;
}

ToggleDecision DataRecorder::toggleRecording(bool noData, bool boxStarting) {
    if (noData || boxStarting) {
        return {ToggleAction::ReleaseButton, {}};
    }
    switch (state_) {
    case State::Recording:
        link_.recordingActive = false;
        state_ = State::Stopped;
        return {ToggleAction::Stopped, {}};
    case State::SavePending:
        return {ToggleAction::SaveFirst, {}};
    case State::Stopped:
        // A new start discards the list: never one that is not on disk yet.
        if (hasUnsavedSamples()) {
            return {ToggleAction::SaveFirst, {}};
        }
        break;
    case State::Idle:
        break;
    }
    return {ToggleAction::AskForFileName, fileDialog()};
}

void DataRecorder::useBaseName(const QString& chosenPath) {
    config_.lastFile = recordFolderOf(chosenPath);
    baseName_ = recordBaseName(chosenPath);
}

StartResult DataRecorder::startRecording(const QString& chosenPath) {
    StartResult result;
    if (state_ == State::Recording || state_ == State::SavePending || hasUnsavedSamples()) {
        return result; // the toggle asked for a save first
    }
    // The folder is remembered even when the files then cannot be written.
    config_.lastFile = recordFolderOf(chosenPath);
    const QString base = recordBaseName(chosenPath);
    for (const QString& path : {refFilePathOf(base), ampFilePathOf(base)}) {
        const WriteProbe probe = probeWritable(path);
        if (!probe.ok) {
            link_.recordingActive = false;
            result.message = errorMessage(recordFileOpenFailureText(probe.writeProtected));
            return result;
        }
    }
    baseName_ = base;
    config_.refFilePath = refFilePathOf(base).toStdString();
    config_.ampFilePath = ampFilePathOf(base).toStdString();
    discardSamples();
    title_ = "Data recorder: ";
    state_ = State::Recording;
    link_.recordingActive = true;
    result.started = true;
    return result;
}

void DataRecorder::startCancelled() {
    link_.recordingActive = false;
}

SaveResult DataRecorder::saveRecording() {
    link_.recordingActive = false;
    if (state_ == State::Idle) {
        return {};
    }
    if (!hasUnsavedSamples()) {
        // Nothing new: an empty or cleared list leaves no files, a recording
        // opened from its files is there already.
        discardSamples();
        state_ = State::Idle;
        return {};
    }
    return writeFiles();
}

SaveResult DataRecorder::saveRecordingAs(const QString& chosenPath) {
    if (state_ == State::Recording || !hasUnsavedSamples()) {
        return saveRecording();
    }
    useBaseName(chosenPath);
    config_.refFilePath = refFilePathOf(baseName_).toStdString();
    config_.ampFilePath = ampFilePathOf(baseName_).toStdString();
    return writeFiles();
}

SaveResult DataRecorder::writeFiles() {
    link_.recordingActive = false;
    const QString ampPath = ampFilePathOf(baseName_);
    const QString refPath = refFilePathOf(baseName_);
    SaveResult result;
    bool haveAmp = false;
    bool haveRef = false;
    try {
        const RecordFileTexts texts = recordFileTexts(samples_);
        haveAmp = !texts.amp.empty();
        haveRef = !texts.ref.empty();
        // The two files are one recording and are replaced as a pair: both
        // new files whole before either takes its name, never a new file
        // beside the old partner. A kind the recording has none of removes
        // the file an earlier recording of the same name left.
        const QString paths[] = {ampPath, refPath};
        std::vector<FileReplacement> pair;
        pair.push_back(
            {QFile::encodeName(ampPath).toStdString(),
             haveAmp ? std::optional<std::string>(textFileBytes(texts.amp)) : std::nullopt});
        pair.push_back(
            {QFile::encodeName(refPath).toStdString(),
             haveRef ? std::optional<std::string>(textFileBytes(texts.ref)) : std::nullopt});
        const FileSetWriteResult written = replaceFilesTogether(pair);
        for (const FileSetFailure& f : written.failures) {
            const QString& path = paths[f.index < 2 ? f.index : 0];
            result.failed.push_back({path, f.reason, isOnReadOnlyMedium(path)});
        }
    } catch (const std::bad_alloc&) {
        result.failed.clear();
        for (const QString& path : {ampPath, refPath}) {
            result.failed.push_back({path, QStringLiteral("Not enough memory"), false});
        }
    }

    if (!result.failed.empty()) {
        state_ = State::SavePending;
        result.saved = false;
        std::string text;
        for (const FailedFile& f : result.failed) {
            text += recordFileOpenFailureText(f.writeProtected);
            text += "\n\n";
            text += f.path.toStdString();
            if (!f.reason.isEmpty()) {
                text += "\n";
                text += f.reason.toStdString();
            }
            text += "\n\n";
        }
        text += ::text(TextTable::Recorder, recorderrow::kChooseAnotherName);
        result.message = errorMessage(std::move(text));
        result.dialog = fileDialog();
        return result;
    }

    result.openPath = haveAmp ? ampPath : refPath;
    result.ampPath = haveAmp ? ampPath : QString();
    result.refPath = haveRef ? refPath : QString();
    discardSamples();
    state_ = State::Idle;
    return result;
}

SaveResult DataRecorder::saveBeforeTermination(const QString& rescueFolder,
                                               const QString& datedName) {
    link_.recordingActive = false;
    if (!hasUnsavedSamples()) {
        return saveRecording();
    }
    SaveResult first;
    if (!baseName_.isEmpty()) {
        first = writeFiles();
        if (first.saved) {
            return first;
        }
    }
    SaveResult rescued;
    if (!rescueFolder.isEmpty() && QDir().mkpath(rescueFolder)) {
        baseName_ = QDir(rescueFolder).filePath(datedName);
        config_.refFilePath = refFilePathOf(baseName_).toStdString();
        config_.ampFilePath = ampFilePathOf(baseName_).toStdString();
        rescued = writeFiles();
        if (rescued.saved) {
            return rescued;
        }
    } else {
        rescued.saved = false;
        rescued.failed.push_back({rescueFolder, systemErrorReason(ENOENT), false});
    }
    discardRecording();
    // The first place's reason tells most; the rescue's follows it.
    rescued.failed.insert(rescued.failed.begin(), first.failed.begin(), first.failed.end());
    return rescued;
}

void DataRecorder::discardRecording() {
    link_.recordingActive = false;
    discardSamples();
    state_ = State::Idle;
}

void DataRecorder::clearRecording() {
    discardSamples();
    title_ = "Data recorder:";
}

void DataRecorder::discardSamples() {
    // Give the memory back: a long recording holds hundreds of megabytes.
    std::vector<RecordSample>().swap(samples_);
    unsaved_ = false;
}

bool DataRecorder::showRecording(LoadedRecording&& loaded) {
    if (!loaded.ok || state_ == State::Recording || state_ == State::SavePending ||
        hasUnsavedSamples()) {
        return false;
    }
    samples_ = std::move(loaded.samples);
    unsaved_ = false;
    baseName_ = loaded.baseName;
    config_.refFilePath = refFilePathOf(baseName_).toStdString();
    config_.ampFilePath = ampFilePathOf(baseName_).toStdString();
    sampleCounter_ = static_cast<std::int32_t>(samples_.size());
    title_ = "Data recorder: " + QFileInfo(baseName_).fileName().toStdString();
    state_ = State::Stopped;
    return true;
}

RecorderMessage DataRecorder::limitMessage() const {
    return {
        RecorderMessage::Icon::Information, "Data recorder:",
        formatText(text(TextTable::Recorder, recorderrow::kSampleLimit), static_cast<int>(limit_))};
}

RecorderMessage DataRecorder::outOfMemoryMessage() {
    return errorMessage("Fehler !\n\nNicht genügend Arbeitsspeicher verfügbar.");
}
