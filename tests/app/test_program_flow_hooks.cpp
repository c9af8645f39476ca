// Where the teach-in wizard and the data recorder join the main window's
// session: the teach-in factory, the position texts, the end of the wizard,
// the record button and the end of the program.

#include "ScriptedSessionDialogs.h"
#include "acquisition/AcquisitionCore.h"
#include "app/CORVATIXDlg.h"
#include "app/ProgramCore.h"
#include "app/ProgramFlow.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/Texts.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/widgets/MainWindowLayout.h"

#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

struct WizardLog {
    int opened = 0;
    int closed = 0;
    std::vector<std::string> texts;
    std::vector<char> barCommands;
};

class FakeWizard : public TeachInFeature {
public:
    explicit FakeWizard(WizardLog& log) : log_(log) { ++log_.opened; }
    ~FakeWizard() override { ++log_.closed; }
    void positionTexts(const std::string& position, const std::string& speed) override {
        log_.texts.push_back(position + "|" + speed);
    }
    void barUpdate(const BarUpdate& update) override {
        log_.barCommands.push_back(update.command());
    }

private:
    WizardLog& log_;
};

class FakeRecorder : public RecorderFlow {
public:
    int clicks = 0;
    int closes = 0;
    void recordButtonClicked() override { ++clicks; }
    void closeRecordFiles() override { ++closes; }
    void openRecordingFile() override { ++opens; }
    int opens = 0;
};

class ProgramFlowHooks : public testing::Test {
protected:
    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    ScriptedSessionDialogs dialogs;
    WizardLog wizard;
    std::unique_ptr<ProgramCore> program; // one per run of the program, as in the program
    std::unique_ptr<CORVATIXDlg> window;
    std::unique_ptr<ProgramFlow> flow; // after the window, gone before it

    void SetUp() override {
        setLanguage(0);
        bearingCount = setBuiltInBearings(bearingTable);
        config.bearingType = "KAVO150/KAVOS150";
        config.pulseRate = 1344;
        start();
    }
    void start() {
        program = std::make_unique<ProgramCore>(
            LinkRecords{readings, mutex, link, config, minPulseRate, maxPulseRate});
        window = std::make_unique<CORVATIXDlg>(*program, &dialogs);
        flow = std::make_unique<ProgramFlow>(*window, program->core());
        flow->setConfigurationLoader([] {});
        flow->setConfigurationSaver([] {});
    }
    void TearDown() override {
        flow.reset();
        window.reset();
        program.reset();
        configData = ConfigData{};
    }
    // Runs the window; `during` runs once the first session has started, and
    // the window ends with the next start menu (kExit).
    void runWith(std::function<void()> during) {
        QTimer::singleShot(0, window.get(), [this, during] {
            during();
            flow->endOnRequest();
        });
        flow->run();
    }
};

TEST_F(ProgramFlowHooks, TheTeachInOpensThroughTheFactoryAndEndsBackAtTheStartMenu) {
    ProgramServices* given = nullptr;
    flow->setTeachInFactory([&](ProgramServices& services) {
        given = &services;
        return std::make_unique<FakeWizard>(wizard);
    });
    dialogs.menuAnswers = {SessionDialogs::kTeachIn, SessionDialogs::kDiagnosis};
    QTimer::singleShot(0, window.get(), [&] {
        EXPECT_EQ(wizard.opened, 1);
        EXPECT_TRUE(flow->teachInOpen());
        EXPECT_FALSE(window->isVisible()) << "the wizard stands in for the diagnosis window";
        window->showState("Pos: 1", "Rpm: 2");
        EXPECT_EQ(wizard.texts, std::vector<std::string>{"Pos: 1|Rpm: 2"});
        // The bars the window redraws are redrawn in the wizard too.
        given->resetReadings();
        EXPECT_EQ(wizard.barCommands, (std::vector<char>{'R', 'P', 'R', 'P'}));
        // Called from the wizard's own handler: the session ends afterwards.
        given->teachInEnded();
        EXPECT_EQ(wizard.closed, 0);
        QTimer::singleShot(0, window.get(), [&] {
            EXPECT_EQ(wizard.closed, 1);
            EXPECT_EQ(dialogs.menuRuns, 2);
            EXPECT_TRUE(window->isVisible());
            EXPECT_FALSE(flow->teachInOpen());
            flow->endOnRequest();
        });
    });
    flow->run();
    EXPECT_EQ(given, static_cast<ProgramServices*>(window.get()));
    EXPECT_EQ(wizard.opened, 1);
}

TEST_F(ProgramFlowHooks, WithoutAWizardTheDiagnosisWindowServes) {
    for (bool nullSession : {false, true}) {
        SCOPED_TRACE(nullSession ? "a factory that opens nothing" : "no factory");
        if (nullSession)
            flow->setTeachInFactory(
                [](ProgramServices&) { return std::unique_ptr<TeachInFeature>(); });
        dialogs.menuAnswers = {SessionDialogs::kTeachIn};
        runWith([&] {
            EXPECT_TRUE(window->isVisible());
            EXPECT_FALSE(flow->teachInOpen());
        });
        flow.reset();
        window.reset();
        start();
    }
}

TEST_F(ProgramFlowHooks, TheRecordButtonReachesTheRecorderWhichClosesItsFilesAtTheEnd) {
    FakeRecorder recorder;
    dialogs.menuAnswers = {SessionDialogs::kDiagnosis};
    runWith([&] {
        // Without a recorder the button is released again.
        window->controls().recordButton->setEnabled(true);
        window->controls().recordButton->click();
        EXPECT_FALSE(window->controls().recordButton->isChecked());

        window->setRecorderFlow(&recorder);
        window->controls().recordButton->click();
        EXPECT_EQ(recorder.clicks, 1);
        window->showRecordButton(true);
        EXPECT_TRUE(window->controls().recordButton->isChecked());
        window->showRecordButton(false);
        EXPECT_FALSE(window->controls().recordButton->isChecked());

        // The recorder's entry follows the window's own ones.
        QMenu menu;
        window->fillContextMenu(menu);
        const QList<QAction*> actions = menu.actions();
        ASSERT_GE(actions.size(), 4);
        EXPECT_EQ(actions[3]->text(), QStringLiteral("Open ORVATIX Files"));
        actions[3]->trigger();
        EXPECT_EQ(recorder.opens, 1);
    });
    EXPECT_EQ(recorder.closes, 1);
}

TEST_F(ProgramFlowHooks, ServicesForTheFeatures) {
    ProgramServices& services = *window;
    EXPECT_EQ(services.mainWindow(), window.get());
    link.statusRestart = false;
    services.setStatusRestart();
    EXPECT_TRUE(link.statusRestart);
    // The whole reset: the readings and the box reset handling.
    readings.amplitudeWH = 55.0;
    link.boxStarting = false;
    services.resetReadings();
    EXPECT_EQ(readings.amplitudeWH, 0.0);
    EXPECT_TRUE(link.boxStarting);
    EXPECT_TRUE(link.awaitingIdentification);
    const StatusDecoding decoding = services.statusDecoding();
    EXPECT_FALSE(decoding.offsetSeenWH);
    EXPECT_FALSE(decoding.offsetSeenYE);
    EXPECT_EQ(decoding.sensorConnection, -1);
}

} // namespace
