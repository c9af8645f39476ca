// What goes wrong around a recording: a folder that turns into a file before
// the window closes (nothing is lost), Clear before closing (no files), the
// record button without data or cancelled, and files that are no recording.

#include "SessionRig.h"

#include "config/AtomicTextFile.h"
#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileNames.h"
#include "recorder/RecordFileReader.h"
#include "support/Controls.h"
#include "support/SyntheticRecording.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace sessiontest;

namespace {

void writeText(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList recordFilesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*_amp.txt"), QStringLiteral("*_ref.txt")},
                                  QDir::Files);
}

class SessionOverTheBox : public ::testing::Test {
protected:
    void SetUp() override {
        rig = std::make_unique<SessionRig>();
        rig->startLink();
        ASSERT_TRUE(rig->waitForBox()) << "the box did not settle";
    }
    void TearDown() override { rig.reset(); }

    // Starts recording into `chosen` and waits for `samples` samples.
    void record(const QString& chosen, std::size_t samples) {
        rig->dialogs->saveAnswers.push_back(chosen);
        rig->session->toggleRecording();
        ASSERT_NE(rig->session->window(), nullptr);
        rig->box.setSpeedRpm(30.0);
        ASSERT_TRUE(rig->waitFor([&] { return rig->recorder.samples().size() >= samples; }));
    }

    std::unique_ptr<SessionRig> rig;
};

TEST_F(SessionOverTheBox, AFolderGoneWhenTheWindowClosesLosesNothing) {
    SessionRig& t = *rig;
    ScriptedDialogs& d = *t.dialogs;
    const QString folder = t.path(QStringLiteral("axis"));
    ASSERT_TRUE(QDir().mkpath(folder));
    record(folder + QStringLiteral("/run.txt"), 20);
    t.session->toggleRecording(); // stop
    const std::vector<RecordSample> recorded = t.recorder.samples();

    // The folder is now a regular file: neither record file can be written.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    writeText(folder, "not a folder");

    // First answer Yes, then cancel the file dialog: the window stays with
    // every sample, and the next close asks again.
    d.questionAnswers = {true, true};
    t.session->window()->close();
    ASSERT_EQ(d.questions.size(), 1u);
    const std::string& text = d.questions[0].text;
    EXPECT_NE(text.find("Can't open file!"), std::string::npos) << text;
    EXPECT_NE(text.find((folder + QStringLiteral("/run_amp.txt")).toStdString()), std::string::npos)
        << text;
    EXPECT_NE(text.find("Not a directory"), std::string::npos) << text;
    ASSERT_NE(t.session->window(), nullptr);
    EXPECT_EQ(t.recorder.samples().size(), recorded.size());
    EXPECT_EQ(t.recorder.state(), DataRecorder::State::SavePending);
    EXPECT_EQ(t.owner.windowTitle(), QStringLiteral("ORVATIX KAVO 300 (3456)"));

    // A new start must not discard them either.
    const std::size_t asked = d.saveAsked.size();
    d.saveAnswers.push_back(t.path(QStringLiteral("other.txt")));
    t.session->toggleRecording();
    EXPECT_EQ(d.questions.size(), 2u); // the start asked to save first
    EXPECT_EQ(d.saveAsked.size(), asked + 1);
    EXPECT_EQ(t.session->window(), nullptr);
    EXPECT_FALSE(t.r.link.recordingActive);

    const QString base = t.path(QStringLiteral("other"));
    std::vector<RecordSample> amp, ref;
    ASSERT_TRUE(readRecordFile(ampFilePathOf(base), false, amp, kMaxRecordSamples));
    std::size_t marks = 0;
    for (const RecordSample& s : recorded)
        marks += s.isReference ? 1 : 0;
    EXPECT_EQ(amp.size() + marks, recorded.size());
    if (marks > 0) {
        EXPECT_TRUE(readRecordFile(refFilePathOf(base), true, ref, kMaxRecordSamples));
    }
    EXPECT_EQ(ref.size(), marks);
    EXPECT_EQ(t.recent->entries().value(0), ampFilePathOf(base));
    EXPECT_EQ(t.recorder.state(), DataRecorder::State::Idle);
}

TEST_F(SessionOverTheBox, ClearBeforeClosingLeavesNoFiles) {
    SessionRig& t = *rig;
    record(t.path(QStringLiteral("cleared.txt")), 10);
    t.session->toggleRecording();        // stop
    t.dialogs->questionAnswers = {true}; // the samples are not on disk: asked first
    control<QPushButton>(t.session->window(), CErgebnisDlg::kClear)->click();
    EXPECT_TRUE(t.recorder.samples().empty());
    EXPECT_EQ(t.session->window()->windowTitle(), QStringLiteral("Data recorder:"));
    t.session->window()->close();
    EXPECT_EQ(t.session->window(), nullptr);
    EXPECT_EQ(t.dialogs->questions.size(), 1u);
    EXPECT_TRUE(recordFilesIn(t.folder.path()).isEmpty())
        << recordFilesIn(t.folder.path()).join(QLatin1Char(' ')).toStdString();
}

