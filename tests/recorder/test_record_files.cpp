// Saving a recording: the files left behind, a save that fails, and a
// recording saved and opened again.

#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileReader.h"

#include "recorder/RecorderRig.h"
#include "recorder/RecorderTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A recording with both kinds, values that use every column.
void recordMixed(RecorderRig& rig, int positions) {
    for (int i = 0; i < positions; ++i) {
        for (int c = 0; c < 5; ++c) {
            rig.readings.dacOffsets[c] = i * 0.7 - c;
            rig.readings.channelValues[c] = 1000.0 - i * 3.3 + c;
        }
        rig.readings.refValues[4] = 250.0 + i;
        rig.readings.refValues[5] = -420.0 - i;
        rig.readings.refDistance = -5000 * i;
        ASSERT_EQ(
            rig.add(rig.counts((i + 1) * 7.3), SampleKind::Position, 30.0 + i * 0.35, 90.0 - i),
            AddOutcome::Added);
        if (i % 5 == 2) {
            ASSERT_EQ(rig.add(rig.counts((i + 1) * 7.3 + 0.5), SampleKind::Reference),
                      AddOutcome::Added);
        }
    }
}

std::string linesOf(const std::vector<RecordSample>& samples, bool references) {
    std::string text;
    for (const RecordSample& s : samples) {
        if (s.isReference == references) {
            appendRecordLine(text, s);
        }
    }
    return text;
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

} // namespace

TEST(RecordFiles, SavingWritesBothFilesLineForLine) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start(QStringLiteral("run.txt")));
    recordMixed(rig, 12);
    const std::vector<RecordSample> samples = rig.recorder.samples();
    const SaveResult saved = rig.recorder.saveRecording();
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(saved.openPath, rig.path("run_amp.txt"));
    EXPECT_EQ(readBytes(rig.path("run_amp.txt")), crlf(linesOf(samples, false)));
    EXPECT_EQ(readBytes(rig.path("run_ref.txt")), crlf(linesOf(samples, true)));
    EXPECT_TRUE(rig.recorder.samples().empty()) << "discarded once on disk";
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Idle);
    EXPECT_FALSE(rig.link.recordingActive);
}

TEST(RecordFiles, ClosingWhileRecordingSavesToo) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    rig.add(1000);
    EXPECT_TRUE(rig.recorder.saveRecording().saved);
    EXPECT_FALSE(rig.link.recordingActive);
    EXPECT_EQ(filesIn(rig.folder.path()), QStringList({"run_amp.txt"}));
}

TEST(RecordFiles, ClearBeforeClosingLeavesNoFiles) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    recordMixed(rig, 4);
    rig.recorder.toggleRecording(false, false);
    rig.recorder.clearRecording();
    const SaveResult saved = rig.recorder.saveRecording();
    EXPECT_TRUE(saved.saved);
    EXPECT_TRUE(saved.openPath.isEmpty());
    EXPECT_TRUE(filesIn(rig.folder.path()).isEmpty());
}

TEST(RecordFiles, NoReferenceFileWithoutReferenceMarks) {
    RecorderRig rig;
    // A reference file of an earlier recording of the name would be read
    // with the new one: it goes.
    writeBytes(rig.path("run_ref.txt"), "old\r\n");
    ASSERT_TRUE(rig.start());
    rig.add(1000);
    rig.add(2000);
    ASSERT_TRUE(rig.recorder.saveRecording().saved);
    EXPECT_EQ(filesIn(rig.folder.path()), QStringList({"run_amp.txt"}));

    // And the other way round.
    ASSERT_TRUE(rig.start());
    rig.add(3000, SampleKind::Reference);
    const SaveResult saved = rig.recorder.saveRecording();
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(saved.openPath, rig.path("run_ref.txt"));
    EXPECT_EQ(filesIn(rig.folder.path()), QStringList({"run_ref.txt"}));
}

