// The setup dialog: captions, bearing selection, the pulse-rate clamp, the
// language switch and what Cancel puts back.

#include "SetupTestRecords.h"
#include "support/Controls.h"

#include "ui/GroupCaptionChecks.h"

#include "ui/SpinButtons.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QStringList items(QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

// Runs `inside` once the modal setup dialog is up.
void whileSetupOpen(std::function<void(CSetup&)> inside) {
    QTimer::singleShot(0, [inside] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* setup = qobject_cast<CSetup*>(window); setup && setup->isVisible()) {
                inside(*setup);
                return;
            }
        }
        ADD_FAILURE() << "setup dialog not open";
    });
}

} // namespace

TEST_F(SetupTest, EveryControlSitsAtItsTemplatePlaceWithItsId) {
    CSetup dialog(records());
    for (int id : {1, 2, 1030, 1041, 1042, 1047, 1049, 1056, 1057, 1058, 1060, 1061}) {
        EXPECT_NE(dialog.findChild<QWidget*>(QString::number(id)), nullptr) << id;
    }
    EXPECT_FALSE(control<QGroupBox>(&dialog, 1058)->isVisibleTo(&dialog));
    EXPECT_TRUE(control<QPushButton>(&dialog, 1)->isDefault());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ORVATIX Setup"));
    EXPECT_EQ(control<QGroupBox>(&dialog, 1060)->title(), QStringLiteral("Pulse rate (lines)"));
    EXPECT_EQ(items(control<QComboBox>(&dialog, 1047)),
              QStringList({"English", "Deutsch", "Français", "Italiano", "Espanol"}));
}

TEST_F(SetupTest, BearingTypeSelectsTheFirstRowItBeginsWithRegardlessOfCase) {
    struct Case {
        const char* type;
        int row;
    };
    for (const Case& c : {Case{"KAVO180/KAVOS180", 1}, Case{"kavo2", 2}, Case{"user", 7},
                          Case{"User", 7}, Case{"NOSUCH", 0}}) {
        data.bearingType = c.type;
        CSetup dialog(records());
        EXPECT_EQ(control<QComboBox>(&dialog, 1041)->currentIndex(), c.row) << c.type;
        EXPECT_EQ(state.confirmedRow, c.row) << c.type;
        // Only the "User defined" row may be edited.
        const bool userDefined = c.row == count;
        EXPECT_EQ(control<SpinButtons>(&dialog, 1049)->isEnabled(), userDefined) << c.type;
        EXPECT_EQ(control<QLineEdit>(&dialog, 1030)->isReadOnly(), !userDefined) << c.type;
        EXPECT_EQ(control<QLineEdit>(&dialog, 1030)->text(), QString::number(table[c.row].pulses));
    }
}

TEST_F(SetupTest, UserDefinedPulseRateIsHeldToTheAcceptedRangeOnOk) {
    struct Case {
        const char* typed;
        int32_t stored;
    };
    for (const Case& c : {Case{"1", 2}, Case{"0", 2}, Case{"", 2}, Case{"30000", 20000},
                          Case{"99999999999999999999999", 20000}, Case{"2", 2},
                          Case{"20000", 20000}, Case{"4321", 4321}}) {
        CSetup dialog(records());
        control<QComboBox>(&dialog, 1041)->setCurrentIndex(count);
        control<QLineEdit>(&dialog, 1030)->setText(QString::fromLatin1(c.typed));
        control<QPushButton>(&dialog, 1)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(table[count].pulses, c.stored) << '"' << c.typed << '"';
        EXPECT_EQ(data.pulseRate.load(), c.stored) << '"' << c.typed << '"';
        EXPECT_EQ(data.bearingType, "User defined");
        EXPECT_EQ(state.confirmedRow, count);
        // The range the parser accepts spans every row, "User defined" included.
        EXPECT_EQ(minRate.load(), std::min(1344, c.stored));
        EXPECT_EQ(maxRate.load(), std::max(3504, c.stored));
    }
}

TEST_F(SetupTest, OkOnAFixedRowTakesItsPulsesAndIgnoresTheField) {
    CSetup dialog(records());
    control<QComboBox>(&dialog, 1041)->setCurrentIndex(3);
    control<QLineEdit>(&dialog, 1030)->setText(QStringLiteral("7"));
    control<QPushButton>(&dialog, 1)->click();
    EXPECT_EQ(data.bearingType, "KAVO260/KAVOS260");
    EXPECT_EQ(data.pulseRate.load(), 2160);
    EXPECT_EQ(table[count].pulses, kDefaultUserPulses);
}

