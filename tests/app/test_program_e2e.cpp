// The program against the simulated box on a pseudo-terminal: the real setup
// dialog and start menu are confirmed, the main window finds the box through
// the interface search, shows positions, the box's title and version line,
// survives an unplugged line and a silent box, follows a change to an older
// box, and ends cleanly with the configuration saved once.

#include "app/CORVATIXDlg.h"
#include "app/ProgramCore.h"
#include "app/ProgramFlow.h"
#include "boxsim/BoxSimulator.h"
#include "config/ConfigData.h"
#include "config/ConfigFile.h"
#include "device/DeviceReadings.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"
#include "device/SerialTrace.h"
#include "eventlog/SessionEventLog.h"
#include "status/StatusList.h"
#include "status/widgets/CAdditionalMonitor.h"
#include "status/widgets/CErrorDialog.h"
#include "ui/CSelectDlg.h"
#include "ui/CSetup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

namespace {

using namespace std::chrono_literals;

// Steps that run one after the other on the user-interface thread while the
// program's own loops run: each is polled until it reports that it is done
// or its deadline passes.
class Script : public QObject {
public:
    struct Step {
        std::string what;
        std::function<bool()> done;
        std::chrono::seconds deadline;
    };

    void add(std::string what, std::function<bool()> done, std::chrono::seconds deadline = 60s) {
        steps_.push_back({std::move(what), std::move(done), deadline});
    }
    void start() {
        connect(&timer_, &QTimer::timeout, this, &Script::poll);
        timer_.start(50);
        stepStart_ = std::chrono::steady_clock::now();
    }
    // The step that missed its deadline, empty when all went through.
    const std::string& failure() const { return failure_; }
    bool finished() const { return steps_.empty(); }

    std::function<void()> onFailure;

private:
    void poll() {
        if (steps_.empty()) {
            timer_.stop();
            return;
        }
        if (steps_.front().done()) {
            steps_.pop_front();
            stepStart_ = std::chrono::steady_clock::now();
            return;
        }
        if (std::chrono::steady_clock::now() - stepStart_ > steps_.front().deadline) {
            failure_ = steps_.front().what;
            steps_.clear();
            timer_.stop();
            if (onFailure)
                onFailure();
        }
    }

    std::deque<Step> steps_;
    QTimer timer_;
    std::chrono::steady_clock::time_point stepStart_;
    std::string failure_;
};

template <typename Dialog> Dialog* activeDialog() {
    return qobject_cast<Dialog*>(QApplication::activeModalWidget());
}

// Clicks the button with control id `id` of the open modal dialog `Dialog`.
template <typename Dialog> bool clickIn(int id) {
    Dialog* dialog = activeDialog<Dialog>();
    if (dialog == nullptr || !dialog->isVisible())
        return false;
    auto* button = dialog->template findChild<QPushButton*>(QString::number(id));
    if (button == nullptr)
        return false;
    button->click();
    return true;
}

class ProgramAgainstSimulatedBox : public testing::Test {
protected:
    QTemporaryDir workDir;
    QString previousDir = QDir::currentPath();
    boxsim::BoxSimulator box;

    // ORVAdata.cfg and its directory are those of the working directory at
    // the first read, for the rest of the process: one folder for every test,
    // so that a later test's settings are not saved into a folder that is
    // gone (the notice of that failure would stand over its setup dialog).
    static const QTemporaryDir& settingsDir() {
        static const QTemporaryDir dir;
        return dir;
    }

