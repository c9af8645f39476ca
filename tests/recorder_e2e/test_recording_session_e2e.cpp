// A recording from the record button to the report, over the simulated box:
// the shaft turns a few times, the files agree with what the box sent, they
// open again to file precision, and the report names the box.

#include "SessionRig.h"

#include "recorder/MeasurementResults.h"
#include "recorder/RecordFileNames.h"
#include "recorder/RecordFileReader.h"
#include "support/Controls.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using namespace sessiontest;

namespace {

#if defined(__SANITIZE_THREAD__)
constexpr bool kCanRunPrograms = false; // ThreadSanitizer does not follow a fork of threads
#else
constexpr bool kCanRunPrograms = true;
#endif

// The text of a PDF file as pdftotext reads it; without pdftotext (or where
// no program may be started) the file's first bytes, so that a file that is
// no PDF still fails.
QString pdfText(const QString& pdf) {
    if (!kCanRunPrograms || QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.read(5)) : QString();
    }
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Degrees the shaft moved from `from` to `to`, the short way round.
double stepDegrees(double from, double to) {
    double d = std::fmod(to - from + 540.0, 360.0) - 180.0;
    return d;
}

std::vector<RecordSample> ofKind(const std::vector<RecordSample>& samples, bool reference) {
    std::vector<RecordSample> out;
    for (const RecordSample& s : samples)
        if (s.isReference == reference)
            out.push_back(s);
    return out;
}

// The value as the file keeps it: one decimal.
void expectOneDecimal(double file, double sent, const char* what, std::size_t i) {
    EXPECT_NEAR(file, sent, 0.05 + 1e-9) << what << " of sample " << i;
}

class RecordingOverTheBox : public ::testing::Test {
protected:
    void SetUp() override {
        rig = std::make_unique<SessionRig>();
        rig->box.setSpeedRpm(0.0);
        rig->startLink();
        ASSERT_TRUE(rig->waitForBox()) << "the box did not settle";
    }
    void TearDown() override { rig.reset(); }

