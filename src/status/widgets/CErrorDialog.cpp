#include "status/widgets/CErrorDialog.h"

#include "config/DiagnosisNoticeRows.h"
#include "config/MainWindowRows.h"
#include "config/YesNoRows.h"
#include "device/DeviceReadings.h"
#include "display/TextFormat.h"
#include "status/StatusListFile.h"
#include "status/StatusListText.h"
#include "ui/Artwork.h"
#include "ui/Help.h"
#include "ui/Notice.h"
#include "ui/UiText.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QUrl>

namespace {

QLabel* textControl(bool sunken) {
    auto* label = new QLabel;
    label->setAlignment(Qt::AlignCenter);
    if (sunken) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAutoFillBackground(true);
    }
    return label;
}

// List lines with tab stops every 32 dialog units, as a list box with tab
// stops has them; the tab after the number lines up the flag lists.
class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(int tabStop, QObject* parent)
        : QStyledItemDelegate(parent), tabStop_(tabStop) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString line = o.text;
        o.text.clear();
        const QWidget* view = o.widget;
        QStyle* style = view != nullptr ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &o, painter, view);
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &o, view);
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(tabStop_);
        painter->save();
        painter->setFont(o.font);
        painter->setPen(o.palette.color(o.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
        painter->drawText(textRect, line, layout);
        painter->restore();
    }

    // Measured with the tab stops the line is drawn with, so that the list
    // can scroll sideways to the end of a long flag list.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString line = o.text;
        o.text = QStringLiteral(" ");
        const QWidget* view = o.widget;
        QStyle* style = view != nullptr ? view->style() : QApplication::style();
        QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &o, QSize(), view);
        const QFontMetrics metrics(o.font);
        const int textWidth =
            metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, line, tabStop_).width();
        size.rwidth() += textWidth - metrics.horizontalAdvance(o.text);
        return size;
    }

private:
    int tabStop_;
};

} // namespace

CErrorDialog::CErrorDialog(QWidget* owner, StatusList& list, const DeviceReadings& readings,
                           std::mutex& readingsMutex, QString logFolder)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      folderDesktop(systemFolderDesktop()), list_(list), readings_(readings),
      readingsMutex_(readingsMutex), template_(this, 253, 218), logFolder_(std::move(logFolder)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowIcon(artIcon(Art::ProgramIcon));

    lines_ = template_.place(kList, 10, 10, 236, 135, new QListWidget);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lines_->setItemDelegate(new TabStopDelegate(template_.units().x(32), lines_));
    description_ = template_.place(kDescription, 10, 150, 150, 30, new QLabel);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setWordWrap(true);
    description_->setTextFormat(Qt::PlainText);
    saveButton_ = template_.place(kSave, 166, 150, 42, 15, new QPushButton);
    deleteButton_ = template_.place(kDelete, 208, 150, 38, 15, new QPushButton);
    fixButton_ = template_.place(kFixDisplay, 166, 165, 80, 15, new QPushButton);
    fixButton_->setCheckable(true);
    okButton_ = template_.place(kOk, 166, 185, 80, 15, new QPushButton(QStringLiteral("OK")));
    logFolderButton_ = template_.place(kOpenLogFolder, 166, 201, 80, 15, new QPushButton);
    okButton_->setDefault(true);
    time_ = template_.place(kTime, 10, 185, 55, 15, textControl(true));
    position_ = template_.place(kPosition, 75, 185, 85, 15, textControl(true));
    timeCaption_ = template_.place(kTimeCaption, 10, 201, 55, 10, textControl(false));
    positionCaption_ = template_.place(kPositionCaption, 75, 201, 85, 10, textControl(false));

    for (QPushButton* b : {saveButton_, deleteButton_, fixButton_})
        b->setAutoDefault(false);
    connect(lines_, &QListWidget::currentRowChanged, this, &CErrorDialog::showDetails);
    connect(saveButton_, &QPushButton::clicked, this, &CErrorDialog::save);
    connect(deleteButton_, &QPushButton::clicked, this, &CErrorDialog::deleteAll);
    connect(fixButton_, &QPushButton::clicked, this, &CErrorDialog::toggleFixDisplay);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::close);
    connect(logFolderButton_, &QPushButton::clicked, this, &CErrorDialog::openLogFolder);
    installHelpKey(this);

    list_.setAppendListener([this] {
        if (!list_.frozen())
            refill();
    });
    refreshCaptions();
    refill();
}

CErrorDialog::~CErrorDialog() {
    list_.setAppendListener({});
}

void CErrorDialog::present() {
    if (QWidget* owner = parentWidget()) {
        // Beside the main window, level with its top, on the screen.
        move(placeNextTo(owner->frameGeometry(), frameGeometry().size(), DockSide::Right,
                         availableArea(*owner)));
    }
    show();
    raise();
    activateWindow();
}

