// The main window without a reader thread: the ways the program ends before
// the link starts, the no-data handling, the title rules, the reference
// indicator on the zero button, the box reset click and the not-found notice.

#include "ScriptedSessionDialogs.h"
#include "app/CORVATIXDlg.h"
#include "app/ProgramCore.h"
#include "app/ProgramFlow.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/ConfigFile.h"
#include "config/MainWindowRows.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "config/ToolTipRows.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"
#include "device/PortAccess.h"
#include "display/NoiseMeasurement.h"
#include "display/widgets/NoiseDisplay.h"
#include "ui/GroupCaptionChecks.h"
#include "ui/Messagebox3.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <unistd.h>
#include <vector>

namespace {

class MainWindow : public testing::Test {
protected:
    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    ScriptedSessionDialogs dialogs = [] {
        ScriptedSessionDialogs d;
        d.setupUnscripted = false;
        return d;
    }();
    int saves = 0;
    std::vector<bool> loadedBeforeSetup; // one entry per reading of the settings file
    int64_t now = 100'000;
    ProgramCore program{records(), [this] { return now; }};
    std::unique_ptr<CORVATIXDlg> window;
    std::unique_ptr<ProgramFlow> flow; // after the window, gone before it

    void SetUp() override {
        setLanguage(0);
        bearingCount = setBuiltInBearings(bearingTable);
        setUserDefinedRow(bearingTable, bearingCount, 1728);
        config.bearingType = "KAVO150/KAVOS150";
        config.pulseRate = 1344;
        window = std::make_unique<CORVATIXDlg>(program, &dialogs);
        flow = std::make_unique<ProgramFlow>(*window, core());
        flow->setConfigurationSaver([this] { ++saves; });
        flow->setConfigurationLoader(
            [this] { loadedBeforeSetup.push_back(dialogs.setupRuns == 0); });
    }
    void TearDown() override {
        flow.reset();
        window.reset();
        // Configuration globals other tests may read.
        configData = ConfigData{};
    }

