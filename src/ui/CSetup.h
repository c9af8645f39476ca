#pragma once
// CSetup: the setup dialog.
//
// The setup dialog: bearing type (and with it the pulse rate), position
// display format and user-interface language. Shown at every start before the
// main window, and again from the main window and the start menu.
//
// The dialog works directly on the settings record and the bearing table. The
// language list takes effect at once: captions change and the file is saved.
// OK writes the bearing choice; Cancel writes nothing (callers that open the
// dialog after start-up put the settings back, see runSetupDialog).

#include "config/ConfigData.h"
#include "config/ConfigFile.h"
#include "ui/DialogUnits.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SpinButtons;

// What the dialog keeps between openings.
struct SetupState {
    int currentRow = 0;   // row chosen in the bearing list
    int confirmedRow = 0; // row of the last OK
};

extern SetupState setupState;

// The records the dialog works on, and how it writes the file. The dialog
// never reads the file: the program has read it before the first opening.
struct SetupRecords {
    ConfigRecords config;
    RelaxedAtomic<int32_t>& minPulseRate;
    RelaxedAtomic<int32_t>& maxPulseRate;
    SetupState& state;
    std::function<void()> save; // writes the file

    // The process-wide records with saveSettings.
    static SetupRecords globals();
};

class CSetup : public QDialog {
    Q_OBJECT
public:
    // Control ids of the template.
    enum Id {
        kOk = 1,
        kCancel = 2,
        kPulseEdit = 1030,
        kBearingList = 1041,
        kDisplayList = 1042,
        kPortRadio1 = 1043,
        kPortRadio2 = 1044,
        kPortRadio3 = 1045,
        kLanguageList = 1047,
        kSpin = 1049,
        kBearingGroup = 1056,
        kDisplayGroup = 1057,
        kPortGroup = 1058,
        kPulseGroup = 1060,
        kLanguageGroup = 1061,
    };

    // Builds and initialises the dialog (every opening writes the
    // configuration file).
    explicit CSetup(const SetupRecords& records, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void initialise();
    void bearingChanged(int row);
    void fillDisplayList();
    void displayChosen(int index);
    void languageChanged(int language);
    void setCaptions();
    void confirm();

    SetupRecords records_;
    DialogTemplate template_;

    QGroupBox* pulseGroup_ = nullptr;
    QLineEdit* pulseEdit_ = nullptr;
    SpinButtons* spin_ = nullptr;
    QGroupBox* bearingGroup_ = nullptr;
    QComboBox* bearingList_ = nullptr;
    QGroupBox* displayGroup_ = nullptr;
    QComboBox* displayList_ = nullptr;
    QGroupBox* languageGroup_ = nullptr;
    QComboBox* languageList_ = nullptr;
    QGroupBox* portGroup_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Runs the setup dialog modally; true when it was confirmed with OK. With
// `restoreOnCancel` (every opening after start-up) a Cancel puts every setting
// back as it was before, the language included, and saves the file again so
// that it does not keep a language the user cancelled.
bool runSetupDialog(QWidget* parent, const SetupRecords& records, bool restoreOnCancel);
