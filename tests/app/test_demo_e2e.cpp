// The demo as a newcomer meets it: the whole program with --demo on a screen
// of 1920 x 1080 with window frames. The box's panel works while the setup
// dialog and the start menu wait for an answer, the wizard opens beside the
// panel instead of over it, the box starts on the chosen bearing's line count
// (no mismatch notice), a change of the box's kind restarts the box so that
// the program learns the new kind, and the mismatch is one click away.

#include "app/CORVATIXApp.h"
#include "app/DemoSession.h"
#include "boxsim/BoxSimulator.h"
#include "boxsim/widgets/BoxSimulatorPanel.h"
#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "ui/CSelectDlg.h"
#include "ui/CSetup.h"
#include "ui/DialogStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace {

using namespace std::chrono_literals;

// Steps polled one after the other while the program's own loops run, each
// until it is done or its deadline passes.
class Script : public QObject {
public:
    void add(std::string what, std::function<bool()> done, std::chrono::seconds deadline = 60s) {
        steps_.push_back({std::move(what), std::move(done), deadline});
    }
    void start() {
        connect(&timer_, &QTimer::timeout, this, &Script::poll);
        timer_.start(50);
        since_ = std::chrono::steady_clock::now();
    }
    const std::string& failure() const { return failure_; }
    bool finished() const { return steps_.empty(); }
    std::function<void()> onFailure;

private:
    struct Step {
        std::string what;
        std::function<bool()> done;
        std::chrono::seconds deadline;
    };
    void poll() {
        if (steps_.empty()) {
            timer_.stop();
            return;
        }
        if (steps_.front().done()) {
            steps_.pop_front();
            since_ = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since_ > steps_.front().deadline) {
            failure_ = steps_.front().what;
            steps_.clear();
            timer_.stop();
            if (onFailure)
                onFailure();
        }
    }
    std::deque<Step> steps_;
    QTimer timer_;
    std::chrono::steady_clock::time_point since_;
    std::string failure_;
};

template <typename Dialog> Dialog* activeDialog() {
    Dialog* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    return dialog != nullptr && dialog->isVisible() ? dialog : nullptr;
}

template <typename Dialog> bool clickIn(int id) {
    Dialog* dialog = activeDialog<Dialog>();
    auto* button =
        dialog != nullptr ? dialog->template findChild<QPushButton*>(QString::number(id)) : nullptr;
    if (button == nullptr)
        return false;
    button->click();
    return true;
}

// Whether the window system lets input reach the panel: a modal dialog that
// blocks it tells it so.
class BlockWatch : public QObject {
public:
    bool blocked = false;
    bool everBlocked = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked) {
            blocked = true;
            everBlocked = true;
        } else if (event->type() == QEvent::WindowUnblocked) {
            blocked = false;
        }
        return QObject::eventFilter(watched, event);
    }
};

QMessageBox* visibleNotice() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible())
            return box;
    }
    return nullptr;
}

CTeachInDlg* visibleWizard() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* wizard = qobject_cast<CTeachInDlg*>(w); wizard != nullptr && wizard->isVisible())
            return wizard;
    }
    return nullptr;
}

