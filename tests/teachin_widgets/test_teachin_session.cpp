// The teach-in session on its own, with inputs the test plays: the message
// windows it opens for the step logic, what cancelling does to one still open,
// and the bars drawn only for the values the logic lets through.

#include "support/Controls.h"
#include "support/Waiting.h"

#include "config/Texts.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "teachin/widgets/TeachInSession.h"
#include "ui/CMessagebox2.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TeachInSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        setLanguage(0);
        in.boxTypeText = "ORVA-U NoRef";
        in.boxInfoText = "0*";
        in.boxInfoMarked = true;
        in.newProtocol = true;
        in.sensorConnection = 0;
        in.amplitudeYE = 60.0;
        in.amplitudeWH = 60.0;
        TeachInHooks hooks;
        hooks.readInputs = [this] { return in; };
        hooks.placeRequest = [this](BoxRequest r) { requests.push_back(r); };
        hooks.setStatusRestart = [] {};
        hooks.resetReadings = [] {};
        session = std::make_unique<TeachInSession>(std::move(hooks), warnOptimum);
        QObject::connect(session.get(), &TeachInSession::finished,
                         [this](WizardResult r) { result = r; });
        session->show();
    }

    QMessageBox* messageBox() const { return session->window()->findChild<QMessageBox*>(); }

    bool waitForMessage(WizardMessageKind kind) {
        return waitWithEvents([&] {
            const std::optional<WizardMessage> open = session->openMessage();
            return open && open->kind == kind;
        });
    }

    QPushButton* buttonOf(QMessageBox* box, const QString& caption) const {
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption)
                return qobject_cast<QPushButton*>(b);
        return nullptr;
    }

    bool warnOptimum = false;
    WizardInputs in;
    std::vector<BoxRequest> requests;
    std::optional<WizardResult> result;
    std::unique_ptr<TeachInSession> session;
};

TEST_F(TeachInSessionTest, ShowsEachQuestionWithTheIconAndButtonsItNames) {
    in.sensorConnection = 1;
    ASSERT_TRUE(waitForMessage(WizardMessageKind::PlugInSensors));
    QMessageBox* box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isModal());
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("TEACH-IN"));
    EXPECT_EQ(box->buttons().size(), 2);
    // The user's Cancel: nothing was done.
    QPushButton* cancel = buttonOf(box, QStringLiteral("Cancel"));
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    ASSERT_TRUE(waitForMessage(WizardMessageKind::ResultNotDone));
    box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_FALSE(result.has_value()) << "not before the result was confirmed";
    box->buttons().front()->click();
    ASSERT_TRUE(waitWithEvents([&] { return result.has_value(); }));
    EXPECT_EQ(*result, WizardResult::NotDone);
    EXPECT_TRUE(requests.empty());
}

TEST_F(TeachInSessionTest, ClosingTheWindowTakesTheOpenRepeatWarningAlong) {
    in.boxInfoText = "4711"; // holds a teach-in
    in.boxInfoMarked = false;
    ASSERT_TRUE(waitForMessage(WizardMessageKind::RepeatWarning));
    const QPointer<CMessagebox2> warning = session->window()->findChild<CMessagebox2*>();
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(warning->isVisible());
    session->window()->close();
    EXPECT_TRUE(warning.isNull() || !warning->isVisible());
    ASSERT_TRUE(waitForMessage(WizardMessageKind::ResultFailed));
    EXPECT_TRUE(requests.empty()) << "the warning was not answered Yes";
    // Closing again leaves the result message to end the session.
    session->window()->close();
    EXPECT_TRUE(session->openMessage().has_value());
    ASSERT_TRUE(session->answerMessage(true));
    ASSERT_TRUE(waitWithEvents([&] { return result.has_value(); }));
    EXPECT_EQ(*result, WizardResult::Failed);
}

TEST_F(TeachInSessionTest, DrawsTheBarsOnlyWithWhatTheStepLogicLetsThrough) {
    session->amplitudeUpdate('Y', 61.0);
    EXPECT_EQ(session->window()->barValues().ye, -1.0) << "no bars before STEP 1";
    ASSERT_TRUE(waitWithEvents([&] { return session->wizard().view().step == -1; }));
    ASSERT_TRUE(waitWithEvents([&] { return session->wizard().view().step == 0; }));
    EXPECT_EQ(requests, std::vector<BoxRequest>{BoxRequest::Reset});
    session->amplitudeUpdate('Y', 62.0);
    EXPECT_EQ(session->window()->barValues().ye, 62.0);
    session->amplitudeUpdate('Y', 62.6); // less than a point: not drawn
    EXPECT_EQ(session->window()->barValues().ye, 62.0);
    session->amplitudeUpdate('W', 40.0);
    EXPECT_EQ(session->window()->barValues().wh, 40.0);
    EXPECT_EQ(session->window()->picture().amplitudeYE, 62.6) << "the advice follows every value";
}

} // namespace