TEST_F(SetupTest, SwitchingToGermanRelabelsAtOnceKeepsTheFormatAndSaves) {
    CSetup dialog(records());
    auto* formats = control<QComboBox>(&dialog, 1042);
    formats->setCurrentIndex(2);
    const int savesBefore = saves;

    control<QComboBox>(&dialog, 1047)->setCurrentIndex(1);

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Systemeinstellungen"));
    EXPECT_EQ(control<QGroupBox>(&dialog, 1060)->title(), QStringLiteral("Strichzahl"));
    EXPECT_EQ(control<QGroupBox>(&dialog, 1056)->title(), QStringLiteral("Lager Typ"));
    EXPECT_EQ(control<QGroupBox>(&dialog, 1057)->title(), QStringLiteral("Positionsanzeige"));
    EXPECT_EQ(control<QGroupBox>(&dialog, 1061)->title(), QStringLiteral("Sprache"));
    EXPECT_EQ(control<QPushButton>(&dialog, 2)->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(items(formats), QStringList({"Grad", "Grad/Min/Sek", "G/M/S High", "Mikrometer"}));
    EXPECT_EQ(formats->currentIndex(), 2);
    EXPECT_EQ(data.displayFormat, 2);
    EXPECT_EQ(data.language, 1);
    EXPECT_EQ(configData.language, 1); // what every text lookup reads
    EXPECT_EQ(saves, savesBefore + 1);
    EXPECT_NE(configFile().find("language \t1"), std::string::npos);
}

TEST_F(SetupTest, GroupCaptionsStandInTheirFrameLinesInEveryLanguage) {
    CSetup dialog(records());
    dialog.show();
    for (int language = 0; language < kLanguageCount; ++language) {
        control<QComboBox>(&dialog, 1047)->setCurrentIndex(language);
        for (const std::string& fault : groupCaptionFaults(dialog))
            ADD_FAILURE() << "language " << language << ": " << fault;
    }
}

TEST_F(SetupTest, EveryOpeningWritesTheFileAndShowsTheSettingsInMemory) {
    // The program reads the file once, before the first opening; what the
    // file says now does not matter to the dialog.
    saveConfigTo(dir, ConfigSet::records());
    data.bearingType = "KAVO200/KAVOS200";
    { CSetup first(records()); }
    EXPECT_EQ(data.bearingType, "KAVO200/KAVOS200");
    { CSetup second(records()); }
    EXPECT_EQ(saves, 2);
    ConfigSet written;
    loadConfigFrom(dir, written.records());
    EXPECT_EQ(written.data.bearingType, "KAVO200/KAVOS200");
}

TEST_F(SetupTest, CancelRestoresEverySettingTheLanguageIncluded) {
    const ConfigData before = data;
    whileSetupOpen([this](CSetup& dialog) {
        control<QComboBox>(&dialog, 1047)->setCurrentIndex(1);
        control<QComboBox>(&dialog, 1042)->setCurrentIndex(3);
        control<QComboBox>(&dialog, 1041)->setCurrentIndex(count);
        control<QLineEdit>(&dialog, 1030)->setText(QStringLiteral("5000"));
        EXPECT_EQ(data.language, 1);
        EXPECT_EQ(data.displayFormat, 3);
        control<QPushButton>(&dialog, 2)->click();
    });
    EXPECT_FALSE(runSetupDialog(nullptr, records(), true));

    EXPECT_EQ(data.bearingType, before.bearingType);
    EXPECT_EQ(data.pulseRate.load(), before.pulseRate.load());
    EXPECT_EQ(data.displayFormat, before.displayFormat);
    EXPECT_EQ(data.directionReversed.load(), before.directionReversed.load());
    EXPECT_EQ(data.language, before.language);
    EXPECT_EQ(data.extDisplayMode, before.extDisplayMode);
    EXPECT_EQ(data.portName, before.portName);
    EXPECT_EQ(data.lastFile, before.lastFile);
    EXPECT_EQ(data.userLevel, before.userLevel);
    EXPECT_EQ(configData.language, 0);
    EXPECT_EQ(table[count].pulses, kDefaultUserPulses);
    // The file no longer holds the language the user cancelled.
    EXPECT_NE(configFile().find("language \t0"), std::string::npos);

    // The next opening shows the row's old value.
    data.bearingType = "User defined";
    CSetup again(records());
    EXPECT_EQ(control<QLineEdit>(&again, 1030)->text(), QStringLiteral("1728"));
}

TEST_F(SetupTest, SpinButtonsStepTheFieldAndWrapOnlyForUserDefined) {
    data.bearingType = "User";
    CSetup dialog(records());
    auto* field = control<QLineEdit>(&dialog, 1030);
    auto* spin = control<SpinButtons>(&dialog, 1049);
    field->setText(QStringLiteral("20000"));
    spin->stepBy(1);
    EXPECT_EQ(field->text(), QStringLiteral("2"));
    spin->stepBy(-1);
    EXPECT_EQ(field->text(), QStringLiteral("20000"));

    control<QComboBox>(&dialog, 1041)->setCurrentIndex(0);
    spin->stepBy(1);
    EXPECT_EQ(field->text(), QStringLiteral("1344"));
}

// At the first start nothing has set the bearing type yet; the file the
// dialog writes must still be complete, so that a cancelled first setup (or a
// program killed meanwhile) keeps the language chosen for the next start.
TEST_F(SetupTest, FirstStartWritesACompleteFileBeforeOk) {
    data.bearingType.clear();
    loadConfigFrom(dir, ConfigSet::records()); // no file yet, as at the first start
    whileSetupOpen([](CSetup& dialog) {
        control<QComboBox>(&dialog, 1047)->setCurrentIndex(3);
        control<QPushButton>(&dialog, 2)->click();
    });
    EXPECT_FALSE(runSetupDialog(nullptr, records(), false));

    ConfigSet next;
    loadConfigFrom(dir, next.records());
    EXPECT_EQ(next.data.language, 3);
    EXPECT_EQ(next.data.bearingType, "KAVO150/KAVOS150"); // row 0
}