    const MainWindowControls& c() const { return window->controls(); }
    // The window hears of the box only through the program's core.
    AcquisitionCore& core() { return program.core(); }
    LinkRecords records() { return {readings, mutex, link, config, minPulseRate, maxPulseRate}; }
};

TEST_F(MainWindow, CancelledSetupEndsWithoutLinkAndSavesOnce) {
    dialogs.setupAnswers = {false};
    flow->run();
    EXPECT_EQ(dialogs.setupRuns, 1);
    EXPECT_EQ(dialogs.menuRuns, 0);
    EXPECT_FALSE(core().linkThreadStarted());
    EXPECT_TRUE(link.stopRequest);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(flow->closing());
}

TEST_F(MainWindow, TheSettingsFileIsReadOnceBeforeTheFirstSetup) {
    dialogs.setupAnswers = {true};
    dialogs.menuAnswers = {SessionDialogs::kDiagnosis, SessionDialogs::kExit};
    // Back to the start menu once: no second reading.
    QTimer::singleShot(0, window.get(), [this] { flow->closeRequested(); });
    flow->run();
    EXPECT_EQ(dialogs.menuRuns, 2);
    EXPECT_EQ(loadedBeforeSetup, std::vector<bool>{true});
    EXPECT_EQ(saves, 1);
}

TEST_F(MainWindow, CancelledFirstStartMenuEndsAtOnceAndSavesOnce) {
    dialogs.setupAnswers = {true};
    dialogs.menuAnswers = {SessionDialogs::kExit};
    flow->run();
    EXPECT_EQ(dialogs.menuRuns, 1);
    EXPECT_FALSE(core().linkThreadStarted());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(c().positionField->text().toStdString(), "done.");
    // A LinkEnded that arrives late does not save a second time.
    window->onLinkEnded();
    EXPECT_EQ(saves, 1);
}

// An end asked for from outside (a termination signal) while the diagnosis
// runs goes the way of a cancelled start menu: the reader thread ends, the
// settings are saved once, and the start menu does not come back.
TEST_F(MainWindow, EndOnRequestDuringTheDiagnosisSavesOnceAndEnds) {
    dialogs.setupAnswers = {true};
    dialogs.menuAnswers = {SessionDialogs::kDiagnosis, SessionDialogs::kDiagnosis};
    QTimer::singleShot(0, window.get(), [this] {
        flow->endOnRequest();
        flow->endOnRequest(); // a second signal changes nothing
    });
    flow->run();
    EXPECT_TRUE(flow->closing());
    EXPECT_EQ(dialogs.menuRuns, 1);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(c().positionField->text().toStdString(), "done.");
}

TEST_F(MainWindow, SettingsThatCannotBeWrittenEndTheProgramQuietly) {
    // The working directory vanishes under the program: ORVAdata.cfg cannot
    // be written at the end. Nothing is reported and nothing crashes.
    const QString previous = QDir::currentPath();
    const QString gone = QDir::temp().filePath(QStringLiteral("orvatix-gone-%1").arg(getpid()));
    ASSERT_TRUE(QDir().mkpath(gone));
    ASSERT_TRUE(QDir::setCurrent(gone));
    ASSERT_TRUE(QDir().rmdir(gone));
    flow->setConfigurationSaver(saveConfig);
    dialogs.setupAnswers = {true};
    dialogs.menuAnswers = {SessionDialogs::kExit};
    flow->run();
    EXPECT_TRUE(flow->closing());
    EXPECT_FALSE(QFileInfo::exists(gone));
    QDir::setCurrent(previous);
}

TEST_F(MainWindow, NoDataResetsTheReadingsAndShowsTheNotConnectedState) {
    readings.firmwareVersion = 2.1;
    std::strcpy(readings.boxTypeText, "QTBX01");
    std::strcpy(readings.versionText, "2.10");
    std::strcpy(readings.serialTextA, "0815");
    readings.rawPosition = 4711;
    link.newProtocol = true;
    c().versionLine->setText("QTBX01 Version 2.10 [1]");
    c().serialLine->setText("SN X 0815");
    c().markerField->setText("3 T ");
    // A noise measurement runs.
    link.noData = false;
    link.boxStarting = false;
    c().noiseButton->setEnabled(true);
    c().noiseButton->click();
    ASSERT_TRUE(c().noiseButton->isChecked());
    link.noData = true;

    core().deliverNoSerialData();

    EXPECT_EQ(readings.firmwareVersion, 0.0);
    EXPECT_STREQ(readings.boxTypeText, "");
    EXPECT_EQ(readings.rawPosition, 0);
    EXPECT_STREQ(readings.serialTextA, "0815"); // the serial number texts stay
    EXPECT_FALSE(link.newProtocol);
    EXPECT_TRUE(link.awaitingIdentification);
    EXPECT_TRUE(link.boxStarting);
    EXPECT_TRUE(link.statusRestart);

    for (PictureControl* lamp : c().lamps)
        EXPECT_EQ(lamp->art(), Art::LampGrey);
    const Art first = c().boxPicture->art();
    EXPECT_TRUE(first == Art::BoxNoDataA || first == Art::BoxNoDataB);
    EXPECT_EQ(c().positionField->text().toStdString(), "No data.  ");
    EXPECT_TRUE(c().markerField->text().isEmpty());
    EXPECT_TRUE(c().versionLine->text().isEmpty());
    // The serial-number line tells which port is silent instead.
    EXPECT_EQ(c().serialLine->text().toStdString(), "COM1: No serial data.");
    EXPECT_FALSE(c().noiseButton->isChecked()); // a running noise measurement is released
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::NotConnected);

    // The picture blinks: the next notice shows the other no-data picture.
    // The status line keeps what the interface search writes there.
    window->setStatusLine("Searching for COM2");
    core().deliverNoSerialData();
    EXPECT_NE(c().boxPicture->art(), first);
    EXPECT_EQ(c().statusText->text().toStdString(), "Searching for COM2");
    // The next status line of the box replaces the search text.
    core().deliverDeviceEvent(kStatusEvent, 0);
    EXPECT_EQ(c().statusText->text().toStdString(), "...  ");
}

