#include "recorder/widgets/MeasurementReport.h"

#include "config/ConfigData.h"
#include "config/EvaluationRows.h"
#include "display/TextFormat.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/PlotStyle.h"
#include "recorder/widgets/ReferencePlot.h"
#include "recorder/widgets/ReportLogo.h"
#include "recorder/widgets/ResultsBlock.h"
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

// Page layout, millimetres: the title band 10..30, the information block
// 31..61, the plots 63..226 with their axis titles, the results and the legend
// from 229, the operator's and signature lines, and the footer 283..289.
constexpr double kPlotsTopMm = 63.0;
constexpr double kPlotsBottomMm = 226.0;
constexpr double kResultsTopMm = 229.0;
constexpr double kSignatureTopMm = 266.0;
constexpr double kFooterTopMm = 283.0;

// A value in its own box: shrunk to the small font when it does not fit the
// text font, and shortened in the middle when it fits neither.
void paintValue(QPainter& painter, const QRect& box, const QFont& textFont, const QFont& smallFont,
                const QString& value) {
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    QFont font = textFont;
    if (QFontMetrics(textFont, painter.device()).horizontalAdvance(value) > box.width()) {
        font = smallFont;
    }
    painter.setFont(font);
    const QString shown =
        QFontMetrics(font, painter.device()).elidedText(value, Qt::ElideMiddle, box.width());
    painter.drawText(box, flags, shown);
}

// The information block between the title line (30 mm) and the plots: labels
// in the text font at 25 mm, values at 62 mm; what the box reported in a second
// column, labels from 122 mm and values from 152 mm; the file on a row of its
// own across the page; the remarks in the fixed font, as typed.
void paintInformation(QPainter& painter, const PageScale& mm, const ReportInfo& info) {
    const QFont textFont = plotFont(3.6 * mm.sy(), 1.8 * mm.sx(), 400);
    const QFont smallFont = plotFont(2.4 * mm.sy(), 1.2 * mm.sx(), 300);
    const QFont fixedFont = plotFont(3.6 * mm.sy(), 1.8 * mm.sx(), 400, true);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    // Labels and values keep to their boxes, whatever the language.
    auto label = [&](double x0, double x1, double top, const QString& s) {
        paintValue(painter, mm.rect(x0, top, x1 - 1, top + 4.5), textFont, smallFont, s);
    };
    namespace rows = evaluationrow;
    label(25, 62, 31, evaluationText(rows::kDate));
    label(62, 120, 31, info.date.toString(QStringLiteral("yyyy-MM-dd  hh:mm")));
    label(25, 62, 35.5, evaluationText(rows::kBearing));
    QString bearing = info.remarks.bearing.trimmed();
    if (info.lineCount > 0) {
        bearing +=
            QStringLiteral("  (%1 %2)").arg(info.lineCount).arg(evaluationText(rows::kLineCount));
    }
    painter.setFont(fixedFont);
    paintValue(painter, mm.rect(62, 35.5, 120, 40), fixedFont, smallFont, bearing);
    label(25, 62, 40, evaluationText(rows::kProgramVersion));
    label(62, 120, 40, programVersion());
    label(25, 62, 44.5, evaluationText(rows::kFile));
    paintValue(painter, mm.rect(62, 44.5, 198, 49), textFont, smallFont, info.fileName);
    label(25, 62, 49, evaluationText(rows::kRemarks));
    for (size_t i = 0; i < info.remarks.lines.size(); ++i) {
        const double top = 49 + 4.0 * static_cast<double>(i);
        painter.setFont(fixedFont);
        painter.drawText(mm.rect(62, top, 198, top + 4.0), flags, info.remarks.lines[i]);
    }
    const QString reported[3][2] = {
        {evaluationText(rows::kBoxType), info.boxType},
        {evaluationText(rows::kFirmware), info.firmwareVersion},
        {evaluationText(rows::kSerialNumber), info.serialNumber},
    };
    for (int i = 0; i < 3; ++i) {
        const double top = 31 + 4.5 * i;
        paintValue(painter, mm.rect(122, top, 152, top + 4.5), textFont, smallFont, reported[i][0]);
        paintValue(painter, mm.rect(153, top, 198, top + 4.5), textFont, smallFont, reported[i][1]);
    }
}

// The plots in their band: drawn as the printer has always drawn them (the
// band 60..297 mm of the sheet), mapped onto kPlotsTopMm..kPlotsBottomMm.
PlotTarget plotTargetOnPage(const QRect& page, const PageScale& mm) {
    const double k = (kPlotsBottomMm - kPlotsTopMm) / (297.0 - 60.0);
    PlotTarget target;
    target.printer = true;
    target.sx = mm.sx();
    target.sy = mm.sy() * k;
    const int top = page.top() + static_cast<int>((kPlotsTopMm - 60.0 * k) * mm.sy());
    target.area = QRect(page.left(), top, page.width(), static_cast<int>(297.0 * target.sy));
    return target;
}