    void SetUp() override {
        ASSERT_TRUE(workDir.isValid());
        ASSERT_TRUE(settingsDir().isValid());
        ASSERT_TRUE(QDir::setCurrent(settingsDir().path()));
        std::string error;
        const std::string link = workDir.filePath("box").toStdString();
        ASSERT_TRUE(box.start(link, &error)) << error;
        box.setSpeedRpm(30);
        // COM1 is the simulated box; no other port exists.
        qputenv("ORVATIX_PORTS", QByteArray::fromStdString(link));
    }
    void TearDown() override {
        box.stop();
        qunsetenv("ORVATIX_PORTS");
        QDir::setCurrent(previousDir);
    }
};

bool showsPosition(const CORVATIXDlg& window) {
    return window.controls().positionField->text().contains(QChar(0x00B0)); // degree sign
}

TEST_F(ProgramAgainstSimulatedBox, FindsTheBoxShowsPositionsSurvivesFaultsAndEndsCleanly) {
    ProgramCore program(LinkRecords::global());
    AcquisitionCore& core = program.core();
    CORVATIXDlg window(program);
    ProgramFlow flow(window, core);
    int saves = 0;
    flow.setConfigurationSaver([&saves] {
        ++saves;
        saveConfig();
    });

    QString title;
    QString versionLine;
    QString serialLine;
    Script script;
    script.add("setup dialog confirmed", [] { return clickIn<CSetup>(1); });
    script.add("start menu: System diagnosis", [] { return clickIn<CSelectDlg>(1023); });
    script.add("positions, version line and pulse rate", [&] {
        if (!window.isVisible() || !showsPosition(window) ||
            window.controls().versionLine->text().isEmpty() ||
            !window.windowTitle().contains(QLatin1Char('(')) ||
            !window.controls().serialLine->text().startsWith(QLatin1String("SN ")))
            return false;
        title = window.windowTitle();
        versionLine = window.controls().versionLine->text();
        serialLine = window.controls().serialLine->text();
        return true;
    });

    // The cable is pulled: no data, the search runs; plugged in again, the
    // search finds the box by itself (the lost port goes first).
    script.add("cable pulled", [&] {
        box.hangUp();
        return true;
    });
    script.add("no-data state", [&] {
        return window.controls().positionField->text() == QLatin1String("No data.  ") &&
               core.search().active();
    });
    script.add("cable plugged in", [&] { return box.reconnect(); });
    script.add(
        "positions again after the line came back", [&] { return showsPosition(window); }, 120s);

    // The box falls silent for a while and speaks again.
    script.add("box silent", [&] {
        box.silence(3000ms);
        return true;
    });
    script.add("no-data state while silent", [&] {
        return window.controls().positionField->text() == QLatin1String("No data.  ");
    });
    script.add(
        "positions again after the silence", [&] { return showsPosition(window); }, 120s);

    // An older box, speaking the one-letter protocol, takes its place.
    script.add("older box", [&] {
        box.setDialect(boxsim::Dialect::OneLetter);
        return true;
    });
    script.add("no-data state after the change", [&] {
        return window.controls().positionField->text() == QLatin1String("No data.  ");
    });
    script.add(
        "positions from the older box",
        [&] { return showsPosition(window) && !linkControl.newProtocol; }, 120s);

    // Closing the window returns to the start menu; Exit there ends.
    script.add("close request", [&] {
        window.close();
        return true;
    });
    script.add("start menu again: Exit", [] { return clickIn<CSelectDlg>(1026); });

    // After a missed step the run is ended anyway: back to the start menu,
    // and Exit there.
    QTimer rescue;
    QObject::connect(&rescue, &QTimer::timeout, [&window] {
        if (clickIn<CSelectDlg>(1026))
            return;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        else if (window.isVisible())
            window.close();
    });
    script.onFailure = [&rescue] { rescue.start(200); };
    script.start();
    flow.run();

    EXPECT_EQ(script.failure(), "");
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(title.startsWith(QLatin1String("ORVATIX "))) << title.toStdString();
    EXPECT_TRUE(versionLine.contains(QLatin1String(" Version "))) << versionLine.toStdString();
    EXPECT_TRUE(serialLine.startsWith(QLatin1String("SN "))) << serialLine.toStdString();
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(linkControl.threadEnded);
    EXPECT_FALSE(core.linkThreadStarted()); // joined and gone
    EXPECT_TRUE(std::filesystem::exists(settingsDir().filePath(kConfigFileName).toStdString()));
}

TEST_F(ProgramAgainstSimulatedBox, TracesTheLineAndLogsTheSessionAcrossAPulledCable) {
    SerialTraceWriter trace;
    const std::string tracePath = workDir.filePath("line.trace").toStdString();
    ASSERT_TRUE(trace.open(tracePath));
    ProgramCore program(LinkRecords::global());
    AcquisitionCore& core = program.core();
    CORVATIXDlg window(program);
    ProgramFlow flow(window, core);
    flow.setConfigurationSaver([] {});
    core.setTraceWriter(&trace);
    EventLogOptions logOptions;
    logOptions.folder = workDir.filePath("log");
    EventLog log(logOptions);
    SessionEventLog sessionLog(log, core, statusList);

    std::chrono::steady_clock::time_point plugged;
    double backAfterS = 0.0;
    Script script;
    script.add("setup dialog confirmed", [] { return clickIn<CSetup>(1); });
    script.add("start menu: System diagnosis", [] { return clickIn<CSelectDlg>(1023); });
    script.add("positions", [&] { return window.isVisible() && showsPosition(window); });
    // The status settles after the box's start: its first entry.
    script.add("a status list entry", [&] { return statusList.count() > 0; });
    script.add("cable pulled", [&] {
        box.hangUp();
        return true;
    });
    script.add("no-data state", [&] {
        return window.controls().positionField->text() == QLatin1String("No data.  ");
    });
    script.add("cable plugged in", [&] {
        plugged = std::chrono::steady_clock::now();
        return box.reconnect();
    });
    script.add(
        "positions again",
        [&] {
            if (!showsPosition(window))
                return false;
            backAfterS =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - plugged).count();
            return true;
        },
        120s);
    script.add("close request", [&] {
        window.close();
        return true;
    });
    script.add("start menu again: Exit", [] { return clickIn<CSelectDlg>(1026); });
    QTimer rescue;
    QObject::connect(&rescue, &QTimer::timeout, [&window] {
        if (clickIn<CSelectDlg>(1026))
            return;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        else if (window.isVisible())
            window.close();
    });
    script.onFailure = [&rescue] { rescue.start(200); };
    script.start();
    flow.run();
    trace.close();

