#include "recorder/widgets/EvaluationLayout.h"

#include <algorithm>

std::array<QRect, kButtonRowCount> buttonRow(QSize client, QSize window,
                                             const std::array<QSize, kButtonRowCount>& sizes) {
    int right = static_cast<int>(client.width() - 1.03 * window.width()) + window.width();
    const int bottom = static_cast<int>(client.height() - 1.01 * window.height()) + window.height();
    const int gap = window.width() / 100;
    std::array<QRect, kButtonRowCount> row;
    for (size_t i = 0; i < row.size(); ++i) {
        const QSize s = sizes[i];
        row[i] = QRect(right - s.width(), bottom - s.height(), s.width(), s.height());
        right -= s.width() + gap;
    }
    return row;
}

QRect plotArea(QSize client, int resultsHeight) {
    return QRect(0, 0, client.width(), std::max(0, client.height() - resultsHeight));
}

QRect resultsArea(QSize client, int resultsHeight, int left, int buttonsTop) {
    const int gap = client.width() / 100;
    const int top = client.height() - resultsHeight;
    return QRect(left, top, std::max(0, client.width() - gap - left),
                 std::max(0, buttonsTop - gap / 2 - top));
}
