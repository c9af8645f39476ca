#include "recorder/widgets/ResultsBlock.h"

#include "config/ConfigData.h"
#include "config/EvaluationRows.h"
#include "ui/UiText.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr QRgb kPassColour = qRgb(0, 112, 0);
constexpr QRgb kFailColour = qRgb(192, 0, 0);

QString headLine(const HeadResult& head, int nameRow, int language) {
    namespace rows = evaluationrow;
    auto t = [language](int row) { return uiTextIn(TextTable::Evaluation, row, language); };
    return QString::asprintf("%s:   %s %.1f %% %s %.1f°   %s %.1f %% %s %.1f°   %s %.1f %%   ",
                             qUtf8Printable(t(nameRow)), qUtf8Printable(t(rows::kMinimum)),
                             head.minimum, qUtf8Printable(t(rows::kAt)), head.angleOfMinimum,
                             qUtf8Printable(t(rows::kMaximum)), head.maximum,
                             qUtf8Printable(t(rows::kAt)), head.angleOfMaximum,
                             qUtf8Printable(t(rows::kMean)), head.mean) +
           t(head.pass ? rows::kWithinBand : rows::kOutsideBand);
}

// The marks seen, where (the middle of the arc that holds them, and its
// width) and the range of their "+" and "-" values.
QString referenceLine(const MeasurementResults& results, int language) {
    namespace rows = evaluationrow;
    auto t = [language](int row) { return uiTextIn(TextTable::Evaluation, row, language); };
    QString line =
        t(rows::kReferenceMarksCount) + QStringLiteral(" %1").arg(results.referenceMarks);
    if (results.referenceMarks == 0) {
        return line;
    }
    const ReferenceResult& m = results.marks;
    return line + QString::asprintf("   %s %.4f°   %s %.4f°   + %.1f .. %.1f   - %.1f .. %.1f",
                                    qUtf8Printable(t(rows::kAt)), m.meanAngle,
                                    qUtf8Printable(t(rows::kSpread)), m.angleSpread, m.plusMinimum,
                                    m.plusMaximum, m.minusMinimum, m.minusMaximum);
}

} // namespace

QStringList resultLines(const MeasurementResults& results, int language) {
    namespace rows = evaluationrow;
    QStringList lines;
    lines << uiTextIn(TextTable::Evaluation, rows::kMeasurementResults, language);
    if (results.valid) {
        lines << headLine(results.ye, rows::kYellowSensor, language);
        lines << headLine(results.wh, rows::kWhiteSensor, language);
    } else {
        lines << uiTextIn(TextTable::Evaluation, rows::kNoPositionSamples, language);
        lines << QString();
    }
    lines << referenceLine(results, language);
    return lines;
}

void drawResults(QPainter& painter, const QRect& area, const MeasurementResults& results,
                 const QFont& font) {
    painter.save();
    QFont heading = font;
    heading.setBold(true);
    const int lineHeight = QFontMetrics(font).height();
    const QStringList lines = resultLines(results, configData.language);
    const bool passes[kResultLineCount] = {true, results.ye.pass, results.wh.pass, true};
    for (int i = 0; i < lines.size() && i < kResultLineCount; ++i) {
        const QRect line(area.left(), area.top() + i * lineHeight, area.width(), lineHeight);
        painter.setFont(i == 0 ? heading : font);
        QColor colour = Qt::black;
        if (results.valid && (i == 1 || i == 2)) {
            colour = QColor::fromRgb(passes[i] ? kPassColour : kFailColour);
        }
        painter.setPen(colour);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, lines[i]);
    }
    painter.restore();
}