TEST_F(MainWindow, TitleFollowsTheBearingAndTheReportedPulseRate) {
    window->refresh();
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVATIX KAVO150/KAVOS150");

    // The box reports the pulse rate of the third bearing row.
    readings.detectedPulseRate = 1704;
    core().deliverDeviceEvent(kPulseRateEvent, 0);
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVATIX KAVO200/KAVOS200 (3408)");
    EXPECT_EQ(config.pulseRate, 1704);
    EXPECT_EQ(config.bearingType, "KAVO200/KAVOS200");

    // A rate no row has: the selection stays, only the title is refreshed.
    readings.detectedPulseRate = 999;
    core().deliverDeviceEvent(kPulseRateEvent, 0);
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVATIX KAVO200/KAVOS200 (3408)");
    EXPECT_EQ(config.pulseRate, 1704);

    // Only the "User defined" row has the rate.
    readings.detectedPulseRate = 1728;
    core().deliverDeviceEvent(kPulseRateEvent, 0);
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVATIX User defined (3456)");

    // A box restart forgets the reported rate: the name alone.
    core().deliverBoxRestart();
    EXPECT_EQ(readings.detectedPulseRate, 0);
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVATIX User defined");
}

TEST_F(MainWindow, AnotherPulseRateIsToldOncePerConnection) {
    const std::string mismatch = text(TextTable::StatusMessages, statusrow::kPulseRateMismatch);
    auto notices = [this] {
        std::vector<QMessageBox*> open;
        for (QMessageBox* box : window->findChildren<QMessageBox*>())
            if (box->isVisible())
                open.push_back(box);
        return open;
    };
    window->show();
    // A row of the table fits: the notice says the settings change.
    readings.detectedPulseRate = 1704;
    core().deliverDeviceEvent(kPulseRateEvent, 0);
    ASSERT_EQ(notices().size(), 1u);
    const std::string message = notices()[0]->text().toStdString();
    EXPECT_EQ(message.rfind(mismatch, 0), 0u) << message;
    EXPECT_NE(message.find("KAVO150/KAVOS150 (2688)"), std::string::npos) << message;
    EXPECT_NE(message.find("KAVO200/KAVOS200 (3408)"), std::string::npos) << message;
    EXPECT_NE(message.find(text(TextTable::StatusMessages, statusrow::kSettingsFollowBearing)),
              std::string::npos);
    EXPECT_EQ(config.pulseRate, 1704);
    EXPECT_EQ(c().statusText->text().toStdString().find(mismatch), std::string::npos);

    // No row fits: no second notice in this connection, but the status line
    // warns, also after the next status line of the box.
    readings.detectedPulseRate = 999;
    core().deliverDeviceEvent(kPulseRateEvent, 0);
    EXPECT_EQ(notices().size(), 1u);
    EXPECT_EQ(c().statusText->text().toStdString().rfind(mismatch, 0), 0u);
    core().deliverDeviceEvent(kStatusEvent, 0);
    EXPECT_EQ(c().statusText->text().toStdString().rfind(mismatch, 0), 0u);

    // The next connection tells it again, without the last sentence.
    for (QMessageBox* box : notices())
        box->close();
    core().deliverNoSerialData();
    readings.detectedPulseRate = 999;
    core().deliverDeviceEvent(kPulseRateEvent, 0);
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_EQ(notices()[0]->text().toStdString().find(
                  text(TextTable::StatusMessages, statusrow::kSettingsFollowBearing)),
              std::string::npos);
    // The box restarts: the warning waits for its next report.
    core().deliverBoxRestart();
    core().deliverDeviceEvent(kStatusEvent, 0);
    EXPECT_EQ(c().statusText->text().toStdString().find(mismatch), std::string::npos);
    window->hide();
}

