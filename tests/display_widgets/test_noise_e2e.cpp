// The noise measurement that stops by itself, over the simulated box: too
// much interference twice in a row, or a box that goes silent. The display
// says why beside the main window and the event log keeps it; a stop by the
// user says nothing.

#include "link/LinkTestSupport.h"

#include "acquisition/AcquisitionCore.h"
#include "acquisition/DeviceReceiver.h"
#include "acquisition/InterferenceDoor.h"
#include "config/ConfigData.h"
#include "device/DeviceEvents.h"
#include "display/widgets/NoiseDisplay.h"
#include "eventlog/EventLog.h"
#include "support/CoreOnComOne.h"
#include "support/SimulatedBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;
using linktest::Records;

// What the main window does for the noise display with the core's notices.
class NoiseReceiver : public DeviceReceiver {
public:
    explicit NoiseReceiver(NoiseDisplay& display) : display_(display) {}
    void deviceEvent(int code, int param, const DeviceReadings& r) override {
        if (code != kInterferenceEvent)
            return;
        if (param == 0)
            display_.stopForm();
        else if (display_.running())
            display_.showNoise(r.interferenceA / 10.0, r.interferenceB / 10.0);
    }
    void noSerialData() override {
        if (display_.running())
            display_.toggleNoise(false);
    }
    void tick() override { display_.tick(); }
    bool displayReceiver() const override { return true; }

private:
    NoiseDisplay& display_;
};

class NoiseOverTheBox : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        ASSERT_TRUE(folder.isValid());
        const std::string link = folder.filePath(QStringLiteral("box")).toStdString();
        box = startSimulatedBox(link);
        box->setSpeedRpm(0.0);
        core = coreOnComOne(r.records(), link);
        noise = new NoiseDisplay(r.link, interferenceRequestsThrough(core->requests()), &window);
        window.resize(300, 120);
        button->setGeometry(10, 10, 80, 24);
        value->setGeometry(10, 50, 40, 20);
        noise->setGeometry(100, 48, 120, 22);
        noise->attach(button, value);
        // As the program notes it.
        noise->stoppedByItself = [this](NoiseStop why) {
            log.append(noiseStopLogText(why));
            stops.push_back(why);
        };
        window.show();
        receiver = std::make_unique<NoiseReceiver>(*noise);
        core->subscribe(receiver.get());
        openComOne(*core);
        ASSERT_TRUE(waitWithEvents([this] {
            return !r.link.noData && !r.link.boxStarting && !r.link.awaitingIdentification;
        })) << "the box did not settle";
    }
    void TearDown() override {
        endLink(*core);
        core->unsubscribe(receiver.get());
        box->stop();
    }

    static EventLogOptions logOptions(const QString& logFolder) {
        EventLogOptions options;
        options.folder = logFolder;
        options.maxBytes = 1 << 20;
        return options;
    }
    QString logText() const {
        QFile file(log.currentFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }
    QString noticeText() const {
        auto* box = qobject_cast<QMessageBox*>(noise->stopNotice());
        return box != nullptr ? box->text() : QString();
    }

    QTemporaryDir folder;
    Records r;
    EventLog log{logOptions(folder.filePath(QStringLiteral("log")))};
    std::unique_ptr<boxsim::BoxSimulator> box;
    std::unique_ptr<AcquisitionCore> core;
    QWidget window;
    QPushButton* button = new QPushButton(&window);
    QLabel* value = new QLabel(&window);
    NoiseDisplay* noise = nullptr;
    std::unique_ptr<NoiseReceiver> receiver;
    std::vector<NoiseStop> stops;
};

TEST_F(NoiseOverTheBox, TooMuchInterferenceStopsWithANoticeAndALogEntry) {
    // A user's stop says nothing.
    box->setInterference(80, 60);
    button->click();
    ASSERT_TRUE(waitWithEvents([this] { return !value->text().isEmpty(); }));
    button->click();
    EXPECT_FALSE(noise->running());
    QCoreApplication::processEvents(); // what a stop posts comes now
    EXPECT_TRUE(stops.empty());
    EXPECT_EQ(noise->stopNotice(), nullptr);

    // 25 on both channels, twice: the measurement ends by itself.
    box->setInterference(2500, 2500);
    button->click();
    ASSERT_TRUE(noise->running());
    ASSERT_TRUE(waitWithEvents([this] { return noise->stopNotice() != nullptr; }, 60s));
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(noise->running());
    EXPECT_EQ(noticeText(), QStringLiteral("Noise measurement stopped: the interference reached 20 "
                                           "or more twice in a row."));
    EXPECT_TRUE(noise->stopNotice()->isVisible());
    EXPECT_EQ(stops, std::vector<NoiseStop>{NoiseStop::TooMuchInterference});
    EXPECT_TRUE(
        logText().contains(QStringLiteral("noise measurement stopped: interference of 20 or more "
                                          "twice in a row")))
        << logText().toStdString();
}

TEST_F(NoiseOverTheBox, ASilentBoxStopsItWithItsOwnReasonInTheCurrentLanguage) {
    configData.language = 1;
    box->setInterference(80, 60);
    button->click();
    ASSERT_TRUE(waitWithEvents([this] { return !value->text().isEmpty(); }));
    box->setPower(false);
    ASSERT_TRUE(waitWithEvents([this] { return noise->stopNotice() != nullptr; }, 60s));
    configData.language = 0;
    EXPECT_FALSE(noise->running());
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(noticeText(), QStringLiteral("Störungsmessung beendet: Keine Daten von der Box."));
    EXPECT_EQ(stops, std::vector<NoiseStop>{NoiseStop::NoData});
    EXPECT_TRUE(
        logText().contains(QStringLiteral("noise measurement stopped: no data from the box")))
        << logText().toStdString();
    box->setPower(true);
}

} // namespace