    EXPECT_EQ(script.failure(), "");
    // A figure for docs/performance.md, not a limit.
    std::printf("box found again %.2f s after the cable came back\n", backAfterS);

    const TraceParseResult parsed = readSerialTraceFile(tracePath);
    ASSERT_TRUE(parsed.trace) << parsed.error;
    int written = 0, read = 0;
    for (const TraceChunk& chunk : parsed.trace->chunks)
        (chunk.direction == TraceDirection::Written ? written : read) += 1;
    EXPECT_GT(written, 10);
    EXPECT_GT(read, 10);

    QFile logFile(log.currentFile());
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const std::string logText = logFile.readAll().toStdString();
    const size_t first = logText.find("connected");
    ASSERT_NE(first, std::string::npos) << logText;
    EXPECT_NE(logText.find("connected", first + 1), std::string::npos) << logText;
    EXPECT_TRUE(logText.find("no data") != std::string::npos ||
                logText.find("cable lost") != std::string::npos)
        << logText;
    EXPECT_NE(logText.find("status"), std::string::npos) << logText;
}

// Back and forth through the start menu over a running link: the reader
// thread starts once and runs on, each confirmed start menu shows the box
// afresh, the status list and the extended display receive while they are
// open (the display also after it came back with the window), and the
// settings are saved once, at the end.
TEST_F(ProgramAgainstSimulatedBox, ReturnsToTheStartMenuKeepsTheLinkAndSavesOnceAtTheEnd) {
    ProgramCore program(LinkRecords::global());
    AcquisitionCore& core = program.core();
    CORVATIXDlg window(program);
    ProgramFlow flow(window, core);
    int saves = 0;
    flow.setConfigurationSaver([&saves] { ++saves; });
    const auto listLines = [&window] {
        CErrorDialog* list = window.statusListWindow();
        auto* lines = list != nullptr
                          ? list->findChild<QListWidget*>(QString::number(CErrorDialog::kList))
                          : nullptr;
        return lines != nullptr ? lines->count() : -1;
    };

    int linesBefore = 0;
    int savesInSession = -1;
    bool threadRanThrough = false;
    QString shownPosition;
    Script script;
    script.add("setup dialog confirmed", [] { return clickIn<CSetup>(1); });
    script.add("start menu: System diagnosis", [] { return clickIn<CSelectDlg>(1023); });
    script.add("positions", [&] { return showsPosition(window); });
    script.add("status list and extended display opened", [&] {
        if (window.statusListWindow() == nullptr)
            window.toggleStatusList();
        if (window.extendedDisplay() == nullptr)
            window.toggleExtendedDisplay();
        linesBefore = listLines();
        return window.extendedDisplay()->receiving() && linesBefore >= 0;
    });
    script.add("white sensor unplugged", [&] {
        box.setPlugged(boxsim::Sensor::White, false);
        return true;
    });
    script.add("the open status list shows the change", [&] { return listLines() > linesBefore; });
    script.add("white sensor plugged in", [&] {
        box.setPlugged(boxsim::Sensor::White, true);
        return true;
    });

    script.add("close request", [&] {
        window.close();
        return true;
    });
    script.add("start menu again: System diagnosis", [&] {
        if (window.isVisible() || !clickIn<CSelectDlg>(1023))
            return false;
        savesInSession = saves;
        threadRanThrough = core.linkThreadStarted() && !linkControl.threadEnded;
        return true;
    });
    script.add("positions again", [&] { return showsPosition(window); });
    script.add("the extended display came back with the window, receiving", [&] {
        return window.extendedDisplay() != nullptr && window.extendedDisplay()->receiving();
    });
    script.add("extended display closed while the box talks", [&] {
        window.toggleExtendedDisplay();
        shownPosition = window.controls().positionField->text();
        return true;
    });
    script.add("positions go on without it", [&] {
        return window.extendedDisplay() == nullptr &&
               window.controls().positionField->text() != shownPosition && showsPosition(window);
    });

    script.add("close request again", [&] {
        window.close();
        return true;
    });
    script.add("start menu: Exit", [] { return clickIn<CSelectDlg>(1026); });

    QTimer rescue;
    QObject::connect(&rescue, &QTimer::timeout, [&window] {
        if (clickIn<CSelectDlg>(1026))
            return;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        else if (window.isVisible())
            window.close();
    });
    script.onFailure = [&rescue] { rescue.start(200); };
    script.start();
    flow.run();

    EXPECT_EQ(script.failure(), "");
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(savesInSession, 0); // nothing saved on the way back to the start menu
    EXPECT_TRUE(threadRanThrough);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(flow.finished());
    EXPECT_TRUE(linkControl.threadEnded);
    EXPECT_FALSE(core.linkThreadStarted()); // joined and gone
    EXPECT_FALSE(extDisplayOn);
}

} // namespace