    std::unique_ptr<SessionRig> rig;
};

TEST_F(RecordingOverTheBox, ATurningShaftIsRecordedSavedOpenedAgainAndReported) {
    SessionRig& t = *rig;
    ScriptedDialogs& d = *t.dialogs;
    const QString chosen = t.path(QStringLiteral("axis4.txt"));

    // Start: the save dialog as the recorder asks for it.
    d.saveAnswers.push_back(chosen);
    t.session->toggleRecording();
    ASSERT_EQ(d.saveAsked.size(), 1u);
    EXPECT_EQ(d.saveAsked[0].title, QStringLiteral("ORVATIX data recorder: Ref + Amp"));
    EXPECT_TRUE(d.saveAsked[0].proposedName.endsWith(QStringLiteral("[Filename]")));
    EXPECT_TRUE(d.saveAsked[0].filter.contains(QStringLiteral("*.txt")));
    ASSERT_NE(t.session->window(), nullptr);
    EXPECT_TRUE(t.session->window()->isVisible());
    EXPECT_TRUE(t.session->window()->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(t.r.link.recordingActive);
    EXPECT_TRUE(t.buttonPressed);
    EXPECT_EQ(t.noiseStops, 1);
    // Nothing on disk before the window closes.
    EXPECT_FALSE(QFileInfo::exists(ampFilePathOf(t.path(QStringLiteral("axis4")))));

    // The shaft turns until three reference marks are in.
    t.box.setSpeedRpm(20.0);
    ASSERT_TRUE(t.waitFor([&] { return t.referenceSamples() >= 3; }))
        << t.recorder.samples().size() << " samples, " << t.referenceSamples() << " marks, "
        << t.positions << " positions, noData " << t.r.link.noData << ", lines "
        << t.box.stats().positionLines;
    t.box.setSpeedRpm(0.0);
    const QString title = t.session->window()->windowTitle();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Data recorder: #"))) << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral(" / Pos ")) && title.endsWith(QChar(0x00B0)));

    // Stop with the button: the window stays with its samples and results.
    t.session->toggleRecording();
    EXPECT_FALSE(t.r.link.recordingActive);
    EXPECT_FALSE(t.buttonPressed);
    ASSERT_NE(t.session->window(), nullptr);
    EXPECT_TRUE(t.session->window()->showsResults());
    EXPECT_EQ(t.activeChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(t.messagesInsideEvents, 0);
    const std::vector<RecordSample> recorded = t.recorder.samples();
    ASSERT_EQ(recorded.size(), t.sent.size());
    const std::size_t afterStop = recorded.size();
    runEvents(std::chrono::milliseconds(50)); // events still arriving are not recorded
    EXPECT_EQ(t.recorder.samples().size(), afterStop);

    // Every sample is what the box sent with its event.
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        const RecordSample& s = recorded[i];
        const RecordEvent& e = t.sent[i].event;
        EXPECT_EQ(s.isReference, t.sent[i].reference);
        EXPECT_EQ(s.amplitudeWH, e.amplitudeWH);
        EXPECT_EQ(s.amplitudeYE, e.amplitudeYE);
        EXPECT_EQ(s.refC, e.refValues[4]);
        EXPECT_EQ(s.refDistance, e.refDistance);
        const double degrees = std::fmod(e.counts * 360.0 / (1728 * 5000.0) + 360.0, 360.0);
        EXPECT_NEAR(stepDegrees(degrees, s.position), 0.0, 1e-3) << i;
    }

    // Print: the remarks, the print dialog, a PDF printer.
    d.printTo = t.path(QStringLiteral("printed.pdf"));
    control<QPushButton>(t.session->window(), CErgebnisDlg::kPrint)->click();
    EXPECT_EQ(d.remarksAsked, 1);
    EXPECT_EQ(d.printersAsked, 1);
    const BoxIdentityTexts box = t.identity();
    ASSERT_FALSE(box.boxType.isEmpty());
    ASSERT_FALSE(box.firmwareVersion.isEmpty());
    const QString printed = pdfText(d.printTo);
    ASSERT_FALSE(printed.isEmpty());
    if (printed == QStringLiteral("%PDF-")) {
        std::cout << "[ SKIPPED  ] the report's text: pdftotext cannot run here\n";
    } else {
        for (const QString& expected :
             {QStringLiteral("ORVATIX Measurement report"), QStringLiteral("KAVO 300"), box.boxType,
              box.firmwareVersion, QStringLiteral("ORVA-2041-0042"), QStringLiteral("0815"),
              QStringLiteral("axis4"), QStringLiteral("Amplitude"),
              QStringLiteral("Reference marks")})
            EXPECT_TRUE(printed.contains(expected)) << expected.toStdString() << "\n"
                                                    << printed.toStdString();
    }

    // Save as PDF: the remarks again, then a file name.
    const QString pdf = t.path(QStringLiteral("report.pdf"));
    d.saveAnswers.push_back(pdf);
    control<QPushButton>(t.session->window(), CErgebnisDlg::kSavePdf)->click();
    EXPECT_EQ(d.remarksAsked, 2);
    EXPECT_TRUE(d.saveAsked.back().filter.contains(QStringLiteral("*.pdf")));
    const QString saved = pdfText(pdf);
    EXPECT_TRUE(saved == QStringLiteral("%PDF-") ||
                saved.contains(QStringLiteral("ORVATIX Measurement report")));
    EXPECT_TRUE(d.messages.empty());

    // Closing the window writes both files, the owner's title meanwhile "Wait".
    const QString ownerTitle = t.owner.windowTitle();
    t.session->window()->close();
    EXPECT_EQ(t.session->window(), nullptr);
    EXPECT_EQ(t.owner.windowTitle(), ownerTitle);
    EXPECT_EQ(t.recorder.state(), DataRecorder::State::Idle);
    EXPECT_TRUE(d.questions.empty());
    const QString base = t.path(QStringLiteral("axis4"));
    ASSERT_TRUE(QFileInfo::exists(ampFilePathOf(base)));
    ASSERT_TRUE(QFileInfo::exists(refFilePathOf(base)));
    ASSERT_FALSE(t.recent->entries().isEmpty());
    EXPECT_EQ(t.recent->entries().first(), ampFilePathOf(base));

    // The files agree with what the box sent.
    std::vector<RecordSample> amp, ref;
    ASSERT_TRUE(readRecordFile(ampFilePathOf(base), false, amp, kMaxRecordSamples));
    ASSERT_TRUE(readRecordFile(refFilePathOf(base), true, ref, kMaxRecordSamples));
    const std::vector<RecordSample> sentPositions = ofKind(recorded, false);
    const std::vector<RecordSample> sentMarks = ofKind(recorded, true);
    ASSERT_EQ(amp.size(), sentPositions.size());
    ASSERT_EQ(ref.size(), sentMarks.size());
    ASSERT_GE(ref.size(), 3u);
    for (std::size_t i = 0; i < amp.size(); ++i) {
        expectOneDecimal(amp[i].amplitudeWH, sentPositions[i].amplitudeWH, "white amplitude", i);
        expectOneDecimal(amp[i].amplitudeYE, sentPositions[i].amplitudeYE, "yellow amplitude", i);
        for (int c = 0; c < 5; ++c) {
            expectOneDecimal(amp[i].channelValues[c], sentPositions[i].channelValues[c], "channel",
                             i);
            expectOneDecimal(amp[i].dacOffsets[c], sentPositions[i].dacOffsets[c], "offset", i);
        }
        // The shaft turns forwards: each position a little further on.
        if (i > 0) {
            const double step = stepDegrees(amp[i - 1].position, amp[i].position);
            EXPECT_GT(step, 0.0) << "sample " << i;
            EXPECT_LT(step, 180.0) << "sample " << i;
        }
    }
    // One reference mark per turn: the shaft turned once between two marks
    // (give or take how late the box's line followed each mark).
    double turned = 0.0;
    double previous = recorded.front().position;
    std::vector<double> marksAt;
    for (const RecordSample& s : recorded) {
        turned += stepDegrees(previous, s.position);
        previous = s.position;
        if (s.isReference)
            marksAt.push_back(turned);
    }
    for (std::size_t i = 1; i < marksAt.size(); ++i)
        EXPECT_NEAR(marksAt[i] - marksAt[i - 1], 360.0, 90.0) << "between marks " << i;
    for (std::size_t i = 0; i < ref.size(); ++i) {
        expectOneDecimal(ref[i].refC, sentMarks[i].refC, "refC", i);
        expectOneDecimal(ref[i].refE, sentMarks[i].refE, "refE", i);
        EXPECT_EQ(ref[i].refDistance, sentMarks[i].refDistance);
    }

    // Opened again from the last files: the same samples to file precision.
    d.openAnswers.push_back(t.recent->entries().first());
    t.session->openRecordingFile();
    ASSERT_EQ(d.lastFilesShown.size(), 1u);
    EXPECT_TRUE(d.lastFilesShown[0].contains(ampFilePathOf(base)));
    ASSERT_NE(t.session->window(), nullptr);
    EXPECT_TRUE(t.session->window()->showsResults());
    EXPECT_TRUE(t.session->window()->windowTitle().contains(QStringLiteral("axis4")));
    for (bool reference : {false, true}) {
        const std::vector<RecordSample> before = ofKind(recorded, reference);
        const std::vector<RecordSample> after = ofKind(t.recorder.samples(), reference);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            EXPECT_NEAR(after[i].time, before[i].time, 0.05 + 1e-9) << i;
            EXPECT_NEAR(after[i].position, before[i].position, 0.00005 + 1e-9) << i;
            expectOneDecimal(after[i].amplitudeWH, before[i].amplitudeWH, "white", i);
            expectOneDecimal(after[i].amplitudeYE, before[i].amplitudeYE, "yellow", i);
            expectOneDecimal(after[i].refD, before[i].refD, "refD", i);
            expectOneDecimal(after[i].refF, before[i].refF, "refF", i);
            EXPECT_EQ(after[i].refDistance, before[i].refDistance);
        }
    }
    // A recording opened from its files is on disk: closing writes nothing.
    const QDateTime written = QFileInfo(ampFilePathOf(base)).lastModified();
    t.session->closeWindow();
    EXPECT_EQ(t.session->window(), nullptr);
    EXPECT_EQ(QFileInfo(ampFilePathOf(base)).lastModified(), written);
    EXPECT_TRUE(d.messages.empty());
}

} // namespace
