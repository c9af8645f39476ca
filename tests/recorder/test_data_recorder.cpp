// The recorder's decisions: names, the samples it takes and the record
// button's states.

#include "config/ConfigFile.h"
#include "recorder/RecordFileNames.h"

#include "recorder/RecorderRig.h"
#include "recorder/RecorderTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(RecordFileNames, OnlyAnExtensionOfExactlyTxtIsRemoved) {
    const struct {
        const char* chosen;
        const char* base;
    } cases[] = {
        {"/d/run.txt", "/d/run"},
        {"/d/run.TXT", "/d/run.TXT"},
        {"/d/run.Txt", "/d/run.Txt"},
        {"/d/run.dat", "/d/run.dat"},
        {"/d/run", "/d/run"},
        {"/d/a.b.txt", "/d/a.b"},
        {"/d/run.txt.bak", "/d/run.txt.bak"},
        {"/d/txt", "/d/txt"},
        {"/d.txt/run", "/d.txt/run"},
        {"C:\\d\\run.txt", "C:\\d\\run"},
    };
    for (const auto& c : cases) {
        const QString base = recordBaseName(QString::fromUtf8(c.chosen));
        EXPECT_EQ(base.toStdString(), c.base) << c.chosen;
        EXPECT_EQ(ampFilePathOf(base).toStdString(), std::string(c.base) + "_amp.txt");
        EXPECT_EQ(refFilePathOf(base).toStdString(), std::string(c.base) + "_ref.txt");
    }
}

TEST(RecordFileNames, LastFileIsTheFolderOfTheChosenFile) {
    // The folder, even where the file name also occurs earlier in the path.
    EXPECT_EQ(recordFolderOf(QStringLiteral("/data/a")),
              QDir::toNativeSeparators("/data/").toStdString());
    EXPECT_EQ(recordFolderOf(QStringLiteral("/rec/rec.txt")),
              QDir::toNativeSeparators("/rec/").toStdString());
    EXPECT_EQ(recordFolderOf(QStringLiteral("/run.txt")),
              QDir::toNativeSeparators("/").toStdString());
    EXPECT_EQ(recordFolderOf(QStringLiteral("run.txt")), "");
}

TEST(RecordFileNames, TheDialogProposesTheLastFolderOrTheFallback) {
    ConfigData config;
    const std::string root = QDir::toNativeSeparators("/").toStdString();
    config.lastFile = root; // the root folder stays what it is
    EXPECT_EQ(proposedRecordName(config).toStdString(), root + "[Filename]");
    for (const char* unusable : {"", "/data"}) {
        config.lastFile = unusable;
        EXPECT_EQ(proposedRecordName(config).toStdString(), defaultLastFile() + "[Filename]");
        EXPECT_EQ(config.lastFile, defaultLastFile()) << "the record takes the fallback too";
    }
}

TEST(DataRecorder, APositionThatReadsAs360IsRecordedAs0) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    const std::int32_t revolution = 1728 * 5000;
    const struct {
        std::int32_t counts;
        double degrees;
    } cases[] = {
        {revolution - 1, 0.0},                                       // 359.99996: reads 360.0000
        {revolution - 100, (revolution - 100) * 360.0 / revolution}, // 359.9958
        {revolution / 4, 90.0},
        {revolution, 0.0},
        {-20000 - revolution / 2, 180.0 - 20000 * 360.0 / revolution}, // absolute-mode reference
    };
    for (const auto& c : cases) {
        ASSERT_EQ(rig.add(c.counts, SampleKind::Reference), AddOutcome::Added);
        EXPECT_NEAR(rig.recorder.samples().back().position, c.degrees, 1e-9) << c.counts;
    }
}

TEST(DataRecorder, PositionsCloserThanTenCountsAreSkippedReferenceMarksNever) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    // The last position taken starts at 0 and is never reset.
    const struct {
        std::int32_t counts;
        SampleKind kind;
        AddOutcome outcome;
    } steps[] = {
        {9, SampleKind::Position, AddOutcome::Filtered},
        {-9, SampleKind::Position, AddOutcome::Filtered},
        {10, SampleKind::Position, AddOutcome::Added},
        {19, SampleKind::Position, AddOutcome::Filtered},
        {19, SampleKind::Reference, AddOutcome::Added},
        {19, SampleKind::Reference, AddOutcome::Added}, // the same place twice
        {20, SampleKind::Position, AddOutcome::Added},  // references moved nothing
        {11, SampleKind::Position, AddOutcome::Filtered},
        {10, SampleKind::Position, AddOutcome::Added},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(rig.add(s.counts, s.kind), s.outcome) << s.counts;
    }
    EXPECT_EQ(rig.recorder.samples().size(), 5u);
    EXPECT_EQ(rig.recorder.lastPositionCounts(), 10);

    // Still not reset by a new recording.
    rig.recorder.saveRecording();
    ASSERT_TRUE(rig.start(QStringLiteral("second")));
    EXPECT_EQ(rig.add(15), AddOutcome::Filtered);
}

