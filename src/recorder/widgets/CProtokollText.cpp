#include "recorder/widgets/CProtokollText.h"

#include "config/EvaluationRows.h"
#include "ui/Artwork.h"
#include "ui/UiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CProtokollText::CProtokollText(QWidget* parent, ReportRemarks& remarks)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      remarks_(remarks), template_(this, 184, 112) {
    namespace rows = evaluationrow;
    setWindowTitle(uiText(TextTable::Evaluation, rows::kEnterRemarks));
    setWindowIcon(artIcon(Art::ProgramIcon));
    template_.place(kBearingLabel, 15, 5, 90, 15,
                    new QLabel(uiText(TextTable::Evaluation, rows::kBearing)));
    bearing_ = template_.place(kBearingEdit, 15, 20, 70, 15, new QLineEdit);
    bearing_->setMaxLength(ReportRemarks::kBearingLength);
    bearing_->setText(ReportRemarks::presetBearing());
    template_.place(kRemarksLabel, 15, 40, 90, 15,
                    new QLabel(uiText(TextTable::Evaluation, rows::kRemarks)));
    const int ids[3] = {kRemark1, kRemark2, kRemark3};
    for (int i = 0; i < 3; ++i) {
        QLineEdit* edit = template_.place(ids[i], 15, 55 + 15 * i, 155, 15, new QLineEdit);
        edit->setMaxLength(ReportRemarks::kRemarkLength);
        lines_[static_cast<size_t>(i)] = edit;
    }
    auto* ok = template_.place(kOk, 120, 10, 50, 15, new QPushButton(QStringLiteral("OK")));
    ok->setDefault(true);
    auto* cancel =
        template_.place(kCancel, 120, 30, 50, 14, new QPushButton(QStringLiteral("Abbrechen")));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CProtokollText::accept);
    connect(cancel, &QPushButton::clicked, this, &CProtokollText::reject);
    bearing_->setFocus();
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
    bearing_->setText(ReportRemarks::presetBearing());
    for (QLineEdit* edit : lines_) {
        edit->clear();
    }
    copyTo(remarks_);
    QDialog::reject();
}
