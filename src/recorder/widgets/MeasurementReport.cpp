#include "recorder/widgets/MeasurementReport.h"

#include "config/EvaluationRows.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/PlotStyle.h"
#include "recorder/widgets/ReferencePlot.h"
#include "recorder/widgets/ReportLogo.h"
#include "ui/UiText.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// Millimetres on the page to device units.
class PageScale {
public:
    explicit PageScale(const QRect& page)
        : origin_(page.topLeft()), sx_(page.width() / 210.0), sy_(page.height() / 297.0) {}
    double sx() const { return sx_; }
    double sy() const { return sy_; }
    int x(double mm) const { return origin_.x() + static_cast<int>(mm * sx_); }
    int y(double mm) const { return origin_.y() + static_cast<int>(mm * sy_); }
    QPoint at(double xMm, double yMm) const { return QPoint(x(xMm), y(yMm)); }
    QRect rect(double leftMm, double topMm, double rightMm, double bottomMm) const {
        return QRect(at(leftMm, topMm), QPoint(x(rightMm) - 1, y(bottomMm) - 1));
    }

private:
    QPoint origin_;
    double sx_;
    double sy_;
};

QString evaluationText(int row) {
    return uiText(TextTable::Evaluation, row);
}

// The information block between the title line (30 mm) and the plots: labels
// in the text font at 25 mm, values at 55 mm; what the box reported in a second
// column from 125 mm; the remarks in the fixed font, as typed.
void paintInformation(QPainter& painter, const PageScale& mm, const ReportInfo& info) {
    const QFont textFont = plotFont(4.0 * mm.sy(), 2.0 * mm.sx(), 400);
    const QFont smallFont = plotFont(2.0 * mm.sy(), 1.0 * mm.sx(), 300);
    const QFont fixedFont = plotFont(4.0 * mm.sy(), 2.0 * mm.sx(), 400, true);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    auto line = [&](const QFont& font, double x0, double x1, double top, double height,
                    const QString& s) {
        painter.setFont(font);
        painter.drawText(mm.rect(x0, top, x1, top + height), flags, s);
    };
    namespace rows = evaluationrow;
    line(textFont, 25, 55, 32, 5, evaluationText(rows::kDate));
    line(textFont, 55, 122, 32, 5, info.date.toString(QStringLiteral("yyyy-MM-dd  hh:mm")));
    line(textFont, 25, 55, 37, 5, evaluationText(rows::kBearing));
    line(fixedFont, 55, 122, 37, 5, info.remarks.bearing);
    line(textFont, 25, 55, 42, 5, evaluationText(rows::kFile));
    // The small font only for a path too long for the text font.
    const bool fits =
        QFontMetrics(textFont).horizontalAdvance(info.fileName) < mm.x(198) - mm.x(55);
    line(fits ? textFont : smallFont, 55, 198, 42, 5, info.fileName);
    line(textFont, 25, 55, 48, 5, evaluationText(rows::kRemarks));
    for (size_t i = 0; i < info.remarks.lines.size(); ++i) {
        line(fixedFont, 55, 198, 48 + 4.5 * static_cast<double>(i), 4.5, info.remarks.lines[i]);
    }
    const QString reported[3][2] = {
        {evaluationText(rows::kBoxType), info.boxType},
        {evaluationText(rows::kFirmware), info.firmwareVersion},
        {evaluationText(rows::kSerialNumber), info.serialNumber},
    };
    for (int i = 0; i < 3; ++i) {
        const double top = 32 + 5.0 * i;
        line(textFont, 125, 160, top, 5, reported[i][0]);
        line(textFont, 160, 198, top, 5, reported[i][1]);
    }
}

} // namespace

QString reportDocumentName() {
    return evaluationText(evaluationrow::kMeasurementReport);
}

void paintReport(QPainter& painter, const QRect& page, const ReportInfo& info,
                 const std::vector<RecordSample>& samples, int& refScale) {
    const PageScale mm(page);
    painter.save();
    PlotTarget target;
    target.area = page;
    target.printer = true;
    target.sx = mm.sx();
    target.sy = mm.sy();
    drawRecordingPlots(painter, target, samples, refScale);

    const QPen pen = plotPen(qRgb(0, 0, 0), std::max(1.0, 0.375 * mm.sx()));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPoint frame[] = {mm.at(20, 10), mm.at(200, 10), mm.at(200, 290), mm.at(20, 290),
                            mm.at(20, 10)};
    painter.drawPolyline(frame, 5);
    drawReportLogo(painter, QRectF(mm.x(21), mm.y(11), 18.76 * mm.sx(), 18.0 * mm.sy()));

    painter.setPen(pen);
    painter.drawLine(mm.at(20, 30), mm.at(200, 30));
    painter.setFont(plotFont(6.0 * mm.sy(), 3.0 * mm.sx(), 700));
    painter.setPen(Qt::black);
    painter.drawText(mm.rect(20, 10, 200, 30), Qt::AlignCenter | Qt::TextSingleLine,
                     QStringLiteral("ORVATIX ") + reportDocumentName());
    paintInformation(painter, mm, info);
    painter.restore();
}

ReportOutcome printReport(QPrinter& printer, const ReportInfo& info,
                          const std::vector<RecordSample>& samples, int& refScale) {
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(1);
    printer.setDocName(reportDocumentName());
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    if (page.width() < 1 || page.height() < 1) {
        return ReportOutcome::PrinterInfoMissing;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return ReportOutcome::NotStarted;
    }
    paintReport(painter, page, info, samples, refScale);
    painter.end();
    return ReportOutcome::Printed;
}

ReportOutcome writeReportPdf(const QString& path, const ReportInfo& info,
                             const std::vector<RecordSample>& samples, int& refScale) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return printReport(printer, info, samples, refScale);
}
