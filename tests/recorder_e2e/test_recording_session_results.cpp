// The results of a recording over the simulated box: stopped with the
// evaluation window's Stop button, reported, saved, opened again and reported
// once more. The window's figures and the report's text are the same before
// and after, and the report proposes its name beside the recording.

#include "SessionRig.h"

#include "recorder/MeasurementResults.h"
#include "recorder/RecordFileNames.h"
#include "recorder/widgets/ResultsBlock.h"
#include "recorder_widgets/PdfText.h"
#include "support/Controls.h"

#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace sessiontest;

namespace {

#if defined(__SANITIZE_THREAD__)
constexpr bool kCanRunPrograms = false; // ThreadSanitizer does not follow a fork of threads
#else
constexpr bool kCanRunPrograms = true;
#endif

void expectSameHead(const HeadResult& a, const HeadResult& b, const char* head) {
    EXPECT_EQ(a.minimum, b.minimum) << head;
    EXPECT_EQ(a.maximum, b.maximum) << head;
    EXPECT_EQ(a.mean, b.mean) << head;
    EXPECT_EQ(a.angleOfMinimum, b.angleOfMinimum) << head;
    EXPECT_EQ(a.angleOfMaximum, b.angleOfMaximum) << head;
    EXPECT_EQ(a.pass, b.pass) << head;
}

// The report's text without the moment it was made.
QString withoutDate(QString text) {
    text.replace(QRegularExpression(QStringLiteral("\\d{4}-\\d\\d-\\d\\d +\\d\\d:\\d\\d")),
                 QStringLiteral("<date>"));
    return text;
}

TEST(RecordingResults, StoppedInTheWindowReopenedAndReportedTheSame) {
    SessionRig t;
    t.box.setSpeedRpm(0.0);
    t.startLink();
    ASSERT_TRUE(t.waitForBox()) << "the box did not settle";
    ScriptedDialogs& d = *t.dialogs;
    d.remark = QStringLiteral("commissioning axis 4");
    const QString base = t.path(QStringLiteral("axis4"));

    d.saveAnswers.push_back(base + QStringLiteral(".txt"));
    t.session->toggleRecording();
    ASSERT_NE(t.session->window(), nullptr);
    QPushButton* stop = control<QPushButton>(t.session->window(), CErgebnisDlg::kStop);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(stop->isEnabled());

    t.box.setSpeedRpm(20.0);
    ASSERT_TRUE(t.waitFor([&] { return t.referenceSamples() >= 3; }));
    t.box.setSpeedRpm(0.0);

    // Stop in the window: what the record button does.
    stop->click();
    EXPECT_FALSE(t.r.link.recordingActive);
    EXPECT_FALSE(t.buttonPressed);
    EXPECT_EQ(t.activeChanges, (std::vector<bool>{true, false}));
    ASSERT_NE(t.session->window(), nullptr);
    EXPECT_TRUE(t.session->window()->showsResults());
    EXPECT_FALSE(stop->isEnabled());
    // Pressed again it starts nothing.
    stop->click();
    EXPECT_EQ(d.saveAsked.size(), 1u);
    EXPECT_FALSE(t.r.link.recordingActive);

    const MeasurementResults live = computeMeasurementResults(t.recorder.samples());
    ASSERT_TRUE(live.valid);
    ASSERT_GE(live.referenceMarks, 3);

    // Save as PDF proposes the recording's name beside it.
    const QString livePdf = t.path(QStringLiteral("live.pdf"));
    d.saveAnswers.push_back(livePdf);
    control<QPushButton>(t.session->window(), CErgebnisDlg::kSavePdf)->click();
    ASSERT_EQ(d.saveAsked.size(), 2u);
    EXPECT_EQ(QDir::fromNativeSeparators(d.saveAsked.back().proposedName),
              base + QStringLiteral("_report.pdf"));
    ASSERT_TRUE(QFileInfo::exists(livePdf));

    // Saved and opened again.
    t.session->window()->close();
    ASSERT_EQ(t.session->window(), nullptr);
    ASSERT_TRUE(QFileInfo::exists(ampFilePathOf(base)));
    d.openAnswers.push_back(ampFilePathOf(base));
    t.session->openRecordingFile();
    ASSERT_NE(t.session->window(), nullptr);
    const MeasurementResults reopened = computeMeasurementResults(t.recorder.samples());
    EXPECT_EQ(reopened.samples, live.samples);
    EXPECT_EQ(reopened.referenceMarks, live.referenceMarks);
    expectSameHead(reopened.ye, live.ye, "YE");
    expectSameHead(reopened.wh, live.wh, "WH");
    EXPECT_EQ(reopened.marks.angleSpread, live.marks.angleSpread);
    EXPECT_EQ(reopened.marks.meanAngle, live.marks.meanAngle);
    EXPECT_EQ(reopened.marks.plusMinimum, live.marks.plusMinimum);
    EXPECT_EQ(reopened.marks.plusMaximum, live.marks.plusMaximum);
    EXPECT_EQ(reopened.marks.minusMinimum, live.marks.minusMinimum);
    EXPECT_EQ(reopened.marks.minusMaximum, live.marks.minusMaximum);
    EXPECT_EQ(resultLines(reopened, 0), resultLines(live, 0));

    const QString reopenedPdf = t.path(QStringLiteral("reopened.pdf"));
    d.saveAnswers.push_back(reopenedPdf);
    control<QPushButton>(t.session->window(), CErgebnisDlg::kSavePdf)->click();
    ASSERT_TRUE(QFileInfo::exists(reopenedPdf));
    EXPECT_TRUE(d.messages.empty());

    if (!kCanRunPrograms || !pdftext::available()) {
        GTEST_SKIP() << "the reports' text: pdftotext cannot run here";
    }
    const QString before = pdftext::simplified(pdftext::layoutText(livePdf));
    const QString after = pdftext::simplified(pdftext::layoutText(reopenedPdf));
    ASSERT_FALSE(before.isEmpty());
    for (const QString& line : resultLines(live, 0)) {
        EXPECT_TRUE(before.contains(pdftext::simplified(line))) << line.toStdString() << "\n"
                                                                << before.toStdString();
    }
    EXPECT_TRUE(before.contains(QStringLiteral("commissioning axis 4")));
    EXPECT_EQ(withoutDate(after), withoutDate(before));
    for (const QString& pdf : {livePdf, reopenedPdf}) {
        const QStringList overlapping = pdftext::overlaps(pdftext::words(pdf));
        EXPECT_TRUE(overlapping.isEmpty()) << overlapping.join(QStringLiteral("\n")).toStdString();
    }
    t.session->closeWindow();
}

} // namespace
