#include "recorder/widgets/CErgebnisDlg.h"

#include "config/EvaluationRows.h"
#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/CProtokollText.h"
#include "recorder/widgets/EvaluationLayout.h"
#include "recorder/widgets/ReferencePlot.h"
#include "recorder/widgets/ResultsBlock.h"
#include "ui/Artwork.h"
#include "ui/UiText.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

// The window titles are the same in every language.
const char* const kTitle = "Data recorder: ";
const char* const kClearedTitle = "Data recorder:";

void showPrinterInfoMissing(QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                    QStringLiteral("Printer information missing."), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

CErgebnisDlg::CErgebnisDlg(QWidget* owner, const std::vector<RecordSample>& samples)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      samples_(samples), template_(this, 479, 362) {
    // The template gives the first size only: the window fills the screen.
    const QSize first = size();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(first);
    setModal(false);
    setWindowIcon(artIcon(Art::ProgramIcon));
    setWindowTitle(QString::fromUtf8(kTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);

    struct Button {
        int id, x, w, h;
    };
    const Button layout[5] = {{kClose, 370, 105, 20},
                              {kPrint, 285, 80, 20},
                              {kClear, 200, 80, 20},
                              {kOpenFile, 115, 80, 20},
                              {kSavePdf, 30, 80, 20}};
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const Button& b = layout[i];
        buttons_[i] = template_.place(b.id, b.x, 340, b.w, b.h, new QPushButton);
        buttons_[i]->setAutoDefault(false);
        buttonSizes_[i] = buttons_[i]->size();
    }
    buttons_[0]->setDefault(true);
    connect(buttons_[0], &QPushButton::clicked, this, &CErgebnisDlg::closeRequested);
    connect(buttons_[1], &QPushButton::clicked, this, &CErgebnisDlg::print);
    connect(buttons_[2], &QPushButton::clicked, this, &CErgebnisDlg::clearPressed);
    connect(buttons_[3], &QPushButton::clicked, this, &CErgebnisDlg::openFileRequested);
    connect(buttons_[4], &QPushButton::clicked, this, &CErgebnisDlg::saveReportAsPdf);
    refreshCaptions();
    placeButtons();
}

void CErgebnisDlg::present() {
    keepFullScreen_ = true;
    showMaximized();
    raise();
    activateWindow();
}

void CErgebnisDlg::refreshCaptions() {
    namespace rows = evaluationrow;
    const int captionRows[5] = {rows::kCloseWindow, rows::kPrint, rows::kClear, rows::kOpenFile,
                                rows::kSaveAsPdf};
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setText(uiText(TextTable::Evaluation, captionRows[i]));
    }
    redrawAll();
}

void CErgebnisDlg::setReportSource(const QString& fileName, const QString& boxType,
                                   const QString& firmwareVersion, const QString& serialNumber) {
    report_.fileName = fileName;
    report_.boxType = boxType;
    report_.firmwareVersion = firmwareVersion;
    report_.serialNumber = serialNumber;
}

void CErgebnisDlg::setResults(const MeasurementResults& results) {
    results_ = results;
    showResults_ = true;
    redrawAll();
}

void CErgebnisDlg::setComparison(const std::vector<RecordSample>* samples) {
    comparison_ = samples != nullptr ? ComparisonRecording::of(*samples) : ComparisonRecording{};
    redrawAll();
}

void CErgebnisDlg::clearResults() {
    showResults_ = false;
    redrawAll();
}

void CErgebnisDlg::redrawAll() {
    stale_ = true;
    update();
}

int CErgebnisDlg::resultsHeight() const {
    return showResults_ ? kResultLineCount * QFontMetrics(font()).height() + 6 : 0;
}

PlotTarget CErgebnisDlg::plotTarget() const {
    PlotTarget target;
    target.area = plotArea(size(), resultsHeight());
    target.background = palette().color(QPalette::Window);
    return target;
}

