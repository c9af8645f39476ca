#pragma once
// CErgebnisDlg: the recording and evaluation window.
//
// A maximised window over the main window while a recording is open: the
// amplitudes of both heads (upper plot) and the reference-mark values (lower
// plot) over the shaft angle, optionally the measurement results under them,
// and the buttons Close window, Print, Clear, Open File and Save as PDF. It
// draws the recorder's samples but does not own them:
//
//     window_ = new CErgebnisDlg(this, recordList);
//     connect(window_, &CErgebnisDlg::closeRequested, this, &Owner::closeRecorderWindow);
//     connect(window_, &CErgebnisDlg::clearRequested, this, &Owner::clearRecording);
//     window_->present();
//     ... per recorded sample: recordList.push_back(s); window_->setWindowTitle(...);
//                              window_->addSample();
//     ... when recording stops: window_->setResults(computeMeasurementResults(recordList));
//
// clearRequested is emitted before the window redraws: the owner empties the
// list in the connected slot.

#include "recorder/MeasurementResults.h"
#include "recorder/RecordSample.h"
#include "recorder/widgets/MeasurementReport.h"
#include "recorder/widgets/PlotGeometry.h"
#include "recorder/widgets/ReferencePlot.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <functional>
#include <vector>

class QPushButton;

class CErgebnisDlg : public QDialog {
    Q_OBJECT
public:
    enum Id {
        kClose = 1,
        kPrint = 1037,
        kClear = 1038,
        kOpenFile = 1039,
        kSavePdf = 1040,
    };

    CErgebnisDlg(QWidget* owner, const std::vector<RecordSample>& samples);

    // Maximised and in front of its owner. From then on the window keeps to
    // the whole screen: moved (or restored) by the user, it is maximised again.
    void present();

    // Draws the newest sample of the list at once: its segment of the
    // amplitude curves and, for a reference mark, its marks. Falls back to a
    // full redraw when samples went by unseen or the reference axis must grow.
    void addSample();
    // Everything drawn again from the list at the next paint.
    void redrawAll();

    // The results block under the plots; cleared by Clear.
    void setResults(const MeasurementResults& results);
    void clearResults();
    bool showsResults() const { return showResults_; }

    // A second recording laid under this one in lighter colours (a file opened
    // to compare with); nullptr for none. The samples must outlive the window
    // or the next call. Clear takes it away.
    void setComparison(const std::vector<RecordSample>* samples);
    bool showsComparison() const { return comparison_.samples != nullptr; }

    // What the report states besides the remarks: the recording's file name and
    // what the box reported about itself.
    void setReportSource(const QString& fileName, const QString& boxType,
                         const QString& firmwareVersion, const QString& serialNumber);
    ReportInfo& reportInfo() { return report_; }

    // Asked before Clear throws the samples away; false keeps them. Empty:
    // Clear asks nothing.
    std::function<bool()> mayClear;

    // Captions in the current language (and the plot titles at the next paint).
    void refreshCaptions();

    // Print: the remarks dialog, the print dialog, then the report.
    void print();
    // Save as PDF: the remarks dialog, a file dialog, then the report.
    void saveReportAsPdf();

    // The half range of the reference axis last drawn.
    int refScale() const { return refScale_; }
    // What the window shows, as drawn (up to date after a paint).
    const QImage& canvas() const { return canvas_; }
    // Brings the drawing up to date without waiting for a paint.
    void renderNow();

    // The plots' area in client coordinates, as drawn now.
    PlotTarget plotTarget() const;

signals:
    void closeRequested();
    void clearRequested();
    void openFileRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void placeButtons();
    void renderCanvas();
    void clearPressed();
    int resultsHeight() const;

    const std::vector<RecordSample>& samples_;
    DialogTemplate template_;
    std::array<QPushButton*, 5> buttons_{}; // right to left: close, print, clear, open, PDF
    std::array<QSize, 5> buttonSizes_{};
    QImage canvas_;
    bool stale_ = true;
    bool keepFullScreen_ = false;
    std::size_t drawn_ = 0; // samples in the canvas
    int refScale_ = 0;
    ReferenceIndex references_; // of the samples drawn
    ComparisonRecording comparison_;
    bool showResults_ = false;
    MeasurementResults results_;
    ReportInfo report_;
};