TEST_F(MainWindow, VersionLineAndReferenceIndicatorOnTheZeroButton) {
    std::strcpy(readings.boxTypeText, "QTBX01");
    std::strcpy(readings.versionText, "1.60");
    std::strcpy(readings.boxInfoText, "123");
    core().deliverDeviceEvent(kVersionEvent, 0);
    EXPECT_EQ(c().versionLine->text().toStdString(), "QTBX01 Version 1.60 [123]");

    const qint64 idleIcon = c().zeroButton->icon().cacheKey();
    core().deliverDeviceEvent(kReferenceFoundEvent, 0);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Found);
    EXPECT_NE(c().zeroButton->icon().cacheKey(), idleIcon);
    now += 300;
    core().deliverDeviceEvent(kReferenceFoundEvent, 0);
    now += 450;
    core().deliverDeviceEvent(kBoxInfoEvent, 0);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Found);
    now += 51;
    core().deliverDeviceEvent(kBoxInfoEvent, 0);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Idle);
}

TEST_F(MainWindow, LeftClickInTheAmplitudeGroupIsTheBoxResetHandling) {
    c().versionLine->setText("QTBX01 Version 1.60 [123]");
    std::strcpy(readings.refPhaseText, "12");
    readings.detectedPulseRate = 1344;
    readings.absolutePositionMode = true;
    link.boxStarting = false;
    link.statusRestart = false;

    QWidget* group = c().amplitudeGroup;
    const QPointF inside(group->width() / 2.0, group->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, inside, group->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(group, &press);

    EXPECT_TRUE(link.boxStarting);
    EXPECT_TRUE(link.statusRestart);
    EXPECT_STREQ(readings.refPhaseText, "");
    EXPECT_EQ(readings.detectedPulseRate, 0);
    EXPECT_FALSE(readings.absolutePositionMode);
    EXPECT_TRUE(c().versionLine->text().isEmpty());
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVATIX KAVO150/KAVOS150");
}

TEST_F(MainWindow, InterfaceNotFoundNoticeOpensOnceUntilClosed) {
    auto notices = [this] { return window->findChildren<Messagebox3*>().size(); };
    window->showInterfaceNotFound();
    window->showInterfaceNotFound();
    EXPECT_EQ(notices(), 1);
    EXPECT_TRUE(window->interfaceNotFoundOpen());
    // The hidden connect button opens the same notice.
    c().connectButton->click();
    EXPECT_EQ(notices(), 1);

    window->findChild<Messagebox3*>()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->interfaceNotFoundOpen());
    window->showInterfaceNotFound();
    EXPECT_EQ(notices(), 1);
}

TEST_F(MainWindow, ABoxThatAnswersClosesTheNotFoundNotice) {
    window->showInterfaceNotFound();
    ASSERT_TRUE(window->interfaceNotFoundOpen());
    link.noData = false;
    core().deliverDeviceEvent(kPositionEvent, 0);
    core().deliverDeviceEvent(kPositionEvent,
                              0); // the marker is written first, then the search ends
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->interfaceNotFoundOpen());
    EXPECT_FALSE(core().search().active());
}

TEST_F(MainWindow, TheSilentPortTextGoesWhenDataFlows) {
    // An older box never sends its serial numbers: the line is emptied.
    core().deliverNoSerialData();
    ASSERT_EQ(c().serialLine->text().toStdString(), "COM1: No serial data.");
    link.noData = false;
    core().deliverDeviceEvent(kPositionEvent, 0);
    EXPECT_TRUE(c().serialLine->text().isEmpty());

    // Serial numbers kept from before come back at once.
    core().deliverNoSerialData();
    std::strcpy(readings.serialTextA, "0815");
    std::strcpy(readings.serialTextB, "X");
    core().deliverDeviceEvent(kPositionEvent, 0);
    EXPECT_EQ(c().serialLine->text().toStdString(), "SN X 0815");
    // A later position leaves the line alone.
    c().serialLine->setText("SN Y 1");
    core().deliverDeviceEvent(kPositionEvent, 0);
    EXPECT_EQ(c().serialLine->text().toStdString(), "SN Y 1");
}

