// Which part of the diagnosis window each device event reaches, handed over
// by the program's core as the reader thread's notices are, and what a
// running recording (the core's rule for display receivers) holds back.

#include "ScriptedSessionDialogs.h"
#include "app/CORVATIXDlg.h"
#include "app/ProgramCore.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/MainWindowRows.h"
#include "config/Texts.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/widgets/AmplitudeBars.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class WindowEvents : public testing::Test {
protected:
    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    ScriptedSessionDialogs dialogs;
    int64_t now = 1000;
    ProgramCore program{{readings, mutex, link, config, minPulseRate, maxPulseRate},
                        [this] { return now; }};
    std::unique_ptr<CORVATIXDlg> window;

    void SetUp() override {
        setLanguage(0);
        bearingCount = setBuiltInBearings(bearingTable);
        config.bearingType = "KAVO150/KAVOS150";
        config.pulseRate = 1344;
        window = std::make_unique<CORVATIXDlg>(program, &dialogs);
        readings.amplitudeWH = 61.0;
        readings.amplitudeYE = 72.0;
        readings.interferenceA = 15.0;
        readings.interferenceB = 25.0;
        std::strcpy(readings.boxTypeText, "QTBX01");
        link.noData = false;
        link.boxStarting = false;
        link.statusRestart = false;
    }
    void TearDown() override {
        window.reset();
        configData = ConfigData{};
    }

    void deliver(DeviceEventCode code, int param = 0) {
        program.core().deliverDeviceEvent(code, param);
    }
    const MainWindowControls& c() const { return window->controls(); }
    AmplitudeBars& bars() const { return *window->findChild<AmplitudeBars*>(); }
    double barValue(Head head) const { return bars().track(head).value; }
    // What the window shows in its texts, to see that an event left it alone.
    std::string texts() const {
        return (c().positionField->text() + "|" + c().speedField->text() + "|" +
                c().statusText->text() + "|" + c().versionLine->text() + "|" +
                c().serialLine->text() + "|" + c().noiseValue->text())
            .toStdString();
    }
    void pressNoiseButton() {
        c().noiseButton->setEnabled(true);
        c().noiseButton->click();
        ASSERT_TRUE(c().noiseButton->isChecked());
    }
};

TEST_F(WindowEvents, AmplitudesMoveTheBarsUnlessRecording) {
    deliver(kAmplitudeWhiteEvent);
    deliver(kAmplitudeYellowEvent);
    EXPECT_EQ(barValue(Head::WH), 61.0);
    EXPECT_EQ(barValue(Head::YE), 72.0);

    // The recorder, a receiver of its own, takes them as samples meanwhile.
    link.recordingActive = true;
    readings.amplitudeWH = 40.0;
    readings.amplitudeYE = 45.0;
    deliver(kAmplitudeWhiteEvent);
    deliver(kAmplitudeYellowEvent);
    EXPECT_EQ(barValue(Head::WH), 61.0);
    EXPECT_EQ(barValue(Head::YE), 72.0);
    link.recordingActive = false;
    deliver(kAmplitudeWhiteEvent);
    EXPECT_EQ(barValue(Head::WH), 40.0);
}

TEST_F(WindowEvents, WhileRecordingTheMutedEventsLeaveTheWindowAlone) {
    pressNoiseButton();
    link.recordingActive = true;
    const std::string before = texts();
    for (DeviceEventCode code : {kChannelValuesEvent, kStatusEvent, kInterferenceEvent,
                                 kZeroValueBEvent, kReferenceMarkEvent})
        for (int param : {0, 1, kStatusValidTwoLetter}) {
            deliver(code, param);
            EXPECT_EQ(texts(), before) << code << " " << param;
        }
    // A position still reaches it.
    deliver(kPositionEvent);
    EXPECT_NE(texts(), before);
}

TEST_F(WindowEvents, WhileRecordingReferenceEventsLeaveTheIndicatorAlone) {
    link.recordingActive = true;
    deliver(kReferenceFoundEvent);
    deliver(kReferencePassedEvent);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Idle);
    link.recordingActive = false;
    deliver(kReferenceFoundEvent);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Found);
}

