// The teach-in wizard, the data recorder and the signal view inside the
// running program, against the simulated box on a pseudo-terminal: the start
// menu opens the wizard in place of the diagnosis window, the record button
// records what the turning shaft sends and the program's end writes the files,
// and the context menu reaches the recordings and the signal view.

#include "ScriptedSessionDialogs.h"
#include "app/CORVATIXDlg.h"
#include "app/ProgramCore.h"
#include "app/ProgramFeatures.h"
#include "app/ProgramFlow.h"
#include "boxsim/BoxSimulator.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/Texts.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PortMap.h"
#include "display/widgets/PictureControl.h"
#include "eventlog/EventLog.h"
#include "eventlog/SessionEventLog.h"
#include "recorder/DataRecorder.h"
#include "recorder/RecentFiles.h"
#include "recorder/RecordFileNames.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/RecordingDialogs.h"
#include "recorder/widgets/RecordingSession.h"
#include "signalview/widgets/CSignalViewDlg.h"
#include "status/StatusList.h"
#include "support/Controls.h"
#include "support/Waiting.h"
#include "teachin/widgets/CTeachInDlg.h"
#include "ui/Artwork.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The recorder's file dialogs answered in advance; messages only counted.
class ScriptedRecordingDialogs : public RecordingDialogs {
public:
    std::deque<QString> saveAnswers;
    int openAsked = 0;
    int messages = 0;

    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        if (saveAnswers.empty())
            return {};
        QString answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    QString recordingToOpen(QWidget*, const QStringList&) override {
        ++openAsked;
        return {};
    }
    void message(QWidget*, const RecorderMessage&) override { ++messages; }
    bool question(QWidget*, const RecorderMessage&) override { return false; }
    bool editRemarks(QWidget*, ReportRemarks&) override { return true; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
};

bool showsPosition(const CORVATIXDlg& window) {
    return window.controls().positionField->text().contains(QChar(0x00B0)); // degree sign
}

CTeachInDlg* openWizardWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* wizard = qobject_cast<CTeachInDlg*>(widget); wizard && wizard->isVisible())
            return wizard;
    return nullptr;
}

QMessageBox* openMessage(QWidget* owner) {
    for (QMessageBox* box : owner->findChildren<QMessageBox*>())
        if (box->isVisible())
            return box;
    return nullptr;
}

class FeaturesInTheProgram : public testing::Test {
protected:
    QTemporaryDir workDir;
    QString previousDir = QDir::currentPath();
    boxsim::BoxSimulator box;

    DeviceReadings readings;
    std::mutex readingsMutex;
    LinkControl link;
    ConfigData config;
    DataRecorder recorder{link, config};
    std::unique_ptr<RecentFiles> recent;
    ScriptedSessionDialogs sessionDialogs;
    ScriptedRecordingDialogs* recordingDialogs = nullptr; // owned by the recorder

    QTemporaryDir logDir;
    std::string boxLink;
    std::unique_ptr<ProgramCore> program; // the program's core, before the window and after it
    std::unique_ptr<CORVATIXDlg> window;
    std::unique_ptr<EventLog> eventLog;
    std::unique_ptr<SessionEventLog> sessionLog;
    std::unique_ptr<ProgramFlow> flow; // after the window, gone before it
    std::unique_ptr<RecorderFeature> recorderFeature;

