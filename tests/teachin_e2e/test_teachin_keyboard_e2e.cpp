// The teach-in wizard driven with the keyboard only (Tab, Space, Return,
// Escape), against the simulated box over a pseudo-terminal: each key goes
// where the focus stands, as a user's would. A stray key never erases the box
// nor ends a teach-in that has reset it; Return is "Next >" whenever "Next >"
// can be pressed.

#include "SessionRig.h"

#include "config/Texts.h"
#include "ui/CMessagebox2.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

using boxsim::BoxKind;
using boxsim::TeachPhase;
using teachine2e::SessionRig;

namespace {

using namespace std::chrono_literals;

class KeyboardTeachIn : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(0); }

    // Where a key goes now: the focused control of a modal question (the
    // window manager activates it; the offscreen platform may leave its
    // owner active), else of the active window, else the active window.
    static QWidget* keyTarget() {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
        if (QWidget* focus = QApplication::focusWidget())
            return focus;
        return QApplication::activeWindow();
    }

    // Presses `key` where the focus stands; false when no window takes keys.
    static bool press(Qt::Key key) {
        QWidget* target = keyTarget();
        if (target == nullptr)
            return false;
        QTest::keyClick(target, key);
        return true;
    }

    // Presses Tab until `button` has the focus (at most `limit` times).
    static bool tabTo(const QWidget* button, int limit = 8) {
        for (int i = 0; i < limit && keyTarget() != button; ++i)
            if (!press(Qt::Key_Tab))
                return false;
        return keyTarget() == button;
    }

    static QAbstractButton* buttonOfRole(QMessageBox* box, QMessageBox::ButtonRole role) {
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == role)
                return button;
        return nullptr;
    }

    // The window manager activates a window that comes to the front, and the
    // owner again when a window above it closes.
    static bool activate(QWidget* window) {
        if (window->isActiveWindow())
            return true;
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

    static CMessagebox2* openWarning(SessionRig& rig) {
        CMessagebox2* open = nullptr;
        rig.waitFor([&] {
            for (CMessagebox2* w : rig.session->window()->findChildren<CMessagebox2*>())
                if (w->isVisible())
                    open = w;
            return open != nullptr;
        });
        return open;
    }

    static QMessageBox* openQuestion(SessionRig& rig, WizardMessageKind kind) {
        QMessageBox* open = nullptr;
        rig.waitFor([&] {
            const std::optional<WizardMessage> message = rig.session->openMessage();
            if (!message || message->kind != kind)
                return false;
            for (QMessageBox* box : rig.session->window()->findChildren<QMessageBox*>())
                if (box->isVisible())
                    open = box;
            return open != nullptr;
        });
        return open;
    }

    // The wizard's buttons that cancel or move the teach-in.
    static bool focusOnACancelOrMoveButton(SessionRig& rig) {
        QWidget* focus = rig.session->window()->focusWidget();
        return focus != nullptr && (focus == rig.button(CTeachInDlg::kCancelButton) ||
                                    focus == rig.button(CTeachInDlg::kBackButton) ||
                                    focus == rig.button(CTeachInDlg::kOkButton));
    }

    // Every stray key a user may hit while "Next >" is disabled: none of them
    // opens a question or ends the wizard.
    void strayKeysChangeNothing(SessionRig& rig) {
        CTeachInDlg* wizard = rig.session->window();
        ASSERT_TRUE(activate(wizard));
        const int step = rig.step();
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab,
                            Qt::Key_Return, Qt::Key_Backtab, Qt::Key_Space}) {
            ASSERT_FALSE(rig.button(CTeachInDlg::kNextButton)->isEnabled());
            ASSERT_TRUE(press(key));
            EXPECT_FALSE(focusOnACancelOrMoveButton(rig))
                << "focus on " << keyTarget()->objectName().toStdString();
        }
        EXPECT_FALSE(rig.session->openMessage().has_value()) << rig.describe();
        EXPECT_EQ(rig.step(), step);
        EXPECT_FALSE(rig.result.has_value());
    }

    // Waits until "Next >" can be pressed and presses Return where the focus is.
    bool returnAsNext(SessionRig& rig) {
        QPushButton* next = rig.button(CTeachInDlg::kNextButton);
        if (!rig.waitFor([&] { return next->isVisible() && next->isEnabled(); }))
            return false;
        return activate(rig.session->window()) && press(Qt::Key_Return);
    }
};

