#include "recorder/widgets/CProtokollText.h"

#include "config/EvaluationRows.h"
#include "config/YesNoRows.h"
#include "ui/Artwork.h"
#include "ui/UiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CProtokollText::CProtokollText(QWidget* parent, ReportRemarks& remarks)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      remarks_(remarks), template_(this, 210, 112) {
    namespace rows = evaluationrow;
    setWindowTitle(uiText(TextTable::Evaluation, rows::kEnterRemarks));
    setWindowIcon(artIcon(Art::ProgramIcon));
    template_.place(kBearingLabel, 15, 5, 90, 15,
                    new QLabel(uiText(TextTable::Evaluation, rows::kBearing)));
    bearing_ = placeEdit(kBearingEdit, kBearingCount, 15, 20, 70, 88, ReportRemarks::kBearingLength,
                         remarks.bearing);
    template_.place(kRemarksLabel, 15, 40, 90, 15,
                    new QLabel(uiText(TextTable::Evaluation, rows::kRemarks)));
    const int ids[3] = {kRemark1, kRemark2, kRemark3};
    const int countIds[3] = {kRemark1Count, kRemark2Count, kRemark3Count};
    for (int i = 0; i < 3; ++i) {
        lines_[static_cast<size_t>(i)] =
            placeEdit(ids[i], countIds[i], 15, 55 + 15 * i, 155, 173, ReportRemarks::kRemarkLength,
                      remarks.lines[static_cast<size_t>(i)]);
    }
    auto* ok = template_.place(kOk, 145, 10, 50, 15, new QPushButton(QStringLiteral("OK")));
    ok->setDefault(true);
    auto* cancel = template_.place(kCancel, 145, 30, 50, 14,
                                   new QPushButton(uiText(TextTable::YesNo, yesnorow::kCancel)));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CProtokollText::accept);
    connect(cancel, &QPushButton::clicked, this, &CProtokollText::reject);
    bearing_->setFocus();
}

QString CProtokollText::countText(int length, int limit) {
    return QStringLiteral("%1/%2").arg(length).arg(limit);
}

QLineEdit* CProtokollText::placeEdit(int id, int countId, int x, int y, int width, int countX,
                                     int limit, const QString& text) {
    auto* edit = template_.place(id, x, y, width, 15, new QLineEdit);
    edit->setMaxLength(limit);
    edit->setText(text);
    auto* count = template_.place(countId, countX, y, 30, 15, new QLabel);
    count->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const auto show = [count, limit](const QString& typed) {
        count->setText(countText(static_cast<int>(typed.size()), limit));
        // A full edit takes no more: the counter says so in the warning colour.
        count->setStyleSheet(typed.size() >= limit ? QStringLiteral("color: #c00000;") : QString());
    };
    show(edit->text());
    connect(edit, &QLineEdit::textChanged, count, show);
    return edit;
}

void CProtokollText::copyTo(ReportRemarks& remarks) const {
    remarks.bearing = bearing_->text();
    for (size_t i = 0; i < lines_.size(); ++i) {
        remarks.lines[i] = lines_[i]->text();
    }
}

void CProtokollText::accept() {
    copyTo(remarks_);
    QDialog::accept();
}

void CProtokollText::reject() {
    // Kept for the next try; the report is not made.
    copyTo(remarks_);
    QDialog::reject();
}