TEST(DataRecorder, RecordsOnlyWhileRecordingWithDataAndAmplitudes) {
    RecorderRig rig;
    EXPECT_EQ(rig.add(1000), AddOutcome::NotRecorded) << "idle";
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.add(2000, SampleKind::Position, -0.1, 50), AddOutcome::NotRecorded);
    EXPECT_EQ(rig.add(3000, SampleKind::Reference, 50, -0.1), AddOutcome::NotRecorded);
    EXPECT_EQ(rig.add(3000, SampleKind::Reference, NAN, 50), AddOutcome::NotRecorded);
    rig.noData = true;
    EXPECT_EQ(rig.add(4000), AddOutcome::NotRecorded);
    rig.noData = false;
    EXPECT_EQ(rig.add(5000, SampleKind::Position, 0.0, 0.0), AddOutcome::Added);
    rig.recorder.toggleRecording(false, false);
    EXPECT_EQ(rig.add(6000), AddOutcome::NotRecorded) << "stopped";
    EXPECT_EQ(rig.recorder.samples().size(), 1u);
}

TEST(DataRecorder, ASampleCopiesTheReadingsAndCountsTheTime) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    for (int i = 0; i < 7; ++i) {
        rig.readings.refValues[i] = 10.0 * i;
    }
    for (int i = 0; i < 5; ++i) {
        rig.readings.dacOffsets[i] = 100.0 + i;
        rig.readings.channelValues[i] = 200.0 + i;
    }
    rig.readings.refDistance = -15000;
    ASSERT_EQ(rig.add(rig.counts(90.0), SampleKind::Position, 47.5, 52.5), AddOutcome::Added);
    rig.clockMs += 2250;
    ASSERT_EQ(rig.add(rig.counts(10.0), SampleKind::Reference), AddOutcome::Added);

    const RecordSample& p = rig.recorder.samples()[0];
    EXPECT_EQ(p.time, 0.0);
    EXPECT_NEAR(p.position, 90.0, 1e-4);
    EXPECT_EQ(p.amplitudeWH, 47.5);
    EXPECT_EQ(p.amplitudeYE, 52.5);
    EXPECT_FALSE(p.isReference);
    const double refs[] = {p.refA, p.refB, p.refC, p.refD, p.refE, p.refF};
    const double expected[] = {60, 30, 40, 10, 50, 20}; // refValues 6, 3, 4, 1, 5, 2
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(refs[i], expected[i]) << i;
    }
    EXPECT_EQ(p.dacOffsets[4], 104.0);
    EXPECT_EQ(p.channelValues[0], 200.0);
    EXPECT_EQ(p.refDistance, -15000);

    const RecordSample& r = rig.recorder.samples()[1];
    EXPECT_TRUE(r.isReference);
    EXPECT_DOUBLE_EQ(r.time, 2.35);
}

TEST(DataRecorder, TitleCountsTheSamplesAndShowsThePosition) {
    RecorderRig rig;
    ASSERT_TRUE(rig.start());
    rig.add(rig.counts(12.5));
    EXPECT_EQ(rig.recorder.title(), "Data recorder: #   1 / Pos 12.5000\u00B0");
    EXPECT_EQ(rig.recorder.sampleCounter(), 1);
    rig.add(rig.counts(12.5) + 1, SampleKind::Reference);
    EXPECT_EQ(rig.recorder.sampleCounter(), 2);
    rig.recorder.clearRecording();
    EXPECT_EQ(rig.recorder.title(), "Data recorder:");
    rig.add(rig.counts(300.0));
    EXPECT_EQ(rig.recorder.sampleCounter(), 1) << "a new list counts from 1";
    EXPECT_EQ(rig.recorder.samples()[0].time, 0.0);
}