void CErgebnisDlg::addSample() {
    if (samples_.empty()) {
        return;
    }
    if (stale_ || canvas_.size() != size() || samples_.size() != drawn_ + 1) {
        redrawAll();
        return;
    }
    const RecordSample& newest = samples_.back();
    references_.add(samples_, samples_.size() - 1);
    drawn_ = samples_.size();
    if (referenceHalfRange(references_, &comparison_) != refScale_) {
        // A wider axis moves every mark and relabels the grid: all anew.
        redrawAll();
        return;
    }
    const PlotTarget target = plotTarget();
    QPainter painter(&canvas_);
    // A reference mark is a point of the amplitude curves as well.
    drawAmplitudePlot(painter, target, samples_, PlotMode::Incremental);
    const PlotBox amplitude = AmplitudePlot::frame(target);
    update(QRect(amplitude.left - 2, amplitude.top - 2, amplitude.width() + 5,
                 amplitude.height() + 5));
    if (newest.isReference) {
        drawReferencePlot(painter, target, samples_, PlotMode::Incremental, refScale_, references_,
                          &comparison_);
        const PlotBox reference = ReferencePlot::frame(target);
        update(QRect(reference.left - 2, reference.top - 2, reference.width() + 5,
                     reference.height() + 5));
    }
}

void CErgebnisDlg::renderNow() {
    placeButtons();
    if (stale_ || canvas_.size() != size()) {
        renderCanvas();
    }
}

void CErgebnisDlg::renderCanvas() {
    if (canvas_.size() != size()) {
        canvas_ = QImage(size(), QImage::Format_RGB32);
    }
    canvas_.fill(palette().color(QPalette::Window));
    QPainter painter(&canvas_);
    const PlotTarget target = plotTarget();
    drawRecordingPlots(painter, target, samples_, refScale_, &references_,
                       PlotDetail::ColumnExtremes, &comparison_);
    if (showResults_) {
        const PlotBox plot = AmplitudePlot::frame(target);
        const QRect area =
            resultsArea(size(), resultsHeight(), plot.left, buttons_.back()->geometry().left());
        drawResults(painter, area.adjusted(0, 3, 0, -3), results_, font());
    }
    drawn_ = samples_.size();
    stale_ = false;
}

void CErgebnisDlg::placeButtons() {
    const auto row = buttonRow(size(), frameGeometry().size(), buttonSizes_);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]->geometry() != row[i]) {
            buttons_[i]->setGeometry(row[i]);
        }
    }
}

void CErgebnisDlg::paintEvent(QPaintEvent*) {
    renderNow();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void CErgebnisDlg::clearPressed() {
    if (mayClear && !mayClear()) {
        return;
    }
    emit clearRequested();
    setWindowTitle(QString::fromUtf8(kClearedTitle));
    showResults_ = false;
    comparison_ = ComparisonRecording{};
    redrawAll();
}

void CErgebnisDlg::closeEvent(QCloseEvent* event) {
    // The owner closes the window (and saves the recording).
    event->ignore();
    emit closeRequested();
}

void CErgebnisDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (keepFullScreen_ && isVisible() && !(windowState() & Qt::WindowMinimized) &&
        !isMaximized()) {
        // Back to the whole screen once the move is over.
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !(windowState() & Qt::WindowMinimized) && !isMaximized()) {
                showMaximized();
            }
        });
    }
}

void CErgebnisDlg::reject() {
    emit closeRequested();
}

void CErgebnisDlg::keyPressEvent(QKeyEvent* event) {
    // The help key has no effect here.
    if (event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CErgebnisDlg::print() {
    CProtokollText remarks(this, report_.remarks);
    if (remarks.exec() != QDialog::Accepted) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(reportDocumentName());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    report_.date = QDateTime::currentDateTime();
    if (printReport(printer, report_, samples_, refScale_) == ReportOutcome::PrinterInfoMissing) {
        showPrinterInfoMissing(this);
    }
    redrawAll();
}

void CErgebnisDlg::saveReportAsPdf() {
    CProtokollText remarks(this, report_.remarks);
    if (remarks.exec() != QDialog::Accepted) {
        return;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, uiText(TextTable::Evaluation, evaluationrow::kSaveAsPdf),
                                     reportDocumentName() + QStringLiteral(".pdf"),
                                     uiText(TextTable::Evaluation, evaluationrow::kPdfFilter));
    if (path.isEmpty()) {
        return;
    }
    report_.date = QDateTime::currentDateTime();
    const ReportOutcome outcome = writeReportPdf(path, report_, samples_, refScale_);
    if (outcome == ReportOutcome::PrinterInfoMissing) {
        showPrinterInfoMissing(this);
    } else if (outcome == ReportOutcome::NotStarted) {
        // The file could not be written (folder missing, no permission).
        QMessageBox box(QMessageBox::Critical, uiText(TextTable::Evaluation, evaluationrow::kError),
                        uiText(TextTable::Evaluation, evaluationrow::kOpenError), QMessageBox::Ok,
                        this);
        box.exec();
    }
    redrawAll();
}