// A click as the window system delivers it: a window that a modal dialog
// blocks does not get it.
void clickOnScreen(QWidget* control) {
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

template <typename F> auto underReadings(F&& f) {
    std::lock_guard<std::mutex> lock(readingsMutex);
    return f(deviceReadings);
}

TEST(Demo, PanelBesideTheProgramBoxFitsTheBearingAndRestartsOnAnotherKind) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString previousDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    // The day's event log goes into the test's folder.
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toLocal8Bit());

    CommandLineOptions options;
    options.demo = true;
    CORVATIXApp program(options);
    BlockWatch watch;
    BoxSimulatorPanel* panel = nullptr;
    boxsim::BoxSimulator* box = nullptr;
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    const auto find = [&panel](const char* id) {
        return panel->findChild<QWidget*>(QString::fromLatin1(id));
    };

    bool kindChanged = false;
    bool noBearingClicked = false;
    Script script;
    script.add("the setup dialog with the panel beside it", [&] {
        if (activeDialog<CSetup>() == nullptr || program.demo() == nullptr)
            return false;
        panel = program.demo()->panel();
        box = &program.demo()->box();
        if (!panel->isVisible())
            return false;
        panel->installEventFilter(&watch);
        return true;
    });
    script.add("the panel answers a click while the setup waits", [&] {
        EXPECT_FALSE(watch.blocked) << "the setup dialog blocks the panel";
        EXPECT_TRUE(screen.contains(panel->frameGeometry())) << "the panel is on the screen";
        EXPECT_EQ(panel->frameGeometry().right(), screen.right()) << "at the right edge";
        clickOnScreen(find("stop"));
        EXPECT_EQ(box->speedRpm(), 0.0) << "the click reached the box";
        static_cast<QDoubleSpinBox*>(find("speed"))->setValue(10.0);
        return true;
    });
    script.add("setup confirmed", [] { return clickIn<CSetup>(1); });
    script.add("the panel answers while the start menu waits", [&] {
        if (activeDialog<CSelectDlg>() == nullptr)
            return false;
        EXPECT_FALSE(watch.blocked) << "the start menu blocks the panel";
        clickOnScreen(find("stop"));
        EXPECT_EQ(box->speedRpm(), 0.0) << "the click reached the box";
        static_cast<QDoubleSpinBox*>(find("speed"))->setValue(10.0);
        return true;
    });
    script.add("start menu: Teach-In",
               [] { return clickIn<CSelectDlg>(CSelectDlg::kTeachInButton); });
    script.add("the wizard beside the panel", [&] {
        CTeachInDlg* wizard = visibleWizard();
        if (wizard == nullptr)
            return false;
        EXPECT_FALSE(wizard->frameGeometry().intersects(panel->frameGeometry()))
            << "the wizard covers the panel";
        EXPECT_EQ(wizard->frameGeometry().topLeft(), screen.topLeft());
        EXPECT_GT(wizard->frameGeometry().width(), screen.width() / 2)
            << "the wizard takes the room beside the panel";
        return true;
    });
    script.add("the box reports the selected bearing's line count", [&] {
        const int32_t detected =
            underReadings([](DeviceReadings& r) { return r.detectedPulseRate; });
        if (detected == 0)
            return false;
        EXPECT_EQ(detected, configData.pulseRate);
        EXPECT_EQ(static_cast<QSpinBox*>(find("pulseRate"))->value(), configData.pulseRate);
        EXPECT_EQ(visibleNotice(), nullptr) << "a mismatch notice over the wizard";
        return true;
    });
    script.add("the kind changes: the box restarts and the program learns it", [&] {
        if (!kindChanged) {
            kindChanged = true;
            static_cast<QComboBox*>(find("kind"))->setCurrentIndex(2); // NoRef
            EXPECT_FALSE(box->powered()) << "a box changes its kind only by a restart";
        }
        return underReadings([](DeviceReadings& r) {
            return std::string(r.boxTypeText).find("NoRef") != std::string::npos;
        });
    });
    script.add("one click to a line count that fits no bearing", [&] {
        if (!noBearingClicked) {
            noBearingClicked = true;
            clickOnScreen(find("fitsNoBearing"));
        }
        return visibleNotice() != nullptr && box->pulseRate() != configData.pulseRate;
    });
    script.add("the program ends on request", [] {
        std::raise(SIGTERM);
        return true;
    });
    script.onFailure = [] { std::raise(SIGTERM); };
    script.start();

    program.InitInstance();
    EXPECT_EQ(script.failure(), "");
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(watch.everBlocked) << "a dialog of the program blocked the panel";
    QDir::setCurrent(previousDir);
}

} // namespace

// As in the other window tests: Qt's GUI library draws with worker threads
// and locks that ThreadSanitizer cannot see (Qt is not built with it).
extern "C" const char* __tsan_default_suppressions() {
    return "race:libQt6Gui.so.6\n";
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // A desktop-sized screen with window frames, as the demo meets it.
    QTemporaryDir config;
    const QString file = config.filePath(QStringLiteral("screen.json"));
    QFile json(file);
    if (!json.open(QIODevice::WriteOnly))
        return 1;
    json.write(R"({"windowFrameMargins": true, "screens": [{"name": "demo", "x": 0, "y": 0,
                   "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1}]})");
    json.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).toLocal8Bit());
    qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    applyDialogStyle(app);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