TEST(DataRecorder, RecordButtonStates) {
    RecorderRig rig;
    // No data, or the box restarting: the button is only released.
    EXPECT_EQ(rig.recorder.toggleRecording(true, false).action, ToggleAction::ReleaseButton);
    EXPECT_EQ(rig.recorder.toggleRecording(false, true).action, ToggleAction::ReleaseButton);

    const ToggleDecision ask = rig.recorder.toggleRecording(false, false);
    ASSERT_EQ(ask.action, ToggleAction::AskForFileName);
    EXPECT_EQ(ask.dialog.title, "ORVATIX data recorder: Ref + Amp");
    EXPECT_TRUE(ask.dialog.proposedName.endsWith(QStringLiteral("[Filename]")));
    rig.recorder.startCancelled();
    EXPECT_FALSE(rig.link.recordingActive);
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Idle);

    ASSERT_TRUE(rig.start(QStringLiteral("run.txt")));
    EXPECT_TRUE(rig.link.recordingActive);
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Recording);
    EXPECT_EQ(rig.config.lastFile, QDir::toNativeSeparators(rig.folder.path() + "/").toStdString());
    EXPECT_EQ(rig.config.ampFilePath, rig.path("run_amp.txt").toStdString());
    EXPECT_EQ(rig.config.refFilePath, rig.path("run_ref.txt").toStdString());
    EXPECT_TRUE(filesIn(rig.folder.path()).isEmpty()) << "the test of the files leaves none";
    rig.add(5000);

    EXPECT_EQ(rig.recorder.toggleRecording(false, false).action, ToggleAction::Stopped);
    EXPECT_FALSE(rig.link.recordingActive);
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Stopped);
    EXPECT_EQ(rig.recorder.samples().size(), 1u) << "stopping keeps the samples";

    // Starting again would discard samples that are not on disk yet.
    EXPECT_EQ(rig.recorder.toggleRecording(false, false).action, ToggleAction::SaveFirst);
    EXPECT_FALSE(rig.recorder.startRecording(rig.path("other")).started);
    EXPECT_EQ(rig.recorder.samples().size(), 1u);

    // Once cleared, a new recording may start in the open window.
    rig.recorder.clearRecording();
    EXPECT_EQ(rig.recorder.toggleRecording(false, false).action, ToggleAction::AskForFileName);
}

TEST(DataRecorder, AStartThatCannotWriteReportsAndLeavesEverythingAsItWas) {
    RecorderRig rig;
    writeBytes(rig.path("plain"), "not a folder");
    writeBytes(rig.path("kept_amp.txt"), "old amp\r\n");
    rig.recorder.toggleRecording(false, false);
    const StartResult failed = rig.recorder.startRecording(rig.path("plain/run.txt"));
    EXPECT_FALSE(failed.started);
    EXPECT_EQ(failed.message.text, "Can't open file! ");
    EXPECT_EQ(failed.message.caption, "Error.  ");
    EXPECT_EQ(failed.message.icon, RecorderMessage::Icon::Error);
    EXPECT_FALSE(rig.link.recordingActive);
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Idle);

    // An existing recording of the chosen name is not touched by the start.
    ASSERT_TRUE(rig.start(QStringLiteral("kept")));
    EXPECT_EQ(readBytes(rig.path("kept_amp.txt")), "old amp\r\n");
    EXPECT_EQ(filesIn(rig.folder.path()), QStringList({"kept_amp.txt", "plain"}));
}

TEST(DataRecorder, WriteProtectionIsNamedInTheMessage) {
    EXPECT_EQ(recordFileOpenFailureText(false), "Can't open file! ");
    EXPECT_EQ(recordFileOpenFailureText(true), "Can't open file! \n\nDisk is write protected. ");
}

TEST(DataRecorder, PastTheLimitRecordingStopsAndKeepsItsSamples) {
    EXPECT_EQ(kMaxRecordSamples, 2'000'000u);
    RecorderRig rig(3);
    ASSERT_TRUE(rig.start());
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(rig.add(i * 1000), AddOutcome::Added);
    }
    EXPECT_EQ(rig.add(4000, SampleKind::Reference), AddOutcome::LimitReached);
    EXPECT_FALSE(rig.link.recordingActive);
    EXPECT_EQ(rig.recorder.state(), DataRecorder::State::Stopped);
    EXPECT_EQ(rig.recorder.samples().size(), 3u);
    EXPECT_EQ(rig.add(5000), AddOutcome::NotRecorded);
    EXPECT_EQ(rig.recorder.limitMessage().text,
              "Recording stopped: the recorder holds at most 3 samples.\n\nThe samples recorded "
              "so far are kept.");
    // Saving still writes what was recorded.
    EXPECT_TRUE(rig.recorder.saveRecording().saved);
    EXPECT_EQ(filesIn(rig.folder.path()), QStringList({"run_amp.txt"}));
}
