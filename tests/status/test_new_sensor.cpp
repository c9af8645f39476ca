// The extended display's "New Sensor" confirmation: when it asks, what Yes
// and No do, and the check of the box's teach-in data behind it.

#include "acquisition/BoxRequests.h"
#include "config/ConfigData.h"
#include "config/Texts.h"
#include "device/LinkControl.h"
#include "status/NewSensorCheck.h"
#include "status/widgets/CMessagebox.h"
#include "support/Controls.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class MessageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setLanguage(0);
        owner = std::make_unique<QWidget>();
        owner->show();
    }
    void TearDown() override { setLanguage(0); }

    template <typename W> QList<W*> open() const { return owner->findChildren<W*>(); }

    // Processes the deferred deletion of closed windows.
    static void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::unique_ptr<QWidget> owner;
    LinkControl link;
    BoxRequests requests{link, [] { return int64_t(0); }};
};

QString labelText(QWidget* window) {
    return control<QLabel>(window, 1045)->text();
}

} // namespace

TEST_F(MessageWindowTest, NewSensorYesErasesTheBoxAndResetsTheReadings) {
    int resets = 0;
    QPointer<CMessagebox> box = CMessagebox::open(owner.get(), requests, [&resets] { ++resets; });
    EXPECT_EQ(box->windowTitle(), QStringLiteral("TEACH-IN"));
    EXPECT_TRUE(labelText(box).endsWith(
        QStringLiteral("\n\nAre you sure you want to restart the teach-in procedure ?")));
    EXPECT_EQ(control<QPushButton>(box, 1)->text(), QStringLiteral("Yes"));
    EXPECT_EQ(control<QPushButton>(box, 2)->text(), QStringLiteral("No"));

    control<QPushButton>(box, 1)->click();
    settle();
    EXPECT_EQ(link.pendingCommand.load(), kEraseRequest);
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(box.isNull());
    EXPECT_TRUE(open<QMessageBox>().isEmpty());
}

TEST_F(MessageWindowTest, NewSensorNoLeavesTheBoxAndSaysSo) {
    int resets = 0;
    for (bool closeBox : {false, true}) {
        QPointer<CMessagebox> box =
            CMessagebox::open(owner.get(), requests, [&resets] { ++resets; });
        if (closeBox) {
            box->close();
        } else {
            control<QPushButton>(box, 2)->click();
        }
        settle();
        EXPECT_TRUE(box.isNull());
        const QList<QMessageBox*> notices = open<QMessageBox>();
        ASSERT_EQ(notices.size(), 1);
        EXPECT_EQ(
            notices[0]->text(),
            QStringLiteral("New Sensor command aborted.\n\nSystem data has not been modified."));
        EXPECT_EQ(notices[0]->icon(), QMessageBox::Information);
        delete notices[0];
    }
    EXPECT_EQ(link.pendingCommand.load(), kNoCommand);
    EXPECT_EQ(resets, 0);
}

TEST_F(MessageWindowTest, NewSensorButtonOnASilentBoxShowsTheTimeoutOnly) {
    link.noData = true;
    DeviceReadings readings;
    EXPECT_EQ(requestNewSensor(owner.get(), link, requests, readings, true, true, {}), nullptr);
    EXPECT_TRUE(open<CMessagebox>().isEmpty());
    const QList<QMessageBox*> notices = open<QMessageBox>();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0]->text(), QStringLiteral("Timeout: Communication not possible. "));
    EXPECT_EQ(notices[0]->windowTitle(), QStringLiteral("Error.  "));
}

// A second press while the question is open raises it instead of asking
// again, so that only one "Yes" can send the erase request.
TEST_F(MessageWindowTest, NewSensorAsksOnceAtATime) {
    DeviceReadings readings;
    std::strcpy(readings.boxInfoText, "1Ref");
    int resets = 0;
    QPointer<CMessagebox> first = requestNewSensor(owner.get(), link, requests, readings, true,
                                                   true, [&resets] { ++resets; });
    ASSERT_FALSE(first.isNull());
    QPointer<CMessagebox> second = requestNewSensor(owner.get(), link, requests, readings, true,
                                                    true, [&resets] { ++resets; });
    EXPECT_EQ(second, first);
    EXPECT_EQ(open<CMessagebox>().size(), 1);

    control<QPushButton>(first, 1)->click();
    settle();
    EXPECT_EQ(resets, 1);
    // Once answered, the next press asks again.
    link.pendingCommand = kNoCommand;
    QPointer<CMessagebox> third =
        requestNewSensor(owner.get(), link, requests, readings, true, true, {});
    ASSERT_FALSE(third.isNull());
    EXPECT_EQ(open<CMessagebox>().size(), 1);
    third->close();
    settle();
    for (QMessageBox* notice : open<QMessageBox>())
        delete notice;
}

TEST_F(MessageWindowTest, NewSensorButtonOnABlankBoxDoesNothing) {
    DeviceReadings readings;
    std::strcpy(readings.boxInfoText, "1Ref*");
    EXPECT_EQ(requestNewSensor(owner.get(), link, requests, readings, false, false, {}), nullptr);
    EXPECT_TRUE(open<QWidget>().isEmpty());
}

TEST(NewSensorCheck, TeachInDataOfAnyKindAsksFirst) {
    DeviceReadings blank;
    std::strcpy(blank.boxInfoText, "*");
    struct Case {
        const char* what;
        bool noData;
        bool statusRestart;
        bool offsetWH;
        bool offsetYE;
        const char* refPhase;
        bool absolute;
        const char* boxInfo;
        NewSensorStep expected;
    };
    const Case cases[] = {
        {"silent", true, true, true, true, "A", true, "", NewSensorStep::TimeoutNotice},
        {"blank", false, false, false, false, "", false, "*", NewSensorStep::Nothing},
        {"restart", false, true, false, false, "", false, "*", NewSensorStep::Confirm},
        {"offset WH", false, false, true, false, "", false, "*", NewSensorStep::Confirm},
        {"offset YE", false, false, false, true, "", false, "*", NewSensorStep::Confirm},
        {"reference", false, false, false, false, "12", false, "*", NewSensorStep::Confirm},
        {"absolute", false, false, false, false, "", true, "*", NewSensorStep::Confirm},
        {"taught box", false, false, false, false, "", false, "1Ref", NewSensorStep::Confirm},
    };
    for (const Case& c : cases) {
        DeviceReadings r = blank;
        std::strcpy(r.refPhaseText, c.refPhase);
        std::strcpy(r.boxInfoText, c.boxInfo);
        r.absolutePositionMode = c.absolute;
        EXPECT_EQ(newSensorStep(c.noData, c.statusRestart, r, c.offsetWH, c.offsetYE), c.expected)
            << c.what;
    }
}

TEST(NewSensorCheck, UnterminatedBoxInfoIsReadWithinItsField) {
    DeviceReadings r;
    std::memset(r.boxInfoText, 'x', sizeof r.boxInfoText); // no terminator, no '*'
    EXPECT_EQ(newSensorStep(false, false, r, false, false), NewSensorStep::Confirm);
}
