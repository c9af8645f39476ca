// Gallery shots of the data recorder's windows: the evaluation window with a
// recording of a turning shaft (with and without the measurement results), the
// remarks dialog and the measurement report as printed to PDF.

#include "Gallery.h"

#include "config/ConfigData.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/CProtokollText.h"
#include "recorder/widgets/MeasurementReport.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>

namespace {

// A shaft turned by hand through four revolutions: the washer runs a little
// eccentric, so the yellow head's amplitude swings more than the white one's;
// one reference mark per revolution.
std::vector<RecordSample> turningShaft(double eccentricity, double referenceOffset) {
    std::vector<RecordSample> samples;
    const double pi = std::acos(-1.0);
    std::uint32_t noise = 12345;
    auto jitter = [&noise] {
        noise = noise * 1103515245u + 12345u;
        return static_cast<double>((noise >> 16) % 1000) / 1000.0 - 0.5;
    };
    const int perRevolution = 1500;
    for (int revolution = 0; revolution < 4; ++revolution) {
        for (int i = 0; i < perRevolution; ++i) {
            RecordSample s;
            s.position = 360.0 * i / perRevolution;
            const double a = s.position * pi / 180.0;
            s.amplitudeWH = 61.0 + 6.0 * std::sin(a + 0.4) + 1.2 * jitter();
            s.amplitudeYE = 74.0 + eccentricity * std::sin(a + 2.1) + 1.2 * jitter();
            s.time = 0.05 * static_cast<double>(samples.size());
            samples.push_back(s);
            if (i == perRevolution * 137 / 360) {
                RecordSample r = s;
                r.isReference = true;
                r.refC = 182.0 + referenceOffset + 9.0 * revolution;
                r.refD = 118.0 - 7.0 * revolution;
                r.refE = -171.0 - referenceOffset + 5.0 * revolution;
                r.refF = -104.0 - 6.0 * revolution;
                samples.push_back(r);
            }
        }
    }
    return samples;
}

const std::vector<RecordSample>& shaftRecording() {
    static const std::vector<RecordSample> samples = turningShaft(11.0, 0.0);
    return samples;
}

// The same axis before its shims were changed: the yellow head ran further
// from the washer.
const std::vector<RecordSample>& earlierRecording() {
    static const std::vector<RecordSample> samples = turningShaft(16.0, 35.0);
    return samples;
}

MeasurementResults shaftResults() {
    MeasurementResults results;
    results.valid = true;
    results.samples = 6000;
    results.referenceMarks = 4;
    results.ye = {62.4, 85.7, 74.0, 300.5, 120.1, true};
    results.wh = {54.3, 67.8, 61.0, 246.9, 66.2, true};
    return results;
}

CErgebnisDlg* evaluationWindow() {
    auto* window = new CErgebnisDlg(nullptr, shaftRecording());
    window->resize(1280, 800);
    window->setWindowTitle(QString::fromUtf8("Data recorder: #%1 / Pos 359.7600°")
                               .arg(static_cast<int>(shaftRecording().size()), 4));
    return window;
}

ReportInfo reportInfo() {
    ReportInfo info;
    info.date = QDateTime(QDate(2026, 3, 14), QTime(9, 26));
    info.fileName = QStringLiteral("C:\\Recordings\\axis4_run1");
    info.boxType = QStringLiteral("ORVA-2T");
    info.firmwareVersion = QStringLiteral("2.10");
    info.serialNumber = QStringLiteral("SN 004711");
    info.remarks.bearing = QStringLiteral("KAVO 300");
    info.remarks.lines[0] = QStringLiteral("Axis 4 after the bearing change");
    info.remarks.lines[1] = QStringLiteral("Shims: YE 0.2 mm, WH 0.1 mm");
    return info;
}

// The page as the PDF file has it (pdftoppm); drawn directly when poppler is
// not installed.
QImage reportPage() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    int refScale = 0;
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (dir.isValid() && !pdftoppm.isEmpty() &&
        writeReportPdf(pdf, reportInfo(), shaftRecording(), refScale) == ReportOutcome::Printed) {
        const QString stem = dir.filePath(QStringLiteral("page"));
        QProcess::execute(pdftoppm,
                          {QStringLiteral("-r"), QStringLiteral("90"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), pdf, stem});
        QImage page(stem + QStringLiteral(".png"));
        if (!page.isNull()) {
            return page;
        }
    }
    QImage page(744, 1052, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paintReport(painter, page.rect(), reportInfo(), shaftRecording(), refScale);
    return page;
}

ReportRemarks galleryRemarks;

} // namespace

ORVATIX_GALLERY_SHOT(app_evaluation_window) {
    return evaluationWindow();
}

ORVATIX_GALLERY_SHOT(app_evaluation_results) {
    CErgebnisDlg* window = evaluationWindow();
    window->setResults(shaftResults());
    return window;
}

ORVATIX_GALLERY_SHOT(app_evaluation_comparison) {
    CErgebnisDlg* window = evaluationWindow();
    window->setComparison(&earlierRecording());
    return window;
}

ORVATIX_GALLERY_SHOT(app_evaluation_empty) {
    static const std::vector<RecordSample> none;
    auto* window = new CErgebnisDlg(nullptr, none);
    window->resize(1024, 700);
    return window;
}

ORVATIX_GALLERY_SHOT(app_report_remarks) {
    galleryRemarks = ReportRemarks{};
    return new CProtokollText(nullptr, galleryRemarks);
}

ORVATIX_GALLERY_SHOT(app_report_page) {
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(reportPage()));
    label->setWindowTitle(QStringLiteral("ORVATIX report (PDF)"));
    label->setFixedSize(label->pixmap().size());
    return label;
}

ORVATIX_GALLERY_SHOT(app_report_remarks_typed) {
    // A try that was cancelled before: its texts, the bearing at its limit.
    galleryRemarks = ReportRemarks{};
    galleryRemarks.bearing = QStringLiteral("KAVOS 460 XL");
    galleryRemarks.lines[0] = QStringLiteral("Axis 4 after the bearing change");
    return new CProtokollText(nullptr, galleryRemarks);
}