TEST_F(MainWindow, AMissingCommandLinePortIsToldAtOnceAndNoOtherPortIsSearched) {
    qputenv("ORVATIX_PORTS", "/dev/orvatix-test-nonexistent");
    ProgramCore onlyProgram(records(), [this] { return now; });
    qunsetenv("ORVATIX_PORTS");
    CORVATIXDlg only(onlyProgram, &dialogs);
    AcquisitionCore& onlyCore = onlyProgram.core();
    testing::internal::CaptureStderr();
    only.setOnlyPort(true);
    const std::string terminal = testing::internal::GetCapturedStderr();
    const std::string line = only.controls().serialLine->text().toStdString();
    EXPECT_EQ(line.rfind("COM1: ", 0), 0u) << line;
    EXPECT_NE(
        only.controls().serialLine->toolTip().toStdString().find("/dev/orvatix-test-nonexistent"),
        std::string::npos);
    EXPECT_NE(terminal.find("/dev/orvatix-test-nonexistent"), std::string::npos) << terminal;

    // The search keeps to COM1 and brings no notice about drivers; the
    // no-data notices leave the problem standing.
    link.stopRequest = false;
    onlyCore.deliverNoSerialData();
    for (int i = 0; i < 3 * InterfaceSearch::kPortCount; ++i) {
        onlyCore.search().searchTick();
        EXPECT_EQ(onlyCore.search().searchPortNumber(), 1);
    }
    onlyCore.deliverNoSerialData();
    EXPECT_FALSE(only.interfaceNotFoundOpen());
    EXPECT_EQ(only.controls().serialLine->text().toStdString(), line);

    // The user chooses a port that is there in its place: the old port's
    // problem does not stay on the line.
    onlyCore.search().choosePort("/dev/null");
    only.events().tick();
    onlyCore.deliverNoSerialData();
    EXPECT_NE(only.controls().serialLine->text().toStdString(), line);
}

TEST_F(MainWindow, EveryControlCarriesItsIdAndTheCaptionsFollowTheLanguage) {
    for (int id : {1012, 1045, 1009, 1016, 1007, 1008, 1063, 1005, 1006, 1,    1040, 1035,
                   1041, 1034, 1036, 1033, 1019, 1068, 1049, 1047, 1031, 1030, 1027, 1026,
                   1025, 1028, 1022, 1020, 1029, 1024, 1023, 1046, 1018, 1051, 1052})
        EXPECT_NE(window->findChild<QWidget*>(QString::number(id)), nullptr) << id;
    setLanguage(1);
    window->refresh();
    EXPECT_EQ(c().exitButton->text().toStdString(),
              text(TextTable::MainWindow, mainwindowrow::kExit));
    EXPECT_EQ(c().positionGroup->title().toStdString(),
              text(TextTable::MainWindow, mainwindowrow::kPosition));
    EXPECT_NE(c().exitButton->text().toStdString(),
              textIn(TextTable::MainWindow, mainwindowrow::kExit, 0));
    setLanguage(0);
}