void CErrorDialog::refreshCaptions() {
    setWindowTitle(uiText(TextTable::MainWindow, mainwindowrow::kSystemState));
    timeCaption_->setText(uiText(TextTable::MainWindow, mainwindowrow::kTime));
    positionCaption_->setText(uiText(TextTable::MainWindow, mainwindowrow::kPosition));
    saveButton_->setText(uiText(TextTable::MainWindow, mainwindowrow::kSave));
    deleteButton_->setText(uiText(TextTable::MainWindow, mainwindowrow::kDelete));
    fixButton_->setText(uiText(TextTable::MainWindow, mainwindowrow::kFixDisplay));
    logFolderButton_->setText(uiText(TextTable::MainWindow, mainwindowrow::kOpenLogFolder));
    fixButton_->setChecked(list_.frozen());
}

double CErrorDialog::firmwareVersion() const {
    std::lock_guard<std::mutex> lock(readingsMutex_);
    return readings_.firmwareVersion;
}

void CErrorDialog::refill() {
    shown_ = list_.entries();
    const double version = firmwareVersion();
    const QSignalBlocker quiet(lines_);
    lines_->clear();
    int number = 0;
    for (const StatusListEntry& e : shown_)
        lines_->addItem(QString::fromStdString(statusListLine(++number, e.flags, version)));
    if (shown_.empty())
        return;
    lines_->setCurrentRow(static_cast<int>(shown_.size()) - 1);
    lines_->scrollToBottom();
    showDetails(lines_->currentRow());
}

void CErrorDialog::showDetails(int row) {
    if (row < 0)
        row = 0;
    if (row >= static_cast<int>(shown_.size()))
        return;
    const StatusEntryDetails d =
        statusEntryDetails(shown_[static_cast<std::size_t>(row)], firmwareVersion());
    description_->setText(QString::fromStdString(d.description));
    position_->setText(QString::fromStdString(d.position));
    time_->setText(QString::fromStdString(d.time));
}

void CErrorDialog::save() {
    // The list keeps taking entries while the file dialog is open; what is
    // written is the list at the moment the name is confirmed.
    const QString chosen =
        QFileDialog::getSaveFileName(this, QStringLiteral("ORVATIX data recorder"), QString(),
                                     QStringLiteral("Text files (*.txt);;All files (*.*)"));
    if (chosen.isEmpty())
        return;
    saveTo(chosen);
}

bool CErrorDialog::saveTo(const QString& chosen) {
    const FileWriteResult result = saveStatusList(list_, statusFileName(chosen));
    if (result.ok)
        return true;
    showNotice(this, QMessageBox::Critical, QStringLiteral("ERROR"),
               QStringLiteral("Can't open file !\n\n") + result.reason);
    return false;
}

bool CErrorDialog::confirmDelete() {
    QMessageBox box(QMessageBox::Question,
                    uiText(TextTable::MainWindow, mainwindowrow::kSystemState),
                    QString::fromStdString(formatText(
                        text(TextTable::DiagnosisNotices, diagnosisnoticerow::kDeleteStatusList),
                        list_.count())),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.button(QMessageBox::Yes)->setText(uiText(TextTable::YesNo, yesnorow::kYes));
    box.button(QMessageBox::No)->setText(uiText(TextTable::YesNo, yesnorow::kNo));
    // The list is gone for good: Return keeps it.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void CErrorDialog::deleteAll() {
    if (!list_.empty() && !confirmDelete())
        return;
    list_.setBusy(true);
    list_.clear();
    list_.setBusy(false);
    refill();
    description_->clear();
    position_->clear();
    time_->clear();
}

void CErrorDialog::toggleFixDisplay() {
    list_.setFrozen(!list_.frozen());
    fixButton_->setChecked(list_.frozen());
    refill();
}

void CErrorDialog::showLogFolderNotice(int row, const QString& folder) {
    QString message = uiText(TextTable::DiagnosisNotices, row);
    if (!folder.isEmpty()) {
        message += QStringLiteral("\n\n") +
                   uiText(TextTable::DiagnosisNotices, diagnosisnoticerow::kLogFolderIs) +
                   QStringLiteral("\n") + QDir::toNativeSeparators(folder);
    }
    if (logFolderNotice_)
        logFolderNotice_->close();
    logFolderNotice_ =
        showNotice(this, QMessageBox::Information,
                   uiText(TextTable::MainWindow, mainwindowrow::kOpenLogFolder), message);
    // The path is there to be copied into a file manager or a terminal.
    logFolderNotice_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                              Qt::TextSelectableByKeyboard);
}

void CErrorDialog::openLogFolder() {
    namespace rows = diagnosisnoticerow;
    const QString folder = logFolder_;
    // The log makes its folder with its first entry; a session without one
    // still opens an (empty) folder rather than an error.
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        showLogFolderNotice(rows::kFolderNotOpened, folder);
        return;
    }
    const FolderDesktop desktop = folderDesktop;
    desktop.askFileManager(this, [this, desktop, folder](bool fileManagerExists) {
        if (!fileManagerExists)
            showLogFolderNotice(rows::kNoFileManager, folder);
        else if (!desktop.openUrl(QUrl::fromLocalFile(folder)))
            showLogFolderNotice(rows::kFolderNotOpened, folder);
    });
}
