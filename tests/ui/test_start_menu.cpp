// The start menu: its keys, its choices and "Change setup".

#include "SetupTestRecords.h"
#include "support/Controls.h"

#include "ui/CSelectDlg.h"
#include "ui/StartMenuRules.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using StartMenuTest = SetupTest;

} // namespace

TEST_F(StartMenuTest, ReturnKeyChoosesSystemDiagnosis) {
    CSelectDlg menu(records());
    menu.show();
    menu.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    QWidget* focused = menu.focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), QStringLiteral("1023"));
    EXPECT_TRUE(control<QPushButton>(&menu, 1023)->isDefault());

    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_EQ(menu.result(), QDialog::Accepted);
    EXPECT_EQ(menu.choice(), CSelectDlg::kDiagnosisChoice);
}

TEST_F(StartMenuTest, EachButtonGivesItsChoice) {
    struct Case {
        int id;
        int choice;
        int result;
    };
    for (const Case& c : {Case{1024, CSelectDlg::kTeachInChoice, QDialog::Accepted},
                          Case{1023, CSelectDlg::kDiagnosisChoice, QDialog::Accepted},
                          Case{1026, CSelectDlg::kNoChoice, QDialog::Rejected}}) {
        CSelectDlg menu(records());
        menu.show();
        control<QPushButton>(&menu, c.id)->click();
        EXPECT_EQ(menu.choice(), c.choice) << c.id;
        EXPECT_EQ(menu.result(), c.result) << c.id;
        EXPECT_FALSE(menu.isVisible()) << c.id;
    }
}

TEST_F(StartMenuTest, EscapeLeavesWithoutAChoice) {
    CSelectDlg menu(records());
    menu.show();
    menu.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    QTest::keyClick(&menu, Qt::Key_Escape);
    EXPECT_EQ(menu.result(), QDialog::Rejected);
    EXPECT_EQ(menu.choice(), CSelectDlg::kNoChoice);
}

TEST_F(StartMenuTest, CaptionsFollowTheLanguage) {
    data.language = 1;
    setLanguage(1);
    CSelectDlg menu(records());
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("ORVA Einstell- und Diagnose-Software ORVATIX"));
    EXPECT_EQ(control<QPushButton>(&menu, 1024)->text(),
              QStringLiteral("Inbetriebnahme-Assistent"));
    EXPECT_EQ(control<QPushButton>(&menu, 1023)->text(), QStringLiteral("Diagnose-Assistent"));
    EXPECT_EQ(control<QPushButton>(&menu, 1025)->text(), QStringLiteral("Einstellungen ändern"));
    EXPECT_EQ(control<QPushButton>(&menu, 1026)->text(), QStringLiteral("Beenden"));
    EXPECT_EQ(control<QLabel>(&menu, 1044)->text(), QStringLiteral("Für Hilfe F1 drücken.  "));
}

TEST_F(StartMenuTest, CancelledSetupPutsEverythingBackAndKeepsTheMenuOpen) {
    CSelectDlg menu(records());
    menu.show();
    const ConfigData before = data;
    QTimer::singleShot(0, [this] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* setup = qobject_cast<CSetup*>(window); setup && setup->isVisible()) {
                control<QComboBox>(setup, 1047)->setCurrentIndex(1);
                control<QComboBox>(setup, 1042)->setCurrentIndex(0);
                EXPECT_EQ(data.language, 1);
                control<QPushButton>(setup, 2)->click();
                return;
            }
        }
        ADD_FAILURE() << "setup dialog not open";
    });
    control<QPushButton>(&menu, 1025)->click();

    EXPECT_EQ(data.language, before.language);
    EXPECT_EQ(data.displayFormat, before.displayFormat);
    EXPECT_EQ(configData.language, 0);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.choice(), CSelectDlg::kNoChoice);
    EXPECT_EQ(control<QPushButton>(&menu, 1023)->text(), QStringLiteral("System diagnosis"));
}

TEST(StartMenuRules, LanguageOfTheCaptions) {
    struct Case {
        int language;
        const char* locale;
        int expected;
    };
    for (const Case& c : {Case{3, "German", 3}, Case{0, "French", 0}, Case{-1, "German", 1},
                          Case{-1, "de_DE.UTF-8", 1}, Case{-1, "French", 2}, Case{-1, "Italian", 0},
                          Case{-1, "Spanish", 0}, Case{-1, "C", 0}, Case{7, "German", 0}}) {
        EXPECT_EQ(startMenuLanguage(c.language, c.locale), c.expected)
            << c.language << ' ' << c.locale;
    }
}
