#pragma once
// A PDF file read back with poppler: its text (pdftotext -layout) and the
// boxes of its words (pdftotext -bbox), to find text drawn over text.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <vector>

namespace pdftext {

inline bool available() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline QString run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString layoutText(const QString& pdf) {
    return run({QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// Runs of blanks as one blank: the layout's spacing is not what a test is about.
inline QString simplified(const QString& text) {
    QString out = text;
    out.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    return out;
}

struct Word {
    QString text;
    QRectF box;
};

inline std::vector<Word> words(const QString& pdf) {
    std::vector<Word> out;
    const QString html = run({QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"
        "([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        out.push_back({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return out;
}

// Pairs of words whose boxes overlap by more than `slack` points each way
// (glyph boxes of neighbours on one line touch).
inline QStringList overlaps(const std::vector<Word>& all, double slack = 0.3) {
    QStringList found;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const QRectF a = all[i].box.adjusted(slack, slack, -slack, -slack);
            const QRectF b = all[j].box.adjusted(slack, slack, -slack, -slack);
            if (a.intersects(b)) {
                found << all[i].text + QStringLiteral(" / ") + all[j].text;
            }
        }
    }
    return found;
}

} // namespace pdftext