TEST_F(MainWindow, PortProblemFitsTheSerialNumberLineInEveryLanguage) {
    const PortAccessResult refused{PortAccess::PermissionDenied, "dialout"};
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const PortAccessResult& result :
             {refused, PortAccessResult{PortAccess::Missing, ""}}) {
            // No version known yet: the line may take the whole row.
            const PortProblemText problem =
                portProblemText("COM12", "/dev/ttyUSB0", result, language);
            window->showPortProblemText(problem);
            const QString line = c().serialLine->text();
            EXPECT_EQ(line.toStdString(), problem.line);
            EXPECT_LE(c().serialLine->fontMetrics().horizontalAdvance(line),
                      c().serialLine->contentsRect().width())
                << language << " " << line.toStdString();
            EXPECT_EQ(c().serialLine->toolTip().toStdString(), problem.detail);
            EXPECT_FALSE(c().versionLine->isVisibleTo(window.get()));
        }
    }
    // A change of language keeps the advice in the tool tip.
    window->refresh();
    EXPECT_NE(c().serialLine->toolTip().indexOf(QLatin1String("/dev/ttyUSB0")), -1);
    // Once the box tells its version, both lines share the row again.
    std::strcpy(readings.boxTypeText, "QTBX01");
    std::strcpy(readings.versionText, "1.60");
    core().deliverDeviceEvent(kVersionEvent, 0);
    EXPECT_TRUE(c().versionLine->isVisibleTo(window.get()));
    EXPECT_FALSE(c().serialLine->geometry().intersects(c().versionLine->geometry()));
}

TEST_F(MainWindow, NoiseCountdownKeepsAllItsDotsInEveryLanguage) {
    const auto* area = qobject_cast<NoiseDisplay*>(c().noiseArea);
    ASSERT_NE(area, nullptr);
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        const QString longest = QString::fromStdString(NoiseMeasurement::longestWaitText());
        EXPECT_TRUE(longest.endsWith(QLatin1String("......"))) << longest.toStdString();
        EXPECT_LE(QFontMetrics(area->areaFont()).horizontalAdvance(longest), area->width())
            << longest.toStdString();
        // Legible still.
        EXPECT_GE(QFontMetrics(area->areaFont()).height(), 8) << longest.toStdString();
    }
    setLanguage(0);
}

TEST_F(MainWindow, ZeroButtonIsDisabledWhileTheBoxReportsAbsolutePositions) {
    readings.absolutePositionMode = true;
    core().deliverDeviceEvent(kPositionEvent, 0);
    EXPECT_FALSE(c().zeroButton->isEnabled());
    // The lit reference indicator still shows on the disabled button.
    const QIcon icon = c().zeroButton->icon();
    EXPECT_EQ(icon.pixmap(QSize(24, 24), QIcon::Disabled).toImage(),
              icon.pixmap(QSize(24, 24), QIcon::Normal).toImage());
    readings.absolutePositionMode = false;
    core().deliverDeviceEvent(kPositionEvent, 0);
    EXPECT_TRUE(c().zeroButton->isEnabled());
    // The box reset handling forgets the mode.
    readings.absolutePositionMode = true;
    core().deliverDeviceEvent(kPositionEvent, 0);
    window->resetReadings();
    EXPECT_TRUE(c().zeroButton->isEnabled());
}

TEST_F(MainWindow, ContextMenuTicksOnlyTheOpenWindows) {
    const auto entries = [this] {
        QMenu menu;
        window->fillContextMenu(menu);
        std::vector<std::pair<bool, bool>> states; // checkable, checked
        for (const char* id : {"32777", "32774"}) {
            const QAction* action = menu.findChild<QAction*>(QLatin1String(id));
            states.emplace_back(action->isCheckable(), action->isChecked());
        }
        return states;
    };
    using States = std::vector<std::pair<bool, bool>>;
    EXPECT_EQ(entries(), (States{{false, false}, {false, false}}));
    window->toggleStatusList();
    EXPECT_EQ(entries(), (States{{false, false}, {true, true}}));
    window->toggleExtendedDisplay();
    EXPECT_EQ(entries(), (States{{true, true}, {true, true}}));
    // The display takes its device events from the core while it is open.
    ASSERT_NE(window->extendedDisplay(), nullptr);
    EXPECT_TRUE(window->extendedDisplay()->receiving());
    window->toggleStatusList();
    window->toggleExtendedDisplay();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(entries(), (States{{false, false}, {false, false}}));
}