TEST_F(SessionOverTheBox, ClosingWhileRecordingSavesAndReleasesTheButton) {
    SessionRig& t = *rig;
    record(t.path(QStringLiteral("live.txt")), 10);
    EXPECT_TRUE(t.buttonPressed);

    // A file opened meanwhile is laid under the recording, which goes on.
    const QString earlier = t.path(QStringLiteral("earlier_amp.txt"));
    ASSERT_TRUE(
        writeTextFileAtomically(earlier, recordFileTexts(syntheticRecording({200, 1.0})).amp).ok);
    t.dialogs->openAnswers.push_back(earlier);
    const std::size_t before = t.recorder.samples().size();
    t.session->openRecordingFile();
    EXPECT_TRUE(t.dialogs->messages.empty());
    EXPECT_TRUE(t.session->window()->showsComparison());
    EXPECT_EQ(t.recorder.state(), DataRecorder::State::Recording);
    ASSERT_TRUE(t.waitFor([&] { return t.recorder.samples().size() > before + 3; }));
    t.session->window()->close();
    EXPECT_FALSE(t.buttonPressed);
    EXPECT_FALSE(t.r.link.recordingActive);
    EXPECT_EQ(t.activeChanges.back(), false);
    EXPECT_TRUE(QFileInfo::exists(ampFilePathOf(t.path(QStringLiteral("live")))));
}

TEST(SessionLimit, TheLimitStopsTheRecordingAndSaysSoAfterTheEvent) {
    SessionRig t(15);
    t.startLink();
    ASSERT_TRUE(t.waitForBox());
    t.dialogs->saveAnswers.push_back(t.path(QStringLiteral("limited.txt")));
    t.session->toggleRecording();
    t.box.setSpeedRpm(30.0);
    ASSERT_TRUE(t.waitFor([&] { return !t.dialogs->messages.empty(); }));
    EXPECT_EQ(t.messagesInsideEvents, 0);
    EXPECT_NE(t.dialogs->messages[0].text.find("15"), std::string::npos);
    EXPECT_EQ(t.recorder.state(), DataRecorder::State::Stopped);
    EXPECT_FALSE(t.r.link.recordingActive);
    EXPECT_FALSE(t.buttonPressed);
    EXPECT_EQ(t.activeChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(t.recorder.samples().size(), 15u);
    ASSERT_NE(t.session->window(), nullptr);
    EXPECT_TRUE(t.session->window()->showsResults());
    t.session->window()->close();
    std::vector<RecordSample> amp, ref;
    const QString base = t.path(QStringLiteral("limited"));
    ASSERT_TRUE(readRecordFile(ampFilePathOf(base), false, amp, kMaxRecordSamples));
    if (QFileInfo::exists(refFilePathOf(base))) {
        ASSERT_TRUE(readRecordFile(refFilePathOf(base), true, ref, kMaxRecordSamples));
    }
    EXPECT_EQ(amp.size() + ref.size(), 15u);
}

TEST_F(SessionOverTheBox, ACancelledDialogStartsNothing) {
    SessionRig& t = *rig;
    t.session->toggleRecording(); // no answer: cancelled
    EXPECT_EQ(t.dialogs->saveAsked.size(), 1u);
    EXPECT_EQ(t.session->window(), nullptr);
    EXPECT_FALSE(t.r.link.recordingActive);
    EXPECT_FALSE(t.buttonPressed);
    EXPECT_EQ(t.noiseStops, 0);
    EXPECT_TRUE(t.activeChanges.empty());
}

// Without a box: the button and the files that are no recording.
class SessionWithoutData : public ::testing::Test {
protected:
    SessionRig t;
};

TEST_F(SessionWithoutData, TheButtonOnlyReleasesWhileNoDataArrives) {
    t.r.link.noData = true;
    t.buttonPressed = true;
    t.session->toggleRecording();
    EXPECT_TRUE(t.dialogs->saveAsked.empty());
    EXPECT_FALSE(t.buttonPressed);
    EXPECT_EQ(t.session->window(), nullptr);
}

TEST_F(SessionWithoutData, FilesThatAreNoRecordingAreRefused) {
    const QString notes = t.path(QStringLiteral("notes.txt"));
    writeText(notes, "Shopping list\r\nmilk\r\n");
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {notes, "Invalid file format !"},
        {t.path(QStringLiteral("missing_amp.txt")), "Error while opening file !"},
        {t.folder.path(), "Error while opening file !"},
    };
    for (const auto& c : cases) {
        t.dialogs->messages.clear();
        t.dialogs->openAnswers.push_back(c.path);
        t.session->openRecordingFile();
        ASSERT_EQ(t.dialogs->messages.size(), 1u) << c.path.toStdString();
        EXPECT_EQ(t.dialogs->messages[0].text.rfind(c.message, 0), 0u)
            << t.dialogs->messages[0].text;
        EXPECT_EQ(t.dialogs->messages[0].caption, "Error");
        EXPECT_EQ(t.session->window(), nullptr);
        EXPECT_TRUE(t.recent->entries().isEmpty());
    }
}

} // namespace