    void SetUp() override {
        ASSERT_TRUE(workDir.isValid());
        // ORVAdata.cfg and its directory are those of the working directory.
        ASSERT_TRUE(QDir::setCurrent(workDir.path()));
        setLanguage(0);
        bearingCount = setBuiltInBearings(bearingTable);
        std::string error;
        boxLink = workDir.filePath("box").toStdString();
        ASSERT_TRUE(box.start(boxLink, &error)) << error;
        box.setSpeedRpm(30);
        qputenv("ORVATIX_PORTS", QByteArray::fromStdString(boxLink));

        recent = std::make_unique<RecentFiles>(workDir.filePath(QStringLiteral("recent.txt")));
        program = std::make_unique<ProgramCore>(
            LinkRecords{readings, readingsMutex, link, config, minPulseRate, maxPulseRate});
        window = std::make_unique<CORVATIXDlg>(*program, &sessionDialogs);
        flow = std::make_unique<ProgramFlow>(*window, core());
        // The test's own settings, not the process-wide ones of a file.
        flow->setConfigurationLoader([] {});
        flow->setConfigurationSaver([] {});
        // The session's event log, as the program keeps it.
        ASSERT_TRUE(logDir.isValid());
        EventLogOptions logOptions;
        logOptions.folder = logDir.path();
        eventLog = std::make_unique<EventLog>(logOptions);
        sessionLog = std::make_unique<SessionEventLog>(*eventLog, core(), statusList);
        flow->setTeachInFactory(
            teachInWizardFactory(core(), flow->warnOptimum(), sessionLog.get()));
        auto scripted = std::make_unique<ScriptedRecordingDialogs>();
        recordingDialogs = scripted.get();
        recorderFeature = std::make_unique<RecorderFeature>(
            *window, core(),
            RecorderRecords{recorder, readings, readingsMutex, link, config, *recent},
            std::move(scripted));
        recorderFeature->setEventLog(sessionLog.get());
        window->setRecorderFlow(recorderFeature.get());
    }
    void TearDown() override {
        // The recorder is subscribed to the program's core: it goes first.
        recorderFeature.reset();
        flow.reset();
        sessionLog.reset();
        window.reset();
        program.reset();
        box.stop();
        qunsetenv("ORVATIX_PORTS");
        QDir::setCurrent(previousDir);
    }