TEST(RecordFiles, AFailedSaveKeepsEveryPieceAndOffersAnotherName) {
    RecorderRig rig;
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(rig.start(QStringLiteral("sub/run.txt")));
    recordMixed(rig, 10);
    const std::vector<RecordSample> samples = rig.recorder.samples();
    // The folder goes away while recording; a file takes its place.
    ASSERT_TRUE(QDir(rig.path("sub")).removeRecursively());
    writeBytes(rig.path("sub"), "a file");

    const SaveResult failed = rig.recorder.saveRecording();
    EXPECT_FALSE(failed.saved);
    ASSERT_EQ(failed.failed.size(), 2u) << "each file is tried";
    EXPECT_EQ(failed.failed[0].path, rig.path("sub/run_amp.txt"));
    EXPECT_EQ(failed.failed[1].path, rig.path("sub/run_ref.txt"));
    EXPECT_FALSE(failed.failed[0].reason.isEmpty());
    EXPECT_NE(failed.message.text.find(rig.path("sub/run_amp.txt").toStdString()),
              std::string::npos);
    EXPECT_NE(failed.message.text.find("Choose another file name?"), std::string::npos);
    EXPECT_EQ(failed.message.caption, "Error.  ");
    EXPECT_TRUE(failed.dialog.proposedName.endsWith(QStringLiteral("[Filename]")));
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::SavePending);
    EXPECT_TRUE(rig.recorder.hasUnsavedSamples());
    EXPECT_EQ(rig.recorder.samples().size(), samples.size());

    // Nothing may start over the unsaved samples, and trying again fails again.
    EXPECT_EQ(rig.recorder.toggleRecording(false, false).action, ToggleAction::SaveFirst);
    EXPECT_FALSE(rig.recorder.saveRecording().saved);

    const SaveResult saved = rig.recorder.saveRecordingAs(rig.path("rescued.txt"));
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(readBytes(rig.path("rescued_amp.txt")), crlf(linesOf(samples, false)));
    EXPECT_EQ(readBytes(rig.path("rescued_ref.txt")), crlf(linesOf(samples, true)));
    EXPECT_EQ(rig.config.lastFile, QDir::toNativeSeparators(rig.folder.path() + "/").toStdString());
    EXPECT_EQ(rig.config.ampFilePath, rig.path("rescued_amp.txt").toStdString());
    EXPECT_TRUE(rig.recorder.samples().empty());
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Idle);
}

TEST(RecordFiles, OneFileThatFailsKeepsTheOtherFromBeingWritten) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    recordMixed(rig, 6);
    const std::vector<RecordSample> samples = rig.recorder.samples();
    // A folder where the position file should go.
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir(QStringLiteral("run_amp.txt")));
    const SaveResult failed = rig.recorder.saveRecording();
    ASSERT_FALSE(failed.saved);
    ASSERT_EQ(failed.failed.size(), 1u);
    EXPECT_EQ(failed.failed[0].path, rig.path("run_amp.txt"));
    // The two files are one recording: the reference file alone is not it.
    EXPECT_FALSE(QFileInfo::exists(rig.path("run_ref.txt")));

    // The user gives the samples up.
    rig.recorder.discardRecording();
    EXPECT_TRUE(rig.recorder.samples().empty());
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Idle);
    EXPECT_EQ(rig.recorder.toggleRecording(false, false).action, ToggleAction::AskForFileName);
}

TEST(RecordFiles, ARecordingOpenedAgainHoldsTheSameSamples) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    recordMixed(rig, 40);
    const std::vector<RecordSample> samples = rig.recorder.samples();
    ASSERT_TRUE(rig.recorder.saveRecording().saved);
    const std::string amp = readBytes(rig.path("run_amp.txt"));
    const std::string ref = readBytes(rig.path("run_ref.txt"));

    for (const char* chosen : {"run_amp.txt", "run_ref.txt"}) {
        LoadedRecording loaded = loadRecording(rig.path(chosen), kMaxRecordSamples);
        ASSERT_TRUE(loaded.ok) << chosen;
        EXPECT_EQ(loaded.baseName, rig.path("run"));
        ASSERT_EQ(loaded.samples.size(), samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const RecordSample& a = samples[i];
            const RecordSample& b = loaded.samples[i];
            ASSERT_EQ(a.isReference, b.isReference) << i;
            EXPECT_NEAR(a.time, b.time, 0.05 + 1e-9) << i;
            EXPECT_NEAR(a.position, b.position, 0.00005 + 1e-9) << i;
            EXPECT_NEAR(a.amplitudeWH, b.amplitudeWH, 0.05 + 1e-9) << i;
            EXPECT_NEAR(a.refC, b.refC, 0.05 + 1e-9) << i;
            EXPECT_EQ(a.refDistance, b.refDistance) << i;
            if (!a.isReference) {
                EXPECT_NEAR(a.channelValues[3], b.channelValues[3], 0.05 + 1e-9) << i;
            }
        }
    }

    // Shown again, it counts as saved: closing writes nothing; saved under a
    // new name it gives the same bytes.
    ASSERT_TRUE(
        rig.recorder.showRecording(loadRecording(rig.path("run_amp.txt"), kMaxRecordSamples)));
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Stopped);
    EXPECT_FALSE(rig.recorder.hasUnsavedSamples());
    EXPECT_EQ(rig.recorder.samples().size(), samples.size());
    QFile::remove(rig.path("run_amp.txt"));
    EXPECT_TRUE(rig.recorder.saveRecording().saved);
    EXPECT_FALSE(QFile::exists(rig.path("run_amp.txt")));
    EXPECT_TRUE(rig.recorder.samples().empty());

    LoadedRecording again = loadRecording(rig.path("run_ref.txt"), kMaxRecordSamples);
    RecordFileTexts texts = recordFileTexts(again.samples);
    EXPECT_EQ(crlf(texts.ref), ref);
    writeBytes(rig.path("run_amp.txt"), amp);
    again = loadRecording(rig.path("run_ref.txt"), kMaxRecordSamples);
    texts = recordFileTexts(again.samples);
    EXPECT_EQ(crlf(texts.amp), amp);
    EXPECT_EQ(crlf(texts.ref), ref);
}

