// What the session asks before something the user has is lost, over the
// simulated box: a recording name that is taken (its two files), Clear while
// the samples are not on disk, and Cancel in the remarks dialog; and what it
// says of files it cannot open (too many samples, values no box sends).

#include "SessionRig.h"

#include "config/AtomicTextFile.h"
#include "recorder/RecordFileFormat.h"
#include "recorder/RecordFileNames.h"
#include "support/Controls.h"
#include "support/SyntheticRecording.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace sessiontest;

namespace {

QByteArray fingerprint(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class AskingOverTheBox : public ::testing::Test {
protected:
    void SetUp() override {
        rig = std::make_unique<SessionRig>();
        rig->startLink();
        ASSERT_TRUE(rig->waitForBox()) << "the box did not settle";
        rig->box.setSpeedRpm(30.0);
    }
    void TearDown() override { rig.reset(); }

    // The record button, the name answered, and `samples` samples.
    void record(std::size_t samples) {
        rig->session->toggleRecording();
        ASSERT_NE(rig->session->window(), nullptr);
        const std::size_t from = rig->recorder.samples().size();
        ASSERT_TRUE(rig->waitFor([&] { return rig->recorder.samples().size() >= from + samples; }));
    }

    std::unique_ptr<SessionRig> rig;
};

TEST_F(AskingOverTheBox, ATakenNameIsReplacedOnlyAfterYesAndTheQuestionNamesBothFiles) {
    SessionRig& t = *rig;
    ScriptedDialogs& d = *t.dialogs;
    const QString chosen = t.path(QStringLiteral("turn1.txt"));
    const QString amp = ampFilePathOf(t.path(QStringLiteral("turn1")));
    const QString ref = refFilePathOf(t.path(QStringLiteral("turn1")));

    // The first recording of the name, long enough to pass a reference mark.
    d.saveAnswers = {chosen};
    record(40);
    ASSERT_TRUE(t.waitFor([&] { return t.referenceSamples() > 0; }));
    t.session->window()->close();
    ASSERT_TRUE(QFileInfo::exists(amp));
    ASSERT_TRUE(QFileInfo::exists(ref));
    EXPECT_TRUE(d.questions.empty()) << "a free name asks nothing";
    const QByteArray oldAmp = fingerprint(amp);
    const QByteArray oldRef = fingerprint(ref);

    // The same name again: No, and the name is asked again with the chosen
    // one proposed; cancelled there, nothing starts and nothing changes.
    d.saveAnswers = {chosen};
    d.questionAnswers = {false};
    t.session->toggleRecording();
    ASSERT_EQ(d.questions.size(), 1u);
    const RecorderMessage& question = d.questions[0];
    EXPECT_FALSE(question.defaultYes) << "Return must not replace a recording";
    EXPECT_NE(question.text.find(QDir::toNativeSeparators(amp).toStdString()), std::string::npos)
        << question.text;
    EXPECT_NE(question.text.find(QDir::toNativeSeparators(ref).toStdString()), std::string::npos)
        << question.text;
    EXPECT_NE(question.text.find("Replace it?"), std::string::npos) << question.text;
    ASSERT_EQ(d.saveAsked.size(), 3u);
    EXPECT_EQ(d.saveAsked.back().proposedName, chosen);
    EXPECT_EQ(t.session->window(), nullptr);
    EXPECT_FALSE(t.r.link.recordingActive);
    EXPECT_EQ(fingerprint(amp), oldAmp);
    EXPECT_EQ(fingerprint(ref), oldRef);

    // Only the position file left of an old recording is asked about as well.
    ASSERT_TRUE(QFile::remove(ref));
    d.saveAnswers = {chosen};
    d.questionAnswers = {true};
    record(15);
    ASSERT_EQ(d.questions.size(), 2u);
    EXPECT_NE(d.questions[1].text.find(QDir::toNativeSeparators(amp).toStdString()),
              std::string::npos);
    EXPECT_EQ(d.questions[1].text.find(QDir::toNativeSeparators(ref).toStdString()),
              std::string::npos);
    t.session->window()->close();
    EXPECT_NE(fingerprint(amp), oldAmp) << "Yes replaces the recording";
}

TEST_F(AskingOverTheBox, ClearAsksWhileTheSamplesAreNotOnDisk) {
    SessionRig& t = *rig;
    ScriptedDialogs& d = *t.dialogs;
    d.saveAnswers = {t.path(QStringLiteral("kept.txt"))};
    record(10);
    t.session->toggleRecording(); // stop
    const std::size_t recorded = t.recorder.samples().size();
    QPushButton* clear = control<QPushButton>(t.session->window(), CErgebnisDlg::kClear);

    d.questionAnswers = {false};
    clear->click();
    ASSERT_EQ(d.questions.size(), 1u);
    EXPECT_FALSE(d.questions[0].defaultYes);
    EXPECT_NE(d.questions[0].text.find(std::to_string(recorded)), std::string::npos)
        << d.questions[0].text;
    EXPECT_EQ(t.recorder.samples().size(), recorded) << "No keeps the recording";
    EXPECT_TRUE(t.session->window()->showsResults());

    d.questionAnswers = {true};
    clear->click();
    EXPECT_EQ(d.questions.size(), 2u);
    EXPECT_TRUE(t.recorder.samples().empty());
    // Nothing left to lose: the next Clear asks nothing.
    clear->click();
    EXPECT_EQ(d.questions.size(), 2u);
    t.session->window()->close();

    // A recording opened from its files is on disk already.
    const QString file = t.path(QStringLiteral("saved_amp.txt"));
    ASSERT_TRUE(
        writeTextFileAtomically(file, recordFileTexts(syntheticRecording({300, 1.0})).amp).ok);
    d.openAnswers = {file};
    t.session->openRecordingFile();
    ASSERT_NE(t.session->window(), nullptr);
    control<QPushButton>(t.session->window(), CErgebnisDlg::kClear)->click();
    EXPECT_EQ(d.questions.size(), 2u);
    EXPECT_TRUE(t.recorder.samples().empty());
}

TEST_F(AskingOverTheBox, CancelInTheRemarksMakesNoReportAndKeepsWhatWasTyped) {
    SessionRig& t = *rig;
    ScriptedDialogs& d = *t.dialogs;
    d.saveAnswers = {t.path(QStringLiteral("reported.txt"))};
    record(10);
    t.session->toggleRecording(); // stop
    d.printTo = t.path(QStringLiteral("printed.pdf"));
    const QString pdf = t.path(QStringLiteral("saved.pdf"));

    d.cancelRemarks = true;
    d.bearing = QStringLiteral("XR-7 axis");
    d.remark = QStringLiteral("run after service");
    const std::size_t namesAsked = d.saveAsked.size();
    control<QPushButton>(t.session->window(), CErgebnisDlg::kPrint)->click();
    d.saveAnswers = {pdf};
    control<QPushButton>(t.session->window(), CErgebnisDlg::kSavePdf)->click();
    EXPECT_EQ(d.remarksAsked, 2);
    EXPECT_EQ(d.printersAsked, 0) << "Cancel cancels the print";
    EXPECT_EQ(d.saveAsked.size(), namesAsked) << "Cancel cancels Save as PDF";
    EXPECT_FALSE(QFileInfo::exists(d.printTo));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // The next try opens with what was typed.
    d.cancelRemarks = false;
    d.bearing = QStringLiteral("XR-8");
    control<QPushButton>(t.session->window(), CErgebnisDlg::kPrint)->click();
    ASSERT_EQ(d.remarksShown.size(), 3u);
    EXPECT_EQ(d.remarksShown[0].bearing, QStringLiteral("KAVO "));
    EXPECT_EQ(d.remarksShown[2].bearing, QStringLiteral("XR-7 axis"));
    EXPECT_EQ(d.remarksShown[2].lines[0], QStringLiteral("run after service"));
    EXPECT_EQ(d.printersAsked, 1);
    EXPECT_TRUE(QFileInfo(d.printTo).size() > 0);
    EXPECT_EQ(t.session->window()->reportInfo().remarks.bearing, QStringLiteral("XR-8"));
}

// Files the session cannot open, and what it says of them.
TEST(SessionFiles, AFileOfTooManySamplesSaysSoAndValuesNoBoxSendsAreRefused) {
    SessionRig t(15);
    ScriptedDialogs& d = *t.dialogs;
    // n position samples, as the "_amp.txt" of a recording holds them.
    const auto positions = [](std::size_t n) {
        std::vector<RecordSample> out;
        for (const RecordSample& s : syntheticRecording({100, 1.0}))
            if (!s.isReference && out.size() < n)
                out.push_back(s);
        return out;
    };
    const QString tooLong = t.path(QStringLiteral("long_amp.txt"));
    ASSERT_TRUE(writeTextFileAtomically(tooLong, recordFileTexts(positions(16)).amp).ok);
    std::vector<RecordSample> wild = positions(10);
    wild[3].refC = 3e9;
    const QString beyond = t.path(QStringLiteral("wild_amp.txt"));
    ASSERT_TRUE(writeTextFileAtomically(beyond, recordFileTexts(wild).amp).ok);
    const QString fits = t.path(QStringLiteral("fits_amp.txt"));
    ASSERT_TRUE(writeTextFileAtomically(fits, recordFileTexts(positions(15)).amp).ok);

    const struct {
        QString path;
        const char* message; // empty: opened
    } cases[] = {
        {tooLong, "This file holds more than the 15 samples that a recording can have."},
        {beyond, "Invalid file format !"},
        {fits, ""},
    };
    for (const auto& c : cases) {
        d.messages.clear();
        d.openAnswers = {c.path};
        t.session->openRecordingFile();
        if (*c.message == '\0') {
            EXPECT_TRUE(d.messages.empty()) << c.path.toStdString();
            EXPECT_EQ(t.recorder.samples().size(), 15u);
            continue;
        }
        ASSERT_EQ(d.messages.size(), 1u) << c.path.toStdString();
        EXPECT_EQ(d.messages[0].text.rfind(c.message, 0), 0u) << d.messages[0].text;
        EXPECT_EQ(t.session->window(), nullptr);
    }
}

} // namespace
