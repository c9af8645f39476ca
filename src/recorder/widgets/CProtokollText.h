#pragma once
// CProtokollText: the report remarks dialog.
//
// The remarks dialog before a report is printed (template 184 x 112 dialog
// units): the bearing designation and three lines of remarks. OK copies what
// was typed into the report's remarks; Cancel (also Escape and the close box)
// first puts the presets back ("KAVO " and empty lines) and copies those.
// Either way the report is printed afterwards.

#include "recorder/widgets/MeasurementReport.h"
#include "ui/DialogUnits.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class CProtokollText : public QDialog {
    Q_OBJECT
public:
    enum Id {
        kBearingLabel = 1015,
        kBearingEdit = 1010,
        kRemarksLabel = 1016,
        kRemark1 = 1011,
        kRemark2 = 1012,
        kRemark3 = 1013,
        kOk = 1019,
        kCancel = 2,
    };

    // `remarks` receives the texts when the dialog closes.
    CProtokollText(QWidget* parent, ReportRemarks& remarks);

    void accept() override;
    void reject() override;

private:
    void copyTo(ReportRemarks& remarks) const;

    ReportRemarks& remarks_;
    DialogTemplate template_;
    QLineEdit* bearing_ = nullptr;
    std::array<QLineEdit*, 3> lines_{};
};