// The white curve is white on light grey: a dashed dark line along it keeps it
// on a monochrome printer. Points that fall on the same device unit are one.
void outlineWhiteCurve(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples) {
    const PlotBox plot = AmplitudePlot::frame(target);
    QPen dash = plotPen(qRgb(0, 0, 0), 0.15 * target.sy);
    dash.setStyle(Qt::DashLine);
    dash.setCapStyle(Qt::FlatCap);
    painter.save();
    painter.setPen(dash);
    painter.setClipRect(QRect(plot.left, plot.top, plot.width() + 1, plot.height() + 1));
    QPolygon run;
    auto flush = [&] {
        if (run.size() > 1) {
            painter.drawPolyline(run);
        }
        run.clear();
    };
    for (const RecordSample& s : samples) {
        const QPoint p(xOfAngle(plot, s.position),
                       AmplitudePlot::yOfAmplitude(plot, s.amplitudeWH));
        if (!run.isEmpty()) {
            if (run.back() == p) {
                continue;
            }
            if (!joinsAcross(plot, run.back().x(), p.x())) {
                flush();
            }
        }
        run << p;
    }
    flush();
    painter.restore();
}

// Axis titles with units: the angle under each plot at its right, the values
// upright at the left edge of each plot.
void paintAxisTitles(QPainter& painter, const PageScale& mm, const PlotTarget& target) {
    namespace rows = evaluationrow;
    const QFont font = plotFont(2.6 * mm.sy(), 1.3 * mm.sx(), 400);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int height = static_cast<int>(3.0 * mm.sy());
    const int below = static_cast<int>(2.8 * mm.sy()); // under the angle labels
    const PlotBox plots[2] = {AmplitudePlot::frame(target), ReferencePlot::frame(target)};
    const int valueRows[2] = {rows::kAmplitudeAxis, rows::kReferenceAxis};
    for (int i = 0; i < 2; ++i) {
        const PlotBox& p = plots[i];
        painter.drawText(QRect(p.right - static_cast<int>(40 * mm.sx()), p.bottom + below,
                               static_cast<int>(40 * mm.sx()), height),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                         evaluationText(rows::kAngleAxis));
        painter.save();
        painter.translate(mm.x(20.6), (p.top + p.bottom) / 2);
        painter.rotate(-90);
        const int length = p.height();
        painter.drawText(QRect(-length / 2, 0, length, height),
                         Qt::AlignCenter | Qt::TextSingleLine, evaluationText(valueRows[i]));
        painter.restore();
    }
}

