#pragma once
// The one-page measurement report: frame, logo, title, an information block
// and the two plots of the recording, painted by one function on a printer, a
// PDF file or an image.

#include "recorder/MeasurementResults.h"

#include <QDateTime>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

class QPainter;
class QPrinter;
struct RecordSample;

// What the remarks dialog asks for before each print.
struct ReportRemarks {
    static constexpr int kBearingLength = 12;
    static constexpr int kRemarkLength = 40;
    static QString presetBearing() { return QStringLiteral("KAVO "); }

    QString bearing = presetBearing();
    std::array<QString, 3> lines;
};

struct ReportInfo {
    ReportRemarks remarks;
    QDateTime date;   // when the report is made
    QString fileName; // the recording's file (base name and folder)
    // As the box reported them; empty when it did not.
    QString boxType;
    QString firmwareVersion;
    QString serialNumber;
    int lineCount = 0; // lines per turn of the bearing; 0: not stated
    // The results block of the evaluation window; computed from the samples
    // when the report is painted if not given.
    bool hasResults = false;
    MeasurementResults results;
};

// The program's version as the report states it.
QString programVersion();

// Where "Save as PDF" proposes to write the report of the recording whose
// files are `<baseName>_amp.txt` and `_ref.txt`: `<baseName>_report.pdf`,
// beside them; the document name when the recording has no file yet.
QString proposedReportPath(const QString& baseName);

// Paints the report on a page of `page` device units that stands for an A4
// sheet (210 x 297 mm). `refScale` is the reference plot's half range, as on
// screen. Texts in the current language.
void paintReport(QPainter& painter, const QRect& page, const ReportInfo& info,
                 const std::vector<RecordSample>& samples, int& refScale);

// The document name: the evaluation row "Measurement report".
QString reportDocumentName();

enum class ReportOutcome {
    Printed,
    PrinterInfoMissing, // the printer gave no page size: nothing was printed
    NotStarted,         // the printer could not start the document
};

// Prints the report on `printer`: portrait A4, one copy, one page.
ReportOutcome printReport(QPrinter& printer, const ReportInfo& info,
                          const std::vector<RecordSample>& samples, int& refScale);

// The report as a PDF file at `path`, through printReport on a PDF printer
// with no margins, so that a millimetre of the page is one of the sheet.
ReportOutcome writeReportPdf(const QString& path, const ReportInfo& info,
                             const std::vector<RecordSample>& samples, int& refScale);