TEST_F(MainWindow, EachIdOfTheWindowNamesItsControl) {
    using D = CORVATIXDlg;
    const std::pair<int, QWidget*> controls[] = {
        {D::kExit, c().exitButton},
        {D::kSetup, c().setupButton},
        {D::kHelp, c().helpButton},
        {D::kSpeedField, c().speedField},
        {D::kPositionField, c().positionField},
        {D::kMarkerField, c().markerField},
        {D::kPositionGroup, c().positionGroup},
        {D::kZero, c().zeroButton},
        {D::kAmplitudeGroup, c().amplitudeGroup},
        {D::kStateGroup, c().stateGroup},
        {D::kSensorWHLamp, c().lamps[kSensorWH]},
        {D::kSensorYELamp, c().lamps[kSensorYE]},
        {D::kSpeedWHLamp, c().lamps[kSpeedWH]},
        {D::kSpeedYELamp, c().lamps[kSpeedYE]},
        {D::kSignalWHLamp, c().lamps[kSignalWH]},
        {D::kSignalYELamp, c().lamps[kSignalYE]},
        {D::kSignalCaption, c().signalCaption},
        {D::kSensorCaption, c().sensorCaption},
        {D::kSpeedCaption, c().speedCaption},
        {D::kWhiteLabel, c().whiteLabel},
        {D::kYellowLabel, c().yellowLabel},
        {D::kNoiseArea, c().noiseArea},
        {D::kNoise, c().noiseButton},
        {D::kRecord, c().recordButton},
        {D::kNoiseValue, c().noiseValue},
        {D::kRecordCaption, c().recordCaption},
        {D::kNoiseCaption, c().noiseCaption},
        {D::kDirection, c().directionButton},
        {D::kStatusLine, c().statusText},
        {D::kBoxPicture, c().boxPicture},
        {D::kConnect, c().connectButton},
        {D::kVersionLine, c().versionLine},
        {D::kSerialLine, c().serialLine},
        {D::kButtonGroup, c().buttonGroup},
        {D::kStatusListButton, c().statusListButton},
    };
    for (const auto& [id, control] : controls) {
        const QList<QWidget*> named = window->findChildren<QWidget*>(QString::number(id));
        ASSERT_EQ(named.size(), 1) << id;
        EXPECT_EQ(named.front(), control) << id;
    }
    EXPECT_EQ(window->objectName(), QString::number(D::kTemplate));

    QMenu menu;
    window->fillContextMenu(menu);
    for (int id : {D::kMenuExtendedDisplay, D::kMenuStatusList, D::kMenuInfo})
        EXPECT_NE(menu.findChild<QAction*>(QString::number(id)), nullptr) << id;
}

TEST_F(MainWindow, EveryButtonLampAndFieldSaysWhatItDoesInEveryLanguage) {
    c().noiseArea->show();
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        window->refresh();
        for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->objectName().isEmpty() || qobject_cast<QGroupBox*>(w) != nullptr ||
                w == c().connectButton) // hidden; it opens the not-found notice
                continue;
            EXPECT_FALSE(w->toolTip().trimmed().isEmpty())
                << language << " " << w->objectName().toStdString();
        }
        EXPECT_FALSE(c().amplitudeGroup->toolTip().isEmpty());
        EXPECT_EQ(c().zeroButton->toolTip().toStdString(),
                  textIn(TextTable::ToolTips, kTipZero, language));
    }
    setLanguage(0);
}

TEST_F(MainWindow, NoTwoControlsOverlapWhileTheNoiseMeasurementRuns) {
    c().noiseArea->show();
    c().connectButton->show();
    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(window.get()) && !w->objectName().isEmpty() &&
            qobject_cast<QGroupBox*>(w) == nullptr)
            controls.push_back(w);
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " and "
                << controls[j]->objectName().toStdString();
}

TEST_F(MainWindow, GroupCaptionsStandInTheirFrameLinesClearOfTheStatusListButton) {
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        window->refresh();
        for (const std::string& fault : groupCaptionFaults(*window))
            ADD_FAILURE() << "language " << language << ": " << fault;
    }
    setLanguage(0);
}

} // namespace