    std::string logText() const {
        QFile file(eventLog->currentFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll().toStdString();
    }
    AcquisitionCore& core() { return program->core(); }
    bool logHas(const std::string& text) const { return logText().find(text) != std::string::npos; }

    // Runs the program; `during` runs once the first session has started.
    // Whatever it leaves open, the program then ends as on a termination
    // signal.
    void runWith(const std::function<void()>& during) {
        QTimer::singleShot(0, window.get(), [this, during] {
            during();
            flow->endOnRequest();
        });
        flow->run();
    }

    // Positions arrive and the box's status has settled: the record button works.
    bool waitForDiagnosis() {
        return waitWithEvents(
            [this] {
                return window->isVisible() && showsPosition(*window) &&
                       window->controls().recordButton->isEnabled() && !link.noData &&
                       !link.boxStarting;
            },
            60s);
    }
};

TEST_F(FeaturesInTheProgram, TheTeachInOpensTheWizardAndCancelReturnsToTheStartMenu) {
    sessionDialogs.menuAnswers = {SessionDialogs::kTeachIn};
    // A box without a teach-in: no repeat question before the first step.
    box.setKind(boxsim::BoxKind::NoReference);
    box.eraseTeachIn();
    flow->warnOptimum() = false;
    bool wizardSeen = false;
    runWith([&] {
        CTeachInDlg* wizard = openWizardWindow();
        ASSERT_NE(wizard, nullptr) << "the start menu's teach-in opens the wizard";
        wizardSeen = true;
        EXPECT_TRUE(wizard->windowState() & Qt::WindowMaximized);
        EXPECT_FALSE(window->isVisible()) << "the diagnosis window stays hidden";
        EXPECT_TRUE(flow->warnOptimum()) << "the start menu asks the optimum question again";
        // The wizard reads the box through the program's link: it gets past
        // the wait for the box's identification to its first step, and on to
        // the next one.
        QPushButton* next = control<QPushButton>(wizard, CTeachInDlg::kNextButton);
        QPushButton* back = control<QPushButton>(wizard, CTeachInDlg::kBackButton);
        ASSERT_TRUE(waitWithEvents([&] { return next->isVisible() && next->isEnabled(); }, 60s));
        next->click();
        ASSERT_TRUE(waitWithEvents([&] { return back->isVisible() && back->isEnabled(); }, 60s));

        control<QPushButton>(wizard, CTeachInDlg::kCancelButton)->click();
        // The box was reset for the teach-in: the wizard asks first ("Yes").
        QMessageBox* question = nullptr;
        ASSERT_TRUE(waitWithEvents([&] { return (question = openMessage(wizard)) != nullptr; }));
        for (QAbstractButton* button : question->buttons())
            if (question->buttonRole(button) == QMessageBox::YesRole ||
                question->buttonRole(button) == QMessageBox::AcceptRole)
                button->click();
        QMessageBox* result = nullptr;
        ASSERT_TRUE(waitWithEvents([&] {
            // The failure result, with its stop icon.
            result = openMessage(wizard);
            return result != nullptr && result->icon() == QMessageBox::Critical;
        }));
        EXPECT_EQ(wizard->picture().result, WizardResult::Failed);
        // The wizard's reset went through the program's request door to the box.
        EXPECT_TRUE(waitWithEvents([&] { return !box.changeCommands().empty(); }, 30s));
        EXPECT_EQ(box.changeCommands(), std::vector<std::string>{"ME"});
        for (QAbstractButton* button : result->buttons())
            if (result->buttonRole(button) == QMessageBox::AcceptRole)
                button->click();
        // The wizard ends, the start menu comes again (and ends the program).
        EXPECT_TRUE(waitWithEvents([&] { return sessionDialogs.menuRuns == 2; }));
        EXPECT_FALSE(flow->teachInOpen());
        EXPECT_EQ(openWizardWindow(), nullptr);
        EXPECT_TRUE(logHas("teach-in     not completed: cancelled by the user")) << logText();
    });
    EXPECT_TRUE(wizardSeen);
    EXPECT_EQ(sessionDialogs.menuRuns, 2);
    EXPECT_TRUE(link.threadEnded);
}

TEST_F(FeaturesInTheProgram, TheRecordButtonRecordsTheTurningShaftAndTheEndWritesTheFiles) {
    sessionDialogs.menuAnswers = {SessionDialogs::kDiagnosis};
    const QString base = workDir.filePath(QStringLiteral("turning"));
    runWith([&] {
        ASSERT_TRUE(waitForDiagnosis());
        QPushButton* record = window->controls().recordButton;
        recordingDialogs->saveAnswers.push_back(base + QStringLiteral(".txt"));
        record->click();
        ASSERT_TRUE(link.recordingActive);
        EXPECT_TRUE(record->isChecked());
        ASSERT_NE(recorderFeature->session().window(), nullptr);
        EXPECT_TRUE(recorderFeature->session().window()->isVisible());

        // The recorder is no display receiver: the samples keep coming.
        const auto references = [&] {
            int n = 0;
            for (const RecordSample& sample : recorder.samples())
                n += sample.isReference ? 1 : 0;
            return n;
        };
        EXPECT_TRUE(waitWithEvents(
            [&] { return recorder.samples().size() >= 20 && references() >= 1; }, 60s))
            << recorder.samples().size() << " samples, " << references() << " reference marks";
        EXPECT_NE(recorder.samples().front().position, recorder.samples().back().position)
            << "the shaft turns";

        record->click();
        EXPECT_FALSE(link.recordingActive);
        EXPECT_FALSE(record->isChecked());
        EXPECT_EQ(recorder.state(), DataRecorder::State::Stopped);
        EXPECT_FALSE(QFileInfo::exists(ampFilePathOf(base))) << "written when it closes";
    });
    // The program's end saved the stopped recording and closed its window.
    EXPECT_TRUE(QFileInfo::exists(ampFilePathOf(base)));
    EXPECT_TRUE(QFileInfo::exists(refFilePathOf(base)));
    EXPECT_EQ(recorder.state(), DataRecorder::State::Idle);
    EXPECT_EQ(recorderFeature->session().window(), nullptr);
    EXPECT_EQ(recordingDialogs->messages, 0);
    EXPECT_TRUE(logHas("recording    saved to " + ampFilePathOf(base).toStdString() + " and " +
                       refFilePathOf(base).toStdString()))
        << logText();
}

TEST_F(FeaturesInTheProgram, TheContextMenuOpensRecordingsAndTheSignalView) {
    sessionDialogs.menuAnswers = {SessionDialogs::kDiagnosis};
    runWith([&] {
        ASSERT_TRUE(waitForDiagnosis());
        QMenu menu;
        window->fillContextMenu(menu);
        const QList<QAction*> actions = menu.actions();
        ASSERT_EQ(actions.size(), 6);
        // After the extended display, the status list and the info.
        EXPECT_EQ(actions[3]->text(), QStringLiteral("Open ORVATIX Files"));
        EXPECT_EQ(actions[4]->text(), QStringLiteral("Signal view"));
        EXPECT_FALSE(actions[4]->isChecked());
        EXPECT_EQ(actions[5]->text(), QStringLiteral("Serial port"));

        actions[3]->trigger();
        EXPECT_EQ(recordingDialogs->openAsked, 1);

        actions[4]->trigger();
        ASSERT_TRUE(window->signalViewOpen());
        EXPECT_TRUE(waitWithEvents([&] { return window->signalView()->view().samples() > 10; }))
            << "the signal view is fed with the positions";
        QMenu again;
        window->fillContextMenu(again);
        EXPECT_TRUE(again.actions()[4]->isChecked());

        // Closing the diagnosis window takes the signal view along.
        window->close();
        EXPECT_TRUE(waitWithEvents([&] { return !window->isVisible(); }));
        EXPECT_FALSE(window->signalViewOpen());
    });
    EXPECT_EQ(sessionDialogs.menuRuns, 2);
}

TEST_F(FeaturesInTheProgram, TheSerialPortMenuChoosesThePortTheBoxAnswersOn) {
    sessionDialogs.menuAnswers = {SessionDialogs::kDiagnosis};
    const auto serialPortMenu = [this] {
        auto menu = std::make_unique<QMenu>();
        window->fillContextMenu(*menu);
        return menu;
    };
    const auto submenuAction = [](QMenu& menu, const QString& name) -> QAction* {
        for (QAction* action : menu.actions())
            if (action->objectName() == QStringLiteral("serialPort") && action->menu() != nullptr)
                for (QAction* item : action->menu()->actions())
                    if (item->objectName() == name)
                        return item;
        return nullptr;
    };
    const QString com1 = QString::fromStdString(comPortName(1));
    runWith([&] {
        ASSERT_TRUE(waitForDiagnosis());
        auto menu = serialPortMenu();
        QAction* automatic = submenuAction(*menu, QStringLiteral("automaticSearch"));
        QAction* box1 = submenuAction(*menu, com1);
        ASSERT_NE(automatic, nullptr);
        ASSERT_NE(box1, nullptr) << "the simulated box's port as the port map shows it";
        EXPECT_EQ(automatic->text(), QStringLiteral("Automatic search"));
        EXPECT_TRUE(automatic->isChecked());
        EXPECT_FALSE(box1->isChecked());
        EXPECT_TRUE(box1->text().contains(QString::fromStdString(boxLink)))
            << box1->text().toStdString();

        // Chosen: handed to the reader thread at once, and the box answers there.
        box1->trigger();
        EXPECT_EQ(core().search().chosenPort(), comPortName(1));
        EXPECT_TRUE(link.reopenRequest);
        EXPECT_TRUE(waitWithEvents([&] { return !link.reopenRequest; }));
        EXPECT_TRUE(waitForDiagnosis()) << "positions again after the port opened afresh";
        EXPECT_TRUE(logHas("port chosen  COM1 (" + boxLink + "), used alone")) << logText();

        menu = serialPortMenu();
        EXPECT_TRUE(submenuAction(*menu, com1)->isChecked());
        EXPECT_FALSE(submenuAction(*menu, QStringLiteral("automaticSearch"))->isChecked());
        submenuAction(*menu, QStringLiteral("automaticSearch"))->trigger();
        EXPECT_TRUE(core().search().chosenPort().empty());
        EXPECT_TRUE(logHas("port chosen  automatic search")) << logText();
    });
}

// Counts the no-data notices the program's core hands out.
class NoDataNotices : public DeviceReceiver {
public:
    void deviceEvent(int, int, const DeviceReadings&) override {}
    void noSerialData() override { ++count; }
    int count = 0;
};

// The times of a recording file's lines (its first column).
std::vector<double> sampleTimes(const QString& path) {
    std::vector<double> times;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return times;
    while (!file.atEnd())
        times.push_back(file.readLine().split('\t').front().trimmed().toDouble());
    return times;
}

TEST_F(FeaturesInTheProgram, APulledCableDuringARecordingIsShownLoggedAndTheRecordingGoesOn) {
    sessionDialogs.menuAnswers = {SessionDialogs::kDiagnosis};
    const QString base = workDir.filePath(QStringLiteral("pulled"));
    size_t beforeLoss = 0;  // position samples, the lines of the "_amp.txt" file
    size_t atReconnect = 0; // position samples when the cable is plugged in again
    const auto positionSamples = [this] {
        return static_cast<size_t>(
            std::count_if(recorder.samples().begin(), recorder.samples().end(),
                          [](const RecordSample& s) { return !s.isReference; }));
    };
    runWith([&] {
        ASSERT_TRUE(waitForDiagnosis());
        NoDataNotices notices;
        core().subscribe(&notices);
        recordingDialogs->saveAnswers.push_back(base + QStringLiteral(".txt"));
        window->controls().recordButton->click();
        ASSERT_TRUE(link.recordingActive);
        CErgebnisDlg* evaluation = recorderFeature->session().window();
        ASSERT_NE(evaluation, nullptr);
        ASSERT_TRUE(waitWithEvents([&] { return recorder.samples().size() >= 20; }, 60s));

        // The converter is pulled: its device goes away.
        box.hangUp();
        ASSERT_TRUE(waitWithEvents([&] { return notices.count >= 1; }, 30s))
            << "a lost port is reported while recording";
        beforeLoss = positionSamples();
        EXPECT_TRUE(link.recordingActive) << "the recording is kept";
        EXPECT_EQ(recorder.state(), DataRecorder::State::Recording);
        EXPECT_TRUE(waitWithEvents([&] {
            return window->controls().positionField->text().startsWith(QStringLiteral("No data."));
        }));
        for (PictureControl* lamp : window->controls().lamps)
            EXPECT_EQ(lamp->art(), Art::LampGrey);
        EXPECT_TRUE(evaluation->windowTitle().contains(QStringLiteral("Connection lost")))
            << evaluation->windowTitle().toStdString();
        EXPECT_TRUE(waitWithEvents([&] { return logHas("cable lost"); })) << logText();
        EXPECT_TRUE(logHas("during a recording")) << logText();

        // About a second later (the notice repeats once a second) it is back.
        ASSERT_TRUE(waitWithEvents([&] { return notices.count >= 2; }, 30s));
        // Lines read before the pull may still arrive after the first notice;
        // by now (a second later) they all have.
        atReconnect = positionSamples();
        std::string error;
        ASSERT_TRUE(box.reconnect(&error)) << error;
        ASSERT_TRUE(waitWithEvents([&] { return positionSamples() >= beforeLoss + 20; }, 60s))
            << "the port is opened again and the recording goes on";
        EXPECT_TRUE(link.recordingActive);
        EXPECT_FALSE(evaluation->windowTitle().contains(QStringLiteral("Connection lost")));
        EXPECT_EQ(window->controls().statusText->text().toStdString(),
                  "The box is back: the recording goes on. ");
        const std::string log = logText();
        EXPECT_NE(log.find("connected", log.find("cable lost")), std::string::npos) << log;

        window->controls().recordButton->click();
        EXPECT_FALSE(link.recordingActive);
        core().unsubscribe(&notices);
    });
    // The end saved the recording: both sides of the gap, and the gap in the
    // times.
    const std::vector<double> times = sampleTimes(ampFilePathOf(base));
    ASSERT_GE(times.size(), beforeLoss + 20);
    size_t gapAt = 0;
    double gap = 0.0;
    for (size_t i = 1; i < times.size(); ++i) {
        if (times[i] - times[i - 1] > gap) {
            gap = times[i] - times[i - 1];
            gapAt = i;
        }
    }
    // Two notices a second apart lay between the last sample before and the
    // first after (times have one decimal).
    EXPECT_GE(gap, 0.9);
    EXPECT_EQ(gapAt, atReconnect) << "the gap lies where the cable was pulled";
}

} // namespace
