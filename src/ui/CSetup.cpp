#include "ui/CSetup.h"

#include "config/Bearings.h"
#include "config/Latin1.h"
#include "config/SetupRows.h"
#include "ui/Artwork.h"
#include "ui/Help.h"
#include "ui/PulseField.h"
#include "ui/QtTranslations.h"
#include "ui/SettingsSaveNotice.h"
#include "ui/SettingsSnapshot.h"
#include "ui/SpinButtons.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTimer>

SetupState setupState;

namespace {

constexpr int kFormatCount = 4;

} // namespace

SetupRecords SetupRecords::globals() {
    return SetupRecords{globalConfigRecords(), ::minPulseRate, ::maxPulseRate, setupState,
                        [] { saveSettings(); }};
}

CSetup::CSetup(const SetupRecords& records, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      records_(records), template_(this, 244, 146) {
    setWindowIcon(artIcon(Art::ProgramIcon));
    buildControls();
    installHelpKey(this);
    initialise();
}

void CSetup::buildControls() {
    DialogTemplate& t = template_;
    pulseGroup_ = t.place(kPulseGroup, 7, 15, 128, 40, new QGroupBox);
    auto* twice = t.place(kNoId, 11, 30, 15, 15, new QLabel(QStringLiteral("2x")));
    twice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pulseEdit_ = t.place(kPulseEdit, 33, 30, 82, 15, new QLineEdit);
    pulseEdit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits only; the value is held to 2..20000 when the dialog is confirmed.
    pulseEdit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), pulseEdit_));
    spin_ = t.place(kSpin, 121, 30, 10, 15, new SpinButtons(pulseEdit_, kMinPulses, kMaxPulses));

    bearingGroup_ = t.place(kBearingGroup, 7, 65, 128, 40, new QGroupBox);
    bearingList_ = t.place(kBearingList, 30, 80, 95, 65, new QComboBox);
    displayGroup_ = t.place(kDisplayGroup, 141, 65, 95, 40, new QGroupBox);
    displayList_ = t.place(kDisplayList, 150, 83, 82, 65, new QComboBox);
    languageGroup_ = t.place(kLanguageGroup, 7, 107, 128, 35, new QGroupBox);
    languageList_ = t.place(kLanguageList, 30, 121, 96, 65, new QComboBox);

    // The serial port is found by the interface search; its box stays hidden.
    portGroup_ = t.place(kPortGroup, 140, 106, 103, 33, new QGroupBox);
    portGroup_->hide();
    const int radioX[] = {137, 162, 184};
    const int radioY[] = {122, 122, 121};
    for (int i = 0; i < 3; ++i) {
        auto* radio = t.place(kPortRadio1 + i, radioX[i], radioY[i], 20, 10,
                              new QRadioButton(QString::number(i + 1)));
        radio->hide();
    }

    okButton_ = t.place(kOk, 166, 20, 50, 15, new QPushButton);
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    cancelButton_ = t.place(kCancel, 166, 40, 50, 14, new QPushButton);
    cancelButton_->setAutoDefault(false);

    connect(bearingList_, &QComboBox::currentIndexChanged, this, &CSetup::bearingChanged);
    connect(displayList_, &QComboBox::currentIndexChanged, this, &CSetup::displayChosen);
    connect(languageList_, &QComboBox::currentIndexChanged, this, &CSetup::languageChanged);
    connect(okButton_, &QPushButton::clicked, this, &CSetup::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CSetup::initialise() {
    SetupState& state = records_.state;
    ConfigRecords& config = records_.config;
    state.currentRow = state.confirmedRow;
    const int count = std::clamp(config.bearingCount, 0, kMaxBearingRows);
    {
        const QSignalBlocker blocker(bearingList_);
        bearingList_->clear();
        for (int row = 0; row <= count; ++row) {
            config.bearingTable[row].count = count;
            bearingList_->addItem(QString::fromUtf8(config.bearingTable[row].name));
        }
        const int row = findBearingByName(config.bearingTable, count, config.data.bearingType);
        state.currentRow = state.confirmedRow = row;
        // At the first start no type is known yet, and the file written below
        // must be complete (a type line without a value would make the next
        // start throw away the language chosen here): take the row shown.
        if (config.data.bearingType.empty()) {
            config.data.bearingType =
                utf8Prefix(config.bearingTable[row].name, kMaxBearingName - 1);
        }
        bearingList_->setCurrentIndex(row);
    }
    bearingChanged(state.currentRow);

    fillDisplayList();
    {
        const QSignalBlocker blocker(languageList_);
        languageList_->clear();
        for (int language = 0; language < kLanguageCount; ++language) {
            languageList_->addItem(QString::fromUtf8(languageName(language)));
        }
        languageList_->setCurrentIndex(std::clamp(config.data.language, 0, kLanguageCount - 1));
    }
    languageChanged(languageList_->currentIndex());
    okButton_->setFocus();
}

void CSetup::bearingChanged(int row) {
    if (row < 0) {
        return;
    }
    const int count = records_.config.bearingCount;
    records_.state.currentRow = row;
    pulseEdit_->setText(QString::number(records_.config.bearingTable[row].pulses));
    const bool userDefined = row == count;
    spin_->setEnabled(userDefined);
    pulseEdit_->setReadOnly(!userDefined);
}

void CSetup::fillDisplayList() {
    const QSignalBlocker blocker(displayList_);
    displayList_->clear();
    for (int i = 0; i < kFormatCount; ++i) {
        displayList_->addItem(uiText(TextTable::Setup, setuprow::kFirstFormat + i));
    }
    displayList_->setCurrentIndex(records_.config.data.displayFormat);
}

void CSetup::displayChosen(int index) {
    if (index >= 0) {
        records_.config.data.displayFormat = index;
    }
}

void CSetup::languageChanged(int language) {
    if (language < 0) {
        return;
    }
    records_.config.data.language = language;
    setLanguage(language);
    loadQtTranslations(language);
    setCaptions();
    fillDisplayList();
    records_.save();
}

void CSetup::setCaptions() {
    setWindowTitle(uiText(TextTable::Setup, setuprow::kTitle));
    pulseGroup_->setTitle(uiText(TextTable::Setup, setuprow::kPulseRate));
    bearingGroup_->setTitle(uiText(TextTable::Setup, setuprow::kBearingType));
    displayGroup_->setTitle(uiText(TextTable::Setup, setuprow::kPositionDisplay));
    languageGroup_->setTitle(uiText(TextTable::Setup, setuprow::kLanguage));
    portGroup_->setTitle(uiText(TextTable::Setup, setuprow::kSerialPort));
    okButton_->setText(uiText(TextTable::Setup, setuprow::kOk));
    cancelButton_->setText(uiText(TextTable::Setup, setuprow::kCancel));
}

void CSetup::confirm() {
    ConfigRecords& config = records_.config;
    confirmBearingSelection(config.data, config.bearingTable, config.bearingCount,
                            records_.state.currentRow,
                            parsePulseField(pulseEdit_->text().toStdString()),
                            records_.minPulseRate, records_.maxPulseRate);
    records_.state.confirmedRow = records_.state.currentRow;
    accept();
}

void CSetup::changeEvent(QEvent* event) {
    // The dialog has a fixed size: a request to maximise shows it normally.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        QTimer::singleShot(0, this, [this] { showNormal(); });
    }
    QDialog::changeEvent(event);
}

bool runSetupDialog(QWidget* parent, const SetupRecords& records, bool restoreOnCancel) {
    const SettingsSnapshot snapshot(records.config.data);
    CSetup dialog(records, parent);
    if (dialog.exec() == QDialog::Accepted) {
        return true;
    }
    if (restoreOnCancel) {
        snapshot.restore(records.config.data);
        records.save();
    }
    return false;
}
