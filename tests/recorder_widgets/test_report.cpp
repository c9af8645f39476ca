// The measurement report printed to real PDF files and read back with poppler
// (pdftotext, pdfinfo): title and document name in English and German, the
// remarks dialog's OK and Cancel, an empty recording, and the page itself.

#include "support/Controls.h"
#include "support/SyntheticRecording.h"

#include "config/ConfigData.h"
#include "config/Texts.h"
#include "recorder/widgets/CProtokollText.h"
#include "recorder/widgets/MeasurementReport.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class Report : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils are not installed";
        }
        ASSERT_TRUE(dir.isValid());
        info.date = QDateTime(QDate(2026, 3, 14), QTime(9, 26));
        info.fileName = QStringLiteral("/data/axis4/run1");
        info.boxType = QStringLiteral("ORVA-2T");
        info.firmwareVersion = QStringLiteral("2.10");
        info.serialNumber = QStringLiteral("SN 004711");
    }
    void TearDown() override { configData.language = 0; }

    // Prints the report and returns its text, as pdftotext reads it.
    QString print(const std::vector<RecordSample>& samples) {
        path = dir.filePath(QStringLiteral("report%1.pdf").arg(++printed));
        int refScale = 0;
        EXPECT_EQ(writeReportPdf(path, info, samples, refScale), ReportOutcome::Printed);
        return run(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), path, QStringLiteral("-")});
    }

    QString pdfInfo() { return run(QStringLiteral("pdfinfo"), {path}); }

    QTemporaryDir dir;
    QString path;
    int printed = 0;
    ReportInfo info;
};