// The results block of the evaluation window, then the legend of the plots.
void paintResultsAndLegend(QPainter& painter, const PageScale& mm,
                           const MeasurementResults& results) {
    const QStringList lines = resultLines(results, configData.language);
    QFont font = plotFont(3.2 * mm.sy(), 1.5 * mm.sx(), 400);
    const QRect area = mm.rect(25, kResultsTopMm, 198, kResultsTopMm + 4.2 * kResultLineCount);
    // One size for every line, small enough for the longest.
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, QFontMetrics(font, painter.device()).horizontalAdvance(line));
    }
    if (widest > area.width()) {
        font.setPixelSize(std::max(1, font.pixelSize() * area.width() / widest));
    }
    const int lineHeight = area.height() / kResultLineCount;
    for (int i = 0; i < lines.size() && i < kResultLineCount; ++i) {
        QFont lineFont = font;
        lineFont.setBold(i == 0);
        painter.setFont(lineFont);
        QColor colour = Qt::black;
        if (results.valid && (i == 1 || i == 2)) {
            colour = (i == 1 ? results.ye.pass : results.wh.pass) ? QColor(0, 112, 0)
                                                                  : QColor(192, 0, 0);
        }
        painter.setPen(colour);
        painter.drawText(QRect(area.left(), area.top() + i * lineHeight, area.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, lines[i]);
    }

    namespace rows = evaluationrow;
    const QFont legendFont = plotFont(2.6 * mm.sy(), 1.3 * mm.sx(), 400);
    painter.setFont(legendFont);
    const double top = kResultsTopMm + 4.2 * kResultLineCount + 2.0;
    struct Entry {
        int row;
        double x, y;
        QRgb fill, edge;
        bool circle;
    } entries[] = {
        {rows::kLegendYellow, 25, top, AmplitudePlot::kCurveYE, AmplitudePlot::kCurveYE, false},
        {rows::kLegendWhite, 25, top + 4, AmplitudePlot::kCurveWH, qRgb(0, 0, 0), false},
        {rows::kLegendPlus, 112, top, qRgb(255, 128, 128), qRgb(192, 0, 0), true},
        {rows::kLegendMinus, 112, top + 4, qRgb(128, 128, 255), qRgb(0, 0, 192), true},
    };
    for (const Entry& e : entries) {
        const int mid = mm.y(e.y + 2.0);
        if (e.circle) {
            painter.setPen(plotPen(e.edge, 0.25 * mm.sy()));
            painter.setBrush(QColor::fromRgb(e.fill));
            const int r = static_cast<int>(0.9 * mm.sy());
            painter.drawEllipse(QPoint(mm.x(e.x + 3.0), mid), r, r);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(plotPen(e.edge == e.fill ? qRgb(160, 160, 0) : e.edge, 1.0 * mm.sy()));
            painter.drawLine(mm.at(e.x, e.y + 2.0), mm.at(e.x + 6.0, e.y + 2.0));
            painter.setPen(plotPen(e.fill, 0.6 * mm.sy()));
            painter.drawLine(mm.at(e.x, e.y + 2.0), mm.at(e.x + 6.0, e.y + 2.0));
            if (e.edge != e.fill) {
                QPen dash = plotPen(e.edge, 0.15 * mm.sy());
                dash.setStyle(Qt::DashLine);
                painter.setPen(dash);
                painter.drawLine(mm.at(e.x, e.y + 2.0), mm.at(e.x + 6.0, e.y + 2.0));
            }
        }
        painter.setPen(Qt::black);
        painter.drawText(mm.rect(e.x + 8.0, e.y, e.x + 85.0, e.y + 4.0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         evaluationText(e.row));
    }
}

// Lines for the operator's name and signature, and the footer: the date the
// report was made and the page.
void paintSignatureAndFooter(QPainter& painter, const PageScale& mm, const ReportInfo& info,
                             const QPen& pen) {
    namespace rows = evaluationrow;
    const QFont font = plotFont(3.6 * mm.sy(), 1.8 * mm.sx(), 400);
    const int flags = Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine;
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(mm.rect(25, kSignatureTopMm, 55, kSignatureTopMm + 6), flags,
                     evaluationText(rows::kOperator));
    painter.drawText(mm.rect(112, kSignatureTopMm, 140, kSignatureTopMm + 6), flags,
                     evaluationText(rows::kSignature));
    painter.setPen(pen);
    painter.drawLine(mm.at(55, kSignatureTopMm + 6), mm.at(105, kSignatureTopMm + 6));
    painter.drawLine(mm.at(140, kSignatureTopMm + 6), mm.at(196, kSignatureTopMm + 6));
    painter.drawLine(mm.at(20, kFooterTopMm - 1), mm.at(200, kFooterTopMm - 1));

    const QFont small = plotFont(2.6 * mm.sy(), 1.3 * mm.sx(), 400);
    painter.setFont(small);
    painter.setPen(Qt::black);
    painter.drawText(mm.rect(25, kFooterTopMm, 110, kFooterTopMm + 5),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QStringLiteral("ORVATIX %1   %2 %3")
                         .arg(programVersion(), evaluationText(rows::kDate),
                              info.date.toString(QStringLiteral("yyyy-MM-dd hh:mm"))));
    painter.drawText(mm.rect(140, kFooterTopMm, 196, kFooterTopMm + 5),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     formatText(evaluationText(rows::kPage).toStdString().c_str(), 1, 1).c_str());
}

} // namespace

QString reportDocumentName() {
    return evaluationText(evaluationrow::kMeasurementReport);
}

void paintReport(QPainter& painter, const QRect& page, const ReportInfo& info,
                 const std::vector<RecordSample>& samples, int& refScale) {
    const PageScale mm(page);
    painter.save();
    const PlotTarget target = plotTargetOnPage(page, mm);
    drawRecordingPlots(painter, target, samples, refScale);
    outlineWhiteCurve(painter, target, samples);
    paintAxisTitles(painter, mm, target);

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
    paintResultsAndLegend(painter, mm,
                          info.hasResults ? info.results : computeMeasurementResults(samples));
    paintSignatureAndFooter(painter, mm, info, pen);
    painter.restore();
}

QString programVersion() {
    return QStringLiteral(ORVATIX_PROGRAM_VERSION);
}

QString proposedReportPath(const QString& baseName) {
    if (baseName.isEmpty()) {
        return reportDocumentName() + QStringLiteral(".pdf");
    }
    return baseName + QStringLiteral("_report.pdf");
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
