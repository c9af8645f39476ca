// The wizard's messages and "?" texts in every language.

#include "config/Texts.h"
#include "teachin/TeachInMessages.h"

#include <gtest/gtest.h>

#include <regex>

TEST(TeachInMessages, HelpTextsByStep) {
    setLanguage(0);
    EXPECT_EQ(helpText(-3), helpText(-1));
    EXPECT_EQ(helpText(-2).rfind("Operating parameters", 0), 0u);
    EXPECT_EQ(helpText(0), helpText(1));
    EXPECT_NE(helpText(0).find("Sensor mounted upside down"), std::string::npos);
    EXPECT_NE(helpText(0).find("mounting instructions of the bearing"), std::string::npos);
    EXPECT_EQ(helpText(2).rfind("STEP 3:", 0), 0u);
    EXPECT_NE(helpText(2).find("not centered"), std::string::npos);
    EXPECT_NE(helpText(2).find("Please contact the service of your machine manufacturer."),
              std::string::npos);
    EXPECT_EQ(helpText(3).rfind("STEP 4:", 0), 0u);
    EXPECT_EQ(helpText(4).rfind("STEP 5:", 0), 0u);
    EXPECT_EQ(helpText(5), "");
}

TEST(TeachInMessages, EveryLanguageHasTheTextsAndNoServiceAddress) {
    // The contact line names no company address, e-mail or telephone number.
    const std::regex phoneOrMail(R"(@|\d[\d /-]{5,}\d)");
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        for (int step = -3; step <= 4; ++step) {
            EXPECT_FALSE(helpText(step).empty()) << language << " " << step;
        }
        EXPECT_FALSE(std::regex_search(helpText(2), phoneOrMail)) << language;
        for (WizardResult r :
             {WizardResult::Success, WizardResult::NotDone, WizardResult::Failed}) {
            const WizardMessage m = resultMessage(r);
            EXPECT_FALSE(m.text.empty());
            EXPECT_EQ(m.caption, "TEACH-IN");
            EXPECT_FALSE(m.acceptButton.empty());
        }
        EXPECT_FALSE(repeatWarningMessage().rejectButton.empty());
        EXPECT_FALSE(helpMessage(0).caption.empty());
    }
    setLanguage(0);
}

TEST(TeachInMessages, ResultsPleaseAndWarnAsTheyShould) {
    setLanguage(0);
    const struct {
        WizardResult result;
        WizardMessageKind kind;
        MessageIcon icon;
        const char* start;
    } cases[] = {
        {WizardResult::Success, WizardMessageKind::ResultSuccess, MessageIcon::Information,
         "Teach-In successful\n\nPress \"OK\" to exit\n\nPlease note:"},
        {WizardResult::NotDone, WizardMessageKind::ResultNotDone, MessageIcon::Exclamation,
         "No teach-in was done."},
        {WizardResult::Failed, WizardMessageKind::ResultFailed, MessageIcon::Stop,
         "Teach-In failed !\n\nPress \"OK\" to exit\n\n!!! ERROR !!!"},
    };
    for (const auto& c : cases) {
        const WizardMessage m = resultMessage(c.result);
        EXPECT_EQ(m.kind, c.kind);
        EXPECT_EQ(m.icon, c.icon);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
        EXPECT_EQ(m.text.rfind(c.start, 0), 0u) << m.text;
    }
    const WizardMessage plugIn = plugInMessage();
    EXPECT_EQ(plugIn.text, "Please plug in both sensors\nthen press OK.\n");
    EXPECT_EQ(plugIn.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(plugIn.rejectButton, "Cancel");
    const WizardMessage warning = repeatWarningMessage();
    EXPECT_NE(warning.text.find("\n\nAre you sure you want to restart the teach-in procedure ?"),
              std::string::npos);
    EXPECT_EQ(warning.acceptButton, "Yes");
    EXPECT_EQ(closingFailureMessage(WizardMessageKind::NoReference).text,
              "Teach-In failed: No reference marker found. ");
}