TEST(RecordFiles, AnOpenedRecordingDoesNotReplaceUnsavedSamples) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    rig.add(1000);
    rig.add(2000);
    ASSERT_TRUE(rig.recorder.saveRecording().saved);
    ASSERT_TRUE(rig.start(QStringLiteral("second")));
    rig.add(9000);
    LoadedRecording loaded = loadRecording(rig.path("run_amp.txt"), kMaxRecordSamples);
    ASSERT_TRUE(loaded.ok);
    EXPECT_FALSE(rig.recorder.showRecording(std::move(loaded))) << "while recording";
    rig.recorder.toggleRecording(false, false);
    loaded = loadRecording(rig.path("run_amp.txt"), kMaxRecordSamples);
    EXPECT_FALSE(rig.recorder.showRecording(std::move(loaded))) << "stopped, not saved";
    EXPECT_EQ(rig.recorder.samples().size(), 1u);
}

namespace {

// The program told to end: the samples go to their own files without a
// question, else to the rescue folder under the dated name; when neither
// takes them nothing is left waiting for an answer.
TEST(RecordFiles, ATerminationSavesWithoutAskingWhereItCan) {
    struct Case {
        const char* what;
        bool ownFolderGone;
        bool rescueBlocked;
        const char* savedAs; // empty: not saved
    };
    const Case cases[] = {
        {"its own folder", false, false, "sub/run_amp.txt"},
        {"the rescue folder", true, false, "rescue/ORVATIX-2026-12-07_21-30-00_amp.txt"},
        {"nowhere", true, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecorderRig rig;
        ASSERT_TRUE(QDir(rig.folder.path()).mkdir(QStringLiteral("sub")));
        ASSERT_TRUE(rig.start(QStringLiteral("sub/run.txt")));
        recordMixed(rig, 7);
        const std::vector<RecordSample> samples = rig.recorder.samples();
        const std::string lastFile = rig.config.lastFile;
        if (c.ownFolderGone) {
            ASSERT_TRUE(QDir(rig.path("sub")).removeRecursively());
            writeBytes(rig.path("sub"), "a file");
        }
        if (c.rescueBlocked)
            writeBytes(rig.path("rescue"), "a file");

        const SaveResult r = rig.recorder.saveBeforeTermination(
            rig.path("rescue"), QStringLiteral("ORVATIX-2026-12-07_21-30-00"));
        EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Idle);
        EXPECT_FALSE(rig.recorder.hasUnsavedSamples());
        EXPECT_FALSE(rig.link.recordingActive);
        EXPECT_EQ(rig.config.lastFile, lastFile) << "the next recording's folder stays";
        if (*c.savedAs == '\0') {
            EXPECT_FALSE(r.saved);
            EXPECT_FALSE(r.failed.empty());
            continue;
        }
        ASSERT_TRUE(r.saved);
        EXPECT_EQ(r.ampPath, rig.path(QString::fromLatin1(c.savedAs)));
        EXPECT_EQ(readBytes(r.ampPath), crlf(linesOf(samples, false)));
        EXPECT_EQ(readBytes(r.refPath), crlf(linesOf(samples, true)));
    }
}

} // namespace
