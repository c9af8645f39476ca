// The teach-in window driven by pictures: what it redraws, its buttons, the
// position texts it takes, the result colour, and closing.

#include "support/Controls.h"
#include "support/Waiting.h"

#include "config/Texts.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "teachin/widgets/WizardTexts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Collects the regions the window is asked to paint.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

class WizardWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setLanguage(0);
        window->resize(1280, 800);
        window->show();
        ASSERT_TRUE(waitWithEvents([&] { return window->isVisible(); }));
        window->installEventFilter(&recorder);
    }

    WizardPicture step(int n, int count = 5) {
        WizardPicture p = WizardPicture::initial();
        p.noData = false;
        p.step = n;
        p.stepCount = count;
        return p;
    }

    // What gets painted after `change`: a marker rectangle far from the bars
    // is asked for too, so that the paint surely comes and carries both.
    QRegion paintedAfter(const std::function<void()>& change) {
        settle();
        recorder.painted = QRegion();
        change();
        window->update(marker);
        EXPECT_TRUE(waitWithEvents([&] { return recorder.painted.contains(marker.center()); }));
        return recorder.painted - QRegion(marker);
    }

    void settle() {
        const int before = recorder.paints;
        window->update(marker);
        waitWithEvents([&] { return recorder.paints > before; });
    }

    std::unique_ptr<CTeachInDlg> window = std::make_unique<CTeachInDlg>();
    PaintRecorder recorder;
    const QRect marker{2, 2, 4, 4};
};

TEST_F(WizardWindow, RedrawsABarOnlyForAChangeOfOnePointOrMore) {
    window->apply(step(0));
    window->setAmplitude('Y', 58.0); // the advice stays "Sensor distance ok." from here on
    const QRect ye = window->layout().yeBar;

    QRegion painted = paintedAfter([&] { EXPECT_TRUE(window->setAmplitude('Y', 60.0)); });
    EXPECT_EQ(painted.boundingRect(), ye);

    painted = paintedAfter([&] { EXPECT_FALSE(window->setAmplitude('Y', 60.9)); });
    EXPECT_TRUE(painted.isEmpty());
    EXPECT_EQ(window->barValues().ye, 60.0);

    painted = paintedAfter([&] { EXPECT_TRUE(window->setAmplitude('Y', 59.0)); });
    EXPECT_EQ(painted.boundingRect(), ye);

    // The step logic forgets what was drawn: the next value draws at once.
    WizardPicture forget = step(0);
    forget.redraw = WizardPicture::kForgetDrawn;
    window->apply(forget);
    EXPECT_TRUE(window->setAmplitude('Y', 59.5));
}

TEST_F(WizardWindow, DrawsNoBarBeforeStepOne) {
    window->apply(step(-1, 0));
    const QRegion painted = paintedAfter([&] { window->setAmplitude('W', 70.0); });
    EXPECT_FALSE(painted.intersects(window->layout().bars));
}

TEST_F(WizardWindow, GrowsTheExtremesWhileTheShaftTurns) {
    WizardPicture p = step(2);
    p.travelRunning = true;
    p.whMin = p.whMax = 60;
    window->apply(p);
    window->setAmplitude('W', 60.0);
    window->setAmplitude('W', 47.6);
    window->setAmplitude('W', 72.3);
    EXPECT_EQ(window->barValues().whMin, 47);
    EXPECT_EQ(window->barValues().whMax, 72);
}

TEST_F(WizardWindow, TakesPositionTextsFromStepThreeOn) {
    window->apply(step(1));
    window->setPositionTexts("10.55° ", "1.25 rpm ");
    EXPECT_EQ(window->shownPositionText(), QString());
    window->apply(step(2));
    window->setPositionTexts("10.55° ", "1.25 rpm ");
    EXPECT_EQ(window->shownPositionText(), QStringLiteral("Pos: 10.5°    "));
    EXPECT_EQ(window->shownSpeedText(), QStringLiteral("Rpm: 1.2    "));
    // The same texts again draw nothing.
    const QRegion painted = paintedAfter([&] { window->setPositionTexts("10.55° ", "1.25 rpm "); });
    EXPECT_TRUE(painted.isEmpty());
}

TEST_F(WizardWindow, ShowsTheButtonsAsThePictureSaysAndForwardsTheirClicks) {
    auto* next = control<QPushButton>(window.get(), CTeachInDlg::kNextButton);
    auto* cancel = control<QPushButton>(window.get(), CTeachInDlg::kCancelButton);
    auto* ok = control<QPushButton>(window.get(), CTeachInDlg::kOkButton);
    ASSERT_TRUE(next && cancel && ok);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(next->text(), QStringLiteral("..."));
    EXPECT_FALSE(ok->isVisible());
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel\nTeach-In"));

    WizardPicture p = step(0);
    p.next = {true, true, text(TextTable::TeachIn, wizardrow::kNext)};
    window->apply(p);
    EXPECT_EQ(next->text(), QStringLiteral("Next >"));
    int nexts = 0;
    int helps = 0;
    QObject::connect(window.get(), &CTeachInDlg::next, [&] { ++nexts; });
    QObject::connect(window.get(), &CTeachInDlg::help, [&] { ++helps; });
    next->click();
    control<QPushButton>(window.get(), CTeachInDlg::kHelpButton)->click();
    EXPECT_EQ(nexts, 1);
    EXPECT_EQ(helps, 1);
}

TEST_F(WizardWindow, ClosingCancelsInsteadOfClosing) {
    int cancels = 0;
    QObject::connect(window.get(), &CTeachInDlg::cancel, [&] { ++cancels; });
    window->close();
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WizardWindow, StaysInTheCornerOfItsScreen) {
    window->move(150, 120);
    const QPoint corner = window->screen()->availableGeometry().topLeft();
    EXPECT_TRUE(waitWithEvents([&] { return window->frameGeometry().topLeft() == corner; }));
}

TEST_F(WizardWindow, PaintsTheResultOverTheWholeWindow) {
    struct Case {
        WizardResult result;
        QColor colour;
    };
    const QColor face = window->palette().color(QPalette::Window);
    for (const Case& c :
         {Case{WizardResult::Success, QColor(128, 255, 128)},
          Case{WizardResult::Failure, QColor(255, 128, 128)}, Case{WizardResult::NotDone, face}}) {
        WizardPicture p = step(6);
        p.result = c.result;
        window->apply(p);
        const QImage image = window->grab().toImage();
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), c.colour);
        EXPECT_EQ(image.pixelColor(10, image.height() - 10), c.colour);
    }
}

} // namespace
