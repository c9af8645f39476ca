// The teach-in window driven by pictures: what it redraws, its buttons, the
// position texts it takes, the result colour, and closing.

#include "support/Controls.h"
#include "support/Waiting.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "teachin/widgets/WizardPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMoveEvent>
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

TEST_F(WizardWindow, DrawsABarWhereItStands) {
    WizardPicture p = step(0);
    p.amplitudeYE = 58.0; // the advice stays "Sensor distance ok." from here on
    window->apply(p);
    const QRect ye = window->layout().yeBar;
    const QRegion painted = paintedAfter([&] { window->drawBar(Head::YE, 60.0); });
    EXPECT_EQ(painted.boundingRect(), ye);
    EXPECT_EQ(window->barValues().ye, 60.0);
}

TEST_F(WizardWindow, DrawsNoBarBeforeStepOne) {
    window->apply(step(-1, 0));
    const QRegion painted = paintedAfter([&] { window->drawBar(Head::WH, 70.0); });
    EXPECT_FALSE(painted.intersects(window->layout().bars));
}

TEST_F(WizardWindow, DrawsTheStripsAgainWhenTheExtremesGrow) {
    WizardPicture p = step(2);
    p.travelRunning = true;
    p.whMin = p.whMax = 60;
    window->apply(p);
    p.whMin = 47;
    const QRegion painted = paintedAfter([&] { window->apply(p); });
    EXPECT_TRUE(painted.contains(window->layout().whBar.center()));
    EXPECT_EQ(window->barValues().whMin, 47);
}

TEST_F(WizardWindow, DrawsOnlyThePositionLineThatChanged) {
    WizardPicture p = step(2);
    p.positionText = "Pos: 10.5°    ";
    p.speedText = "Rpm: 1.2    ";
    window->apply(p);
    const QRegion same = paintedAfter([&] { window->apply(p); });
    EXPECT_TRUE(same.isEmpty());
    p.positionText = "Pos: 10.6°    ";
    const QRegion changed = paintedAfter([&] { window->apply(p); });
    EXPECT_TRUE(changed.intersects(window->layout().positionText));
    EXPECT_FALSE(changed.intersects(window->layout().bars));
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
    p.next = {true, true, text(TextTable::TeachIn, teachinrow::kNext)};
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

TEST(WizardPlacement, MovesBackOnlyAWindowThatIsNeitherMaximisedNorFullScreen) {
    const QPoint corner(0, 24);
    const QPoint away(150, 120);
    const struct {
        Qt::WindowStates states;
        QPoint frame;
        std::optional<QPoint> moveTo;
    } cases[] = {
        {Qt::WindowNoState, away, corner},
        {Qt::WindowNoState, corner, std::nullopt},
        // Before its frame is known a maximised window reports any position.
        {Qt::WindowMaximized, away, std::nullopt},
        {Qt::WindowMaximized | Qt::WindowActive, QPoint(0, 0), std::nullopt},
        {Qt::WindowFullScreen, away, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.states) << " at " << c.frame.x() << "," << c.frame.y());
        EXPECT_EQ(wizardMoveBack(c.states, c.frame, corner), c.moveTo);
    }
}

TEST_F(WizardWindow, AMaximisedWizardIssuesNoMoveWhenMoved) {
    window->showMaximized();
    ASSERT_TRUE(waitWithEvents([&] { return window->isMaximized() && window->isVisible(); }));
    // Whatever move the window itself asks for from here on sets the attribute.
    window->setAttribute(Qt::WA_Moved, false);
    QMoveEvent moved(QPoint(150, 120), window->pos());
    QApplication::sendEvent(window.get(), &moved);
    EXPECT_FALSE(window->testAttribute(Qt::WA_Moved)) << "the wizard moved itself";
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
}

TEST_F(WizardWindow, ScaleTicksAndLimitLinesShowBesideTheNumbers) {
    // STEP 1: MAX at 80 %, MIN at 45 %, ticks at 50 % (among others).
    window->apply(step(0));
    const QImage image = window->grab().toImage();
    const WizardLayout& l = window->layout();
    const QColor marker(0, 0, 128);
    const QColor tick(0, 0, 0);
    // Just right of the YE bar and just left of the WH bar, between the bars.
    const int xs[] = {l.yeBar.right() + 4, l.whBar.left() - 5};
    const struct {
        double percent;
        QColor colour;
    } lines[] = {{80, marker}, {45, marker}, {50, tick}, {30, tick}};
    for (const auto& line : lines) {
        for (int x : xs) {
            SCOPED_TRACE(testing::Message() << line.percent << " % at x " << x);
            EXPECT_EQ(image.pixelColor(x, l.scaleY(line.percent)), line.colour);
        }
    }
}

TEST_F(WizardWindow, TooFastShowsTheSpeedInTheWarningColourWithWhatToDo) {
    const auto warningPixels = [&](const QRect& area) {
        const QImage image = window->grab().toImage();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                    ++count;
            }
        return count;
    };
    WizardPicture p = step(2);
    p.positionText = "Pos: 10.5°    ";
    p.speedText = "Rpm: 5.1    ";
    window->apply(p);
    const WizardLayout& l = window->layout();
    EXPECT_EQ(warningPixels(l.speedText), 0);
    EXPECT_EQ(warningPixels(l.slowerText), 0);
    p.tooFast = true;
    window->apply(p);
    EXPECT_GT(warningPixels(l.speedText), 0);
    EXPECT_GT(warningPixels(l.slowerText), 0) << "the \"Turn slower\" line";
}

TEST_F(WizardWindow, PaintsTheResultOverTheWholeWindow) {
    struct Case {
        std::optional<WizardResult> result;
        QColor colour;
    };
    const QColor face = window->palette().color(QPalette::Window);
    for (const Case& c :
         {Case{WizardResult::Success, QColor(128, 255, 128)},
          Case{WizardResult::Failed, QColor(255, 128, 128)}, Case{WizardResult::NotDone, face}}) {
        WizardPicture p = step(6);
        p.result = c.result;
        window->apply(p);
        const QImage image = window->grab().toImage();
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), c.colour);
        EXPECT_EQ(image.pixelColor(10, image.height() - 10), c.colour);
    }
}

} // namespace
