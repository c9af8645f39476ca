// The status list fed the way the program feeds it: status lines of the
// simulated box go through the line parser, the status decoding logs every
// change of the flag word, and the list is saved to a file.

#include "boxsim/BoxModel.h"
#include "device/DeviceEvents.h"
#include "device/PositionTracker.h"
#include "device/SensorState.h"
#include "display/StatusDisplay.h"
#include "status/StatusList.h"
#include "status/StatusListFile.h"
#include "support/LinkRecordSet.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using boxsim::Clock;

// The main window's part: every status notification updates the display.
class StatusWindow : public QuietNotifier {
public:
    explicit StatusWindow(StatusDisplay& display) : display_(display) {}
    void deviceEvent(int code, int param) override {
        if (code == kStatusEvent)
            display_.updateStatusDisplay(param != 0);
    }

private:
    StatusDisplay& display_;
};

class StatusListFromBox : public ::testing::Test {
protected:
    void SetUp() override {
        config.pulseRate = 1728;
        link.notificationsSuppressed = false;
        link.awaitingIdentification = true;
        link.boxStarting = true;
        link.statusRestart = true; // as after a reset of the readings
        parser.parseLine(box.identificationLine(), 0);
        ASSERT_TRUE(link.newProtocol.load());
    }

    // One status line of the box at `seconds` into the run, with the shaft at
    // `counts`; returns the flag word the program derived from it.
    int32_t statusLine(int seconds, int32_t counts = 0) {
        const auto at = start + std::chrono::seconds(seconds);
        readings.rawPosition = counts; // the shaft stands there, as the tracker counts it
        positions.positionEvent(readings);
        parser.parseLine(box.statusLine(at), seconds * 1000);
        return readings.errorFlags;
    }

    Clock::time_point start = Clock::now();
    boxsim::BoxModel box;
    LinkRecordSet records;
    DeviceReadings& readings = records.readings;
    LinkControl& link = records.link;
    ConfigData& config = records.config;
    StatusList list;
    StatusListLog log{list, config};
    PositionTracker positions{config, link};
    SensorState sensors;
    StatusDisplay display{readings, link, sensors, positions, &log};
    StatusWindow window{display};
    LineParser parser{records.makeParser(window)};
};

TEST_F(StatusListFromBox, RecordsEveryChangeAndSavesIt) {
    // The start-up phase after a restart logs nothing.
    statusLine(1);
    EXPECT_TRUE(list.empty());

    std::vector<int32_t> changes;
    auto note = [&](int32_t flags) {
        if (changes.empty() || changes.back() != flags)
            changes.push_back(flags);
    };
    note(statusLine(2, 2160000)); // a quarter turn: 90 degrees
    note(statusLine(3));
    box.setPlugged(boxsim::Sensor::White, false);
    const int32_t unplugged = statusLine(4);
    note(unplugged);
    EXPECT_TRUE(unplugged & 0x2000) << std::hex << unplugged; // W-NoS
    note(statusLine(5));
    box.setPlugged(boxsim::Sensor::White, true);
    note(statusLine(6));
    box.setSpeedRpm(1500.0, start + std::chrono::seconds(6));
    note(statusLine(7));
    box.setSpeedRpm(0.0, start + std::chrono::seconds(8));
    note(statusLine(8));

    ASSERT_EQ(list.count(), static_cast<int>(changes.size()));
    ASSERT_GE(list.count(), 4);
    for (int i = 0; i < list.count(); ++i)
        EXPECT_EQ(list.at(i).flags, changes[static_cast<std::size_t>(i)]) << i;
    EXPECT_DOUBLE_EQ(list.at(0).position, 90.0);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = statusFileName(dir.filePath(QStringLiteral("status")));
    ASSERT_TRUE(saveStatusList(list, path).ok);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), list.count() + 1); // the last one is empty
    const QRegularExpression format(
        QStringLiteral(R"(^\d\d \d\d \d\d\t -?\d+\.\d{4}\t 0x[0-9a-f]{4}\r$)"));
    for (int i = 0; i < list.count(); ++i) {
        const QString line = QString::fromLatin1(lines[i]);
        EXPECT_TRUE(format.match(line).hasMatch()) << line.toStdString();
        EXPECT_TRUE(line.endsWith(QStringLiteral("0x%1\r").arg(changes[static_cast<std::size_t>(i)],
                                                               4, 16, QLatin1Char('0'))))
            << line.toStdString();
    }
    EXPECT_TRUE(lines.first().contains("\t 90.0000\t "));
}

} // namespace