TEST_F(Report, EnglishReportCarriesTitleInformationAndDocumentName) {
    info.remarks.lines[0] = QStringLiteral("Axis 4 after the bearing change");
    const QString text = print(syntheticRecording({3000, 2.0, 90.0, 1.0, 2}));
    EXPECT_TRUE(text.contains(QStringLiteral("ORVATIX Measurement report"))) << text.toStdString();
    for (const char* expected :
         {"Date:", "2026-03-14", "Bearing:", "KAVO", "File:", "/data/axis4/run1",
          "Remarks:", "Axis 4 after the bearing change", "ORVA-2T", "2.10", "SN 004711",
          "Amplitude", "Reference marks", "360"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    const QString meta = pdfInfo();
    EXPECT_TRUE(
        meta.contains(QRegularExpression(QStringLiteral("Title:\\s+Measurement report\\n"))))
        << meta.toStdString();
    EXPECT_TRUE(meta.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(meta.contains(QStringLiteral("A4")));
}

TEST_F(Report, GermanReportIsAMessprotokoll) {
    configData.language = 1;
    const QString text = print({});
    EXPECT_TRUE(text.contains(QStringLiteral("ORVATIX Meßprotokoll"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Lager-Typ:")));
    EXPECT_TRUE(
        pdfInfo().contains(QRegularExpression(QStringLiteral("Title:\\s+Meßprotokoll\\n"))));
}

TEST_F(Report, EmptyRecordingPrintsFrameTitleAndEmptyGrids) {
    const QString text = print({});
    EXPECT_TRUE(text.contains(QStringLiteral("ORVATIX Measurement report")));
    EXPECT_TRUE(text.contains(QStringLiteral("120%")));
    EXPECT_TRUE(text.contains(QStringLiteral("-100")));
}

TEST_F(Report, CancelInTheRemarksDialogKeepsWhatWasTypedForTheNextTry) {
    {
        CProtokollText dialog(nullptr, info.remarks);
        QLineEdit* bearing = control<QLineEdit>(&dialog, CProtokollText::kBearingEdit);
        EXPECT_EQ(bearing->text(), QStringLiteral("KAVO "));
        bearing->selectAll();
        QTest::keyClicks(bearing, QStringLiteral("XR-200"));
        QTest::keyClicks(control<QLineEdit>(&dialog, CProtokollText::kRemark2),
                         QStringLiteral("scratched"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(info.remarks.bearing, QStringLiteral("XR-200"));
    EXPECT_EQ(info.remarks.lines[1], QStringLiteral("scratched"));

    // Opened again, it shows them; its Cancel button closes it the same way.
    CProtokollText again(nullptr, info.remarks);
    EXPECT_EQ(control<QLineEdit>(&again, CProtokollText::kBearingEdit)->text(),
              QStringLiteral("XR-200"));
    EXPECT_EQ(control<QLineEdit>(&again, CProtokollText::kRemark2)->text(),
              QStringLiteral("scratched"));
    EXPECT_EQ(control<QLabel>(&again, CProtokollText::kRemark2Count)->text(),
              QStringLiteral("9/40"));
    control<QPushButton>(&again, CProtokollText::kCancel)->click();
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(info.remarks.bearing, QStringLiteral("XR-200"));
}

TEST(ReportFile, AFolderThatDoesNotExistStartsNoDocument) {
    configData.language = 0;
    int refScale = 0;
    EXPECT_EQ(writeReportPdf(QStringLiteral("/nonexistent-orvatix-folder/report.pdf"), ReportInfo{},
                             {}, refScale),
              ReportOutcome::NotStarted);
}

TEST(RemarksDialog, OkCopiesWhatWasTypedWithinTheLengthsThatTheCountersShow) {
    configData.language = 0;
    ReportRemarks remarks;
    remarks.lines[2] = QStringLiteral("old");
    CProtokollText dialog(nullptr, remarks);
    QLineEdit* bearing = control<QLineEdit>(&dialog, CProtokollText::kBearingEdit);
    QLabel* bearingCount = control<QLabel>(&dialog, CProtokollText::kBearingCount);
    EXPECT_EQ(bearing->text(), QStringLiteral("KAVO "));
    EXPECT_EQ(bearingCount->text(), QStringLiteral("5/12"));
    EXPECT_EQ(bearing->maxLength(), 12);
    bearing->selectAll();
    QTest::keyClicks(bearing, QStringLiteral("KAVO 300 XL-long-name"));
    EXPECT_EQ(bearing->text(), QStringLiteral("KAVO 300 XL-"));
    EXPECT_EQ(bearingCount->text(), QStringLiteral("12/12"));
    const int counts[3] = {CProtokollText::kRemark1Count, CProtokollText::kRemark2Count,
                           CProtokollText::kRemark3Count};
    int i = 0;
    for (int id : {CProtokollText::kRemark1, CProtokollText::kRemark2, CProtokollText::kRemark3}) {
        QLineEdit* edit = control<QLineEdit>(&dialog, id);
        EXPECT_EQ(edit->maxLength(), 40);
        QLabel* count = control<QLabel>(&dialog, counts[i++]);
        EXPECT_EQ(count->text(),
                  edit->text().isEmpty() ? QStringLiteral("0/40") : QStringLiteral("3/40"));
        // The counter is on the dialog, beside its edit, and readable whole.
        EXPECT_TRUE(dialog.rect().contains(count->geometry())) << id;
        EXPECT_LE(count->fontMetrics().horizontalAdvance(QStringLiteral("40/40")), count->width());
    }
    EXPECT_EQ(control<QLineEdit>(&dialog, CProtokollText::kRemark3)->text(), QStringLiteral("old"))
        << "the dialog opens with the last try's texts";
    QTest::keyClicks(control<QLineEdit>(&dialog, CProtokollText::kRemark1),
                     QStringLiteral("first"));
    control<QPushButton>(&dialog, CProtokollText::kOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(remarks.bearing, QStringLiteral("KAVO 300 XL-"));
    EXPECT_EQ(remarks.lines[0], QStringLiteral("first"));
    EXPECT_EQ(remarks.lines[2], QStringLiteral("old"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter remarks (optional)"));
}

TEST(RemarksDialog, TheCancelButtonSpeaksTheCurrentLanguage) {
    const char* const expected[kLanguageCount] = {"Cancel", "Abbrechen", "Annuler", "Annulla",
                                                  "Cancelar"};
    for (int language = 0; language < kLanguageCount; ++language) {
        configData.language = language;
        ReportRemarks remarks;
        CProtokollText dialog(nullptr, remarks);
        QPushButton* cancel = control<QPushButton>(&dialog, CProtokollText::kCancel);
        EXPECT_EQ(cancel->text(), QString::fromUtf8(expected[language])) << language;
        EXPECT_LE(cancel->fontMetrics().horizontalAdvance(cancel->text()), cancel->width());
    }
    configData.language = 0;
}

TEST(ReportPage, FrameAndLogoSitWhereTheSheetHasThem) {
    configData.language = 0;
    QImage page(840, 1188, QImage::Format_RGB32); // 4 pixels per millimetre
    page.fill(Qt::white);
    ReportInfo info;
    int refScale = 0;
    {
        QPainter painter(&page);
        paintReport(painter, page.rect(), info, {}, refScale);
    }
    auto dark = [&](int xMm, int yMm) { return qGray(page.pixel(xMm * 4, yMm * 4)) < 100; };
    EXPECT_TRUE(dark(100, 10)) << "frame, top";
    EXPECT_TRUE(dark(100, 290)) << "frame, bottom";
    EXPECT_TRUE(dark(20, 150)) << "frame, left";
    EXPECT_TRUE(dark(100, 30)) << "title line";
    EXPECT_TRUE(dark(23, 13)) << "logo";
    EXPECT_FALSE(dark(100, 5)) << "outside the frame";
    EXPECT_EQ(refScale, 100);
}

} // namespace