TEST_F(WindowEvents, OffsetsMarkEachBarAndResetItOnceUntilTheNextBoxReset) {
    // The bars' extremes of the amplitudes so far.
    const auto swing = [this](Head head) {
        double& amplitude = head == Head::WH ? readings.amplitudeWH : readings.amplitudeYE;
        const DeviceEventCode code =
            head == Head::WH ? kAmplitudeWhiteEvent : kAmplitudeYellowEvent;
        for (double value : {40.0, 90.0}) {
            amplitude = value;
            deliver(code);
        }
    };
    swing(Head::WH);
    swing(Head::YE);
    ASSERT_TRUE(bars().track(Head::WH).hasRange());

    deliver(kDacOffsetsEvent, headFirstChannel(Head::WH));
    EXPECT_TRUE(bars().offsetSeen(Head::WH));
    EXPECT_FALSE(bars().offsetSeen(Head::YE));
    EXPECT_FALSE(bars().track(Head::WH).hasRange());
    EXPECT_TRUE(bars().track(Head::YE).hasRange());

    // Once per box reset: the second report keeps the extremes.
    swing(Head::WH);
    deliver(kDacOffsetsEvent, headFirstChannel(Head::WH));
    EXPECT_TRUE(bars().track(Head::WH).hasRange());
    // Another channel names no bar.
    deliver(kDacOffsetsEvent, 1);
    EXPECT_TRUE(bars().track(Head::YE).hasRange());

    // While recording the label is marked, but no bar is touched.
    link.recordingActive = true;
    deliver(kDacOffsetsEvent, headFirstChannel(Head::YE));
    EXPECT_TRUE(bars().offsetSeen(Head::YE));
    EXPECT_TRUE(bars().track(Head::YE).hasRange());
    EXPECT_TRUE(window->statusDecoding().offsetSeenYE);
}

TEST_F(WindowEvents, StatusEventsAndTheirValidity) {
    deliver(kStatusEvent, kStatusNotReady);
    EXPECT_EQ(c().statusText->text().toStdString(), "...  ");
    for (int valid : {kStatusValidTwoLetter, kStatusValidOneLetter}) {
        c().statusText->setText("-");
        deliver(kStatusEvent, valid);
        EXPECT_NE(c().statusText->text().toStdString(), "...  ") << valid;
    }
}

TEST_F(WindowEvents, NoiseValuesOnlyWhileTheButtonIsPressed) {
    link.newProtocol = true; // a two-letter box: values on each answer
    deliver(kInterferenceEvent, kInterferenceValues);
    EXPECT_TRUE(c().noiseValue->text().isEmpty());
    pressNoiseButton();
    deliver(kInterferenceEvent, kInterferenceValues);
    EXPECT_FALSE(c().noiseValue->text().isEmpty());
    // 0: the measurement's stop form.
    deliver(kInterferenceEvent, 0);
    EXPECT_TRUE(c().noiseValue->text().isEmpty());
}

TEST_F(WindowEvents, EventsForOtherReceiversLeaveTheWindowsTextsAlone) {
    const std::string before = texts();
    for (int code : std::initializer_list<int>{
             1, kChannelValuesEvent, kChannelFactorsEvent, kReferenceDistanceEvent,
             kReferencePhaseEvent, kBoxInfoEvent, kZeroValueAEvent, kZeroValueBEvent,
             kReferenceAnalysisEvent, kReferenceMarkEvent, 22, -1}) {
        program.core().deliverDeviceEvent(code, 0);
        EXPECT_EQ(texts(), before) << code;
    }
}

TEST_F(WindowEvents, VersionAndSerialLines) {
    std::strcpy(readings.versionText, "1.60");
    std::strcpy(readings.boxInfoText, "123");
    deliver(kVersionEvent);
    EXPECT_EQ(c().versionLine->text().toStdString(), "QTBX01 Version 1.60 [123]");
    std::strcpy(readings.serialTextA, "0815");
    std::strcpy(readings.serialTextB, "ORVA-2041");
    deliver(kSerialNumbersEvent);
    EXPECT_EQ(c().serialLine->text().toStdString(), "SN ORVA-2041 0815");
}

TEST_F(WindowEvents, TextFieldsWithoutTheirClosingZeroAreReadOnlyToTheirCapacity) {
    std::memset(readings.boxTypeText, 'A', sizeof readings.boxTypeText);
    std::memset(readings.versionText, 'V', sizeof readings.versionText);
    std::memset(readings.boxInfoText, 'I', sizeof readings.boxInfoText);
    const std::string line = MainWindowEvents::versionLine(readings);
    EXPECT_EQ(line, std::string(32, 'A') + " Version " + std::string(16, 'V') + " [" +
                        std::string(20, 'I') + "]");
}

TEST_F(WindowEvents, ResetResultsInTheStatusLine) {
    // Each answer stands for a second (the reader thread waits meanwhile).
    const struct {
        int param;
        int row;
    } answers[] = {{kResetError, mainwindowrow::kResetError},
                   {kFlashErased, mainwindowrow::kFlashErased}};
    for (const auto& answer : answers) {
        c().statusText->setText("-");
        deliver(kResetResultEvent, answer.param);
        EXPECT_EQ(c().statusText->text().toStdString(), text(TextTable::MainWindow, answer.row));
    }
    c().statusText->setText("-");
    deliver(kResetResultEvent, '3');
    EXPECT_EQ(c().statusText->text().toStdString(), "-");
}

TEST_F(WindowEvents, EveryEventEndsWithTheIndicatorStep) {
    deliver(kReferenceFoundEvent);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Found);
    const qint64 foundIcon = c().zeroButton->icon().cacheKey();
    now += 501;
    deliver(kBoxInfoEvent);
    EXPECT_EQ(window->referenceIndicator().image(), ReferenceIndicator::Image::Idle);
    EXPECT_NE(c().zeroButton->icon().cacheKey(), foundIcon);
}

} // namespace