TEST_F(KeyboardTeachIn, RepeatedTeachInFromTheWarningToTheStoredResult) {
    SessionRig rig(BoxKind::Reference, false);
    rig.start();
    CMessagebox2* warning = openWarning(rig);
    ASSERT_NE(warning, nullptr) << rig.describe();
    ASSERT_TRUE(activate(warning));
    // "No" holds the focus; Tab reaches "Yes", Space presses it.
    EXPECT_EQ(keyTarget()->objectName(), QStringLiteral("2"));
    ASSERT_TRUE(tabTo(warning->findChild<QPushButton*>(QStringLiteral("1"))));
    // The box stays silent for a while, so the wizard surely waits for it
    // while the keys below are pressed.
    rig.box.silence(3s);
    ASSERT_TRUE(press(Qt::Key_Space));
    ASSERT_TRUE(rig.waitFor([&] { return rig.step() == -1; })) << rig.describe();
    EXPECT_TRUE(rig.placed == std::vector<BoxRequest>{BoxRequest::Erase});

    // The erase waits for the box: "Next >" is disabled.
    ASSERT_NO_FATAL_FAILURE(strayKeysChangeNothing(rig));

    // STEP 1 and STEP 2 by Return alone.
    ASSERT_TRUE(returnAsNext(rig)) << rig.describe();
    ASSERT_TRUE(rig.waitForStep(1)) << rig.describe();
    ASSERT_TRUE(returnAsNext(rig)) << rig.describe();
    ASSERT_TRUE(rig.waitForStep(2)) << rig.describe();
    // STEP 3 waits for the box's restart, again with "Next >" disabled.
    ASSERT_NO_FATAL_FAILURE(strayKeysChangeNothing(rig));

    rig.box.setSpeedRpm(2.0);
    ASSERT_TRUE(rig.waitFor([&] {
        const WizardView v = rig.session->wizard().view();
        return v.step == v.stepCount - 1 && v.stepSatisfied;
    })) << rig.describe();
    rig.box.setSpeedRpm(0.0);
    ASSERT_TRUE(returnAsNext(rig));
    QMessageBox* result = openQuestion(rig, WizardMessageKind::ResultSuccess);
    ASSERT_NE(result, nullptr) << rig.describe();
    ASSERT_TRUE(activate(result));
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(rig.waitFor([&] { return rig.result.has_value(); }));
    EXPECT_EQ(*rig.result, WizardResult::Success);
    ASSERT_TRUE(rig.waitFor([&] { return rig.box.teachPhase() == TeachPhase::Stored; }))
        << rig.describe();
}

TEST_F(KeyboardTeachIn, ReturnOnTheRepeatWarningKeepsTheBoxsTeachIn) {
    SessionRig rig(BoxKind::Reference, false);
    rig.start();
    CMessagebox2* warning = openWarning(rig);
    ASSERT_NE(warning, nullptr) << rig.describe();
    ASSERT_TRUE(activate(warning));
    ASSERT_TRUE(press(Qt::Key_Return));
    QMessageBox* result = openQuestion(rig, WizardMessageKind::ResultNotDone);
    ASSERT_NE(result, nullptr) << rig.describe();
    ASSERT_TRUE(activate(result));
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(rig.waitFor([&] { return rig.result.has_value(); }));
    EXPECT_EQ(*rig.result, WizardResult::NotDone);
    EXPECT_TRUE(rig.placed.empty());
    EXPECT_TRUE(rig.box.changeCommands().empty());
    EXPECT_EQ(rig.box.teachPhase(), TeachPhase::Stored);
}

TEST_F(KeyboardTeachIn, CancellingAfterTheResetAsksAndGoesOnByDefault) {
    // A blank box is reset at once: from STEP 1 on, cancelling asks.
    SessionRig rig(BoxKind::NoReference, true);
    rig.start();
    QPushButton* next = rig.button(CTeachInDlg::kNextButton);
    ASSERT_TRUE(rig.waitFor([&] { return rig.step() == 0 && next->isEnabled(); }))
        << rig.describe();
    ASSERT_TRUE(activate(rig.session->window()));
    EXPECT_EQ(keyTarget(), next) << "the enabled \"Next >\" takes the focus";

    // Escape; and Tab to "Cancel Teach-In" (it may take the focus while
    // "Next >" is enabled) and Space. The question's default goes on: Return,
    // or Space on the button that has the focus.
    for (const bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Escape, Return" : "Tab to Cancel, Space, Space");
        ASSERT_TRUE(activate(rig.session->window()));
        if (byEscape) {
            ASSERT_TRUE(press(Qt::Key_Escape));
        } else {
            ASSERT_TRUE(tabTo(rig.button(CTeachInDlg::kCancelButton)));
            ASSERT_TRUE(press(Qt::Key_Space));
        }
        QMessageBox* question = openQuestion(rig, WizardMessageKind::CancelQuestion);
        ASSERT_NE(question, nullptr) << rig.describe();
        ASSERT_TRUE(activate(question));
        EXPECT_EQ(keyTarget(), buttonOfRole(question, QMessageBox::RejectRole));
        ASSERT_TRUE(press(byEscape ? Qt::Key_Return : Qt::Key_Space));
        ASSERT_TRUE(rig.waitFor([&] { return !rig.session->openMessage().has_value(); }));
        EXPECT_EQ(rig.step(), 0);
        EXPECT_FALSE(rig.result.has_value());
    }

    // The teach-in goes on: Return is "Next >".
    ASSERT_TRUE(returnAsNext(rig)) << rig.describe();
    ASSERT_TRUE(rig.waitForStep(1)) << rig.describe();

    // Escape, then Tab to "Yes" and Space: cancelled on purpose.
    ASSERT_TRUE(activate(rig.session->window()));
    ASSERT_TRUE(press(Qt::Key_Escape));
    QMessageBox* question = openQuestion(rig, WizardMessageKind::CancelQuestion);
    ASSERT_NE(question, nullptr) << rig.describe();
    ASSERT_TRUE(activate(question));
    ASSERT_TRUE(tabTo(buttonOfRole(question, QMessageBox::AcceptRole)));
    ASSERT_TRUE(press(Qt::Key_Space));
    QMessageBox* result = openQuestion(rig, WizardMessageKind::ResultFailed);
    ASSERT_NE(result, nullptr) << rig.describe();
    EXPECT_TRUE(rig.session->wizard().view().cancelledAfterAsking);
    ASSERT_TRUE(activate(result));
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(rig.waitFor([&] { return rig.result.has_value(); }));
    EXPECT_EQ(*rig.result, WizardResult::Failed);
    // The reset of the start, and nothing written.
    EXPECT_TRUE(rig.placed == std::vector<BoxRequest>{BoxRequest::Reset});
}

} // namespace
