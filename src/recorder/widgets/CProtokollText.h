#pragma once
// CProtokollText: the report remarks dialog.
//
// The remarks dialog before a report is printed or saved as a PDF: the
// bearing designation and three lines of remarks. It opens with the texts of
// the last try (the presets "KAVO " and empty lines at first). OK hands them
// to the report; Cancel (also Escape and the close box) cancels the report
// but keeps what was typed for the next try. Each edit shows how many of its
// characters are used, so that its limit is seen before it is reached.

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
        // "5/12": characters used of the edit's limit, beside each edit.
        kBearingCount = 1020,
        kRemark1Count = 1021,
        kRemark2Count = 1022,
        kRemark3Count = 1023,
    };

    // `remarks` gives the texts the dialog opens with and receives what was
    // typed when it closes, by OK or by Cancel.
    CProtokollText(QWidget* parent, ReportRemarks& remarks);

    void accept() override;
    void reject() override;

    // The counter's text for `length` characters of `limit`.
    static QString countText(int length, int limit);

private:
    void copyTo(ReportRemarks& remarks) const;
    QLineEdit* placeEdit(int id, int countId, int x, int y, int width, int countX, int limit,
                         const QString& text);

    ReportRemarks& remarks_;
    DialogTemplate template_;
    QLineEdit* bearing_ = nullptr;
    std::array<QLineEdit*, 3> lines_{};
};
