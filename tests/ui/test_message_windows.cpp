// The three non-blocking message windows.

#include "config/ConfigData.h"
#include "config/Texts.h"
#include "support/Controls.h"
#include "ui/CMessagebox2.h"
#include "ui/Messagebox3.h"
#include "ui/Notice.h"
#include "ui/SettingsSaveNotice.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
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
};

QString labelText(QWidget* window) {
    return control<QLabel>(window, 1045)->text();
}

} // namespace

TEST_F(MessageWindowTest, InterfaceNoticeOpensOnlyOnceUntilClosed) {
    bool shown = false;
    QPointer<Messagebox3> first = Messagebox3::openOnce(owner.get(), shown);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("ORVATIX AUTOMATIC INTERFACE SEARCH "));
    EXPECT_TRUE(labelText(first).startsWith(QStringLiteral("ATTENTION:\n\nInterface not found.")));
    EXPECT_FALSE(control<QPushButton>(first, 1)->isVisible());

    // A second failed search while the notice is open opens nothing.
    EXPECT_EQ(Messagebox3::openOnce(owner.get(), shown), nullptr);
    EXPECT_EQ(open<Messagebox3>().size(), 1);

    first->close();
    settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_FALSE(shown);
    EXPECT_NE(Messagebox3::openOnce(owner.get(), shown), nullptr);
    EXPECT_EQ(open<Messagebox3>().size(), 1);
}

TEST_F(MessageWindowTest, WizardQuestionRunsYesOrNoOnce) {
    int yes = 0;
    int no = 0;
    QPointer<CMessagebox2> question = CMessagebox2::open(
        owner.get(), [&yes] { ++yes; }, [&no] { ++no; });
    EXPECT_EQ(question->windowTitle(), QStringLiteral("TEACH-IN"));
    EXPECT_FALSE(question->isModal());
    control<QPushButton>(question, 1)->click();
    control<QPushButton>(question, 2)->click(); // already closing
    settle();
    EXPECT_EQ(yes, 1);
    EXPECT_EQ(no, 0);
    EXPECT_TRUE(question.isNull());

    question = CMessagebox2::open(
        owner.get(), [&yes] { ++yes; }, [&no] { ++no; });
    question->close(); // the close box answers "No"
    settle();
    EXPECT_EQ(yes, 1);
    EXPECT_EQ(no, 1);
}

namespace {

// A failed save of the settings is told once per run, naming the file and the
// reason in the current language.
TEST_F(MessageWindowTest, SettingsThatCannotBeSavedAreToldOnce) {
    SettingsSaveNotice notice;
    const QString path = QStringLiteral("/work/ORVAdata.cfg");
    EXPECT_EQ(notice.report(owner.get(), path, FileWriteResult{true, {}}), nullptr);
    EXPECT_FALSE(notice.told());

    setLanguage(1);
    QPointer<QMessageBox> box = notice.report(
        owner.get(), path, FileWriteResult{false, QStringLiteral("Read-only file system")});
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("Die Einstellungen können nicht gespeichert werden in\n"
                                          "/work/ORVAdata.cfg\n\nRead-only file system"));

    EXPECT_EQ(notice.report(owner.get(), path, FileWriteResult{false, QStringLiteral("again")}),
              nullptr);
    box->close();
    settle();
}

TEST(SettingsSaveText, PlaceholderInThePathIsNotFilledTwice) {
    setLanguage(0);
    EXPECT_EQ(settingsSaveProblemText(QStringLiteral("/a%s/ORVAdata.cfg"), QStringLiteral("why")),
              QStringLiteral("The settings cannot be saved in\n/a%s/ORVAdata.cfg\n\nwhy"));
}

} // namespace

namespace {

// A notice raised while a dialog is still being made (the setup dialog saves
// the settings while it is built) shows over that dialog once it opens,
// instead of lying behind it.
TEST_F(MessageWindowTest, ANoticeRaisedBeforeADialogOpensShowsOverIt) {
    QPointer<QMessageBox> box = showNoticeInFront(nullptr, QMessageBox::Warning,
                                                  QStringLiteral("Error.  "), QStringLiteral("x"));
    ASSERT_NE(box, nullptr);
    QDialog dialog(owner.get());
    dialog.setModal(true);
    dialog.show();
    const QDeadlineTimer deadline(10000);
    while (box != nullptr && box->parentWidget() != &dialog && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &dialog);
    EXPECT_TRUE(box->isVisible());
    box->close();
    settle();
}

} // namespace
