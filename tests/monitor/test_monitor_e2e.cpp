// orvatix-monitor as a user runs it, against the simulated box on a
// pseudo-terminal: records in JSON and CSV, the end after --seconds, the exit
// codes of a missing port, a silent port and bad options, and a serial trace
// that replays into the same records.

#include "config/Bearings.h"
#include "support/Waiting.h"

#include <QDateTime>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct MonitorRun {
    int exitCode = -1;
    std::vector<std::string> lines; // standard output
    std::string errors;             // standard error
};

std::vector<std::string> splitLines(const QByteArray& bytes) {
    std::vector<std::string> lines;
    for (const QByteArray& line : bytes.split('\n'))
        if (!line.isEmpty())
            lines.push_back(line.toStdString());
    return lines;
}

// Runs the monitor in `dir` to its end; `limitFileBytes` > 0 runs it as under
// a file-size limit (the monitor itself must keep SIGXFSZ from killing it).
MonitorRun runMonitor(const QTemporaryDir& dir, const QStringList& args,
                      rlim_t limitFileBytes = 0) {
    QProcess monitor;
    monitor.setWorkingDirectory(dir.path());
    if (limitFileBytes > 0) {
        monitor.setChildProcessModifier([limitFileBytes] {
            const rlimit limit{limitFileBytes, limitFileBytes};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    monitor.start(QStringLiteral(ORVATIX_MONITOR), args);
    MonitorRun run;
    if (!monitor.waitForStarted(30000) || !monitor.waitForFinished(120000)) {
        monitor.kill();
        monitor.waitForFinished();
        return run;
    }
    run.exitCode = monitor.exitStatus() == QProcess::NormalExit ? monitor.exitCode() : -1;
    run.lines = splitLines(monitor.readAllStandardOutput());
    run.errors = monitor.readAllStandardError().toStdString();
    return run;
}

// orvatix-box-sim with a link in `dir`; ends with the object.
class SimulatedBox {
public:
    SimulatedBox(const QTemporaryDir& dir, const QString& name, QStringList extra) {
        link_ = dir.filePath(name).toStdString();
        sim_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim_.start(QStringLiteral(ORVATIX_BOX_SIM),
                   QStringList{QStringLiteral("--link"), QString::fromStdString(link_)} + extra);
        started_ = sim_.waitForStarted(30000) &&
                   waitUntil([this] { return std::filesystem::exists(link_); }, 30s);
    }
    ~SimulatedBox() {
        sim_.closeWriteChannel();
        sim_.terminate();
        if (!sim_.waitForFinished(10000)) {
            sim_.kill();
            sim_.waitForFinished();
        }
    }
    bool started() const { return started_; }
    QString link() const { return QString::fromStdString(link_); }

private:
    QProcess sim_;
    std::string link_;
    bool started_ = false;
};

struct Sample {
    std::string kind;
    std::string position; // as printed
    std::string status;
};

// kind, position and status of every CSV record after the header.
std::vector<Sample> csvSamples(const std::vector<std::string>& lines) {
    std::vector<Sample> samples;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> fields;
        std::string field;
        for (char c : lines[i]) {
            if (c == ',') {
                fields.push_back(field);
                field.clear();
            } else {
                field += c;
            }
        }
        fields.push_back(field);
        if (fields.size() < 7)
            continue;
        samples.push_back({fields[1], fields[2], fields[6]});
    }
    return samples;
}

TEST(Monitor, PrintsJsonRecordsOfTheSimulatedBoxAndEndsAfterItsSeconds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SimulatedBox box(dir, QStringLiteral("box"), {QStringLiteral("--speed"), QStringLiteral("30")});
    ASSERT_TRUE(box.started());

    const MonitorRun run =
        runMonitor(dir, {QStringLiteral("--port"), box.link(), QStringLiteral("--json"),
                         QStringLiteral("--seconds"), QStringLiteral("5")});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.lines.empty());

    int boxes = 0, positions = 0, statuses = 0;
    double lastTime = -1.0;
    bool turning = false;
    for (const std::string& line : run.lines) {
        SCOPED_TRACE(line);
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError);
        const QJsonObject o = doc.object();
        for (const char* key : {"time", "wallTime", "kind", "position", "speed", "amplitudeWH",
                                "amplitudeYE", "status", "statusHex", "flags", "info"})
            EXPECT_TRUE(o.contains(QLatin1String(key))) << key;
        const double time = o.value(QLatin1String("time")).toDouble();
        EXPECT_GE(time, lastTime);
        lastTime = time;
        const QString kind = o.value(QLatin1String("kind")).toString();
        const double position = o.value(QLatin1String("position")).toDouble();
        EXPECT_GE(position, 0.0);
        EXPECT_LT(position, 360.0);
        if (kind == QLatin1String("box")) {
            ++boxes;
            EXPECT_TRUE(o.value(QLatin1String("info")).toString().contains(box.link()));
            EXPECT_TRUE(o.value(QLatin1String("info")).toString().contains(QLatin1String("2.10")));
        } else if (kind == QLatin1String("position")) {
            ++positions;
            // 30 rpm within what the speed estimate resolves.
            const double rpm = o.value(QLatin1String("speed")).toDouble(-1.0);
            turning = turning || (rpm > 25.0 && rpm < 35.0);
        } else if (kind == QLatin1String("status")) {
            ++statuses;
        } else {
            ADD_FAILURE() << "unexpected kind";
        }
    }
    EXPECT_EQ(boxes, 1);
    EXPECT_GT(positions, 10);
    EXPECT_GE(statuses, 1);
    EXPECT_TRUE(turning);
    // The identity comes before the first position.
    EXPECT_NE(run.lines.front().find("\"kind\":\"box\""), std::string::npos);
}

TEST(Monitor, PrintsCsvRecordsOfTheDemoBox) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const MonitorRun run = runMonitor(
        dir, {QStringLiteral("--demo"), QStringLiteral("--csv"), QStringLiteral("--seconds=4")});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_GT(run.lines.size(), 5u);
    EXPECT_EQ(run.lines.front(),
              "time,kind,position,speed,amplitude_wh,amplitude_ye,status,flags,info,wall_time,"
              "status_hex");
    int positions = 0;
    for (const Sample& s : csvSamples(run.lines))
        positions += s.kind == "position" ? 1 : 0;
    EXPECT_GT(positions, 5);
}

TEST(Monitor, ExitCodesTellWhatWentWrong) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // A port that is not there: 3, with the window's advice.
    const QString missing = dir.filePath(QStringLiteral("no-such-port"));
    const MonitorRun gone = runMonitor(dir, {QStringLiteral("--port"), missing});
    EXPECT_EQ(gone.exitCode, 3);
    EXPECT_NE(gone.errors.find(missing.toStdString()), std::string::npos) << gone.errors;

    // Bad options: 2, and a pointer to --help.
    for (const QStringList& args :
         {QStringList{}, QStringList{QStringLiteral("--bogus")},
          QStringList{QStringLiteral("--demo"), QStringLiteral("--seconds"), QStringLiteral("x")},
          QStringList{QStringLiteral("--demo"), QStringLiteral("--json"), QStringLiteral("--csv")},
          QStringList{QStringLiteral("--port")}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const MonitorRun bad = runMonitor(dir, args);
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_NE(bad.errors.find("--help"), std::string::npos) << bad.errors;
        EXPECT_TRUE(bad.lines.empty());
    }

    const MonitorRun help = runMonitor(dir, {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    std::string text;
    for (const std::string& line : help.lines)
        text += line + "\n";
    EXPECT_NE(text.find("EXIT STATUS"), std::string::npos);

    // A pseudo-terminal that nobody answers on: 4 after the answer time.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString silent = QString::fromLatin1(::ptsname(master));
    const MonitorRun quiet =
        runMonitor(dir, {QStringLiteral("--port"), silent, QStringLiteral("--json")});
    ::close(master);
    EXPECT_EQ(quiet.exitCode, 4) << quiet.errors;
    EXPECT_NE(quiet.errors.find("no box answered"), std::string::npos) << quiet.errors;
    EXPECT_TRUE(quiet.lines.empty());
}

TEST(Monitor, ABusyPortGivesThreeAndATerminationEndsARunWithZero) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SimulatedBox box(dir, QStringLiteral("box"), {});
    ASSERT_TRUE(box.started());

    // The first monitor holds the port until it is told to end.
    QProcess holder;
    holder.setWorkingDirectory(dir.path());
    holder.start(QStringLiteral(ORVATIX_MONITOR),
                 {QStringLiteral("--port"), box.link(), QStringLiteral("--json")});
    ASSERT_TRUE(holder.waitForStarted(30000));
    QByteArray held;
    ASSERT_TRUE(waitUntil(
        [&] {
            holder.waitForReadyRead(50);
            held += holder.readAllStandardOutput();
            return held.contains("\"kind\":\"position\"");
        },
        60s));

    const MonitorRun busy = runMonitor(dir, {QStringLiteral("--port"), box.link()});
    EXPECT_EQ(busy.exitCode, 3);
    EXPECT_NE(busy.errors.find("busy"), std::string::npos) << busy.errors;

    holder.terminate();
    ASSERT_TRUE(holder.waitForFinished(30000));
    EXPECT_EQ(holder.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(holder.exitCode(), 0);
}

TEST(Monitor, ATraceOfARunReplaysIntoTheSameRecords) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString tracePath = dir.filePath(QStringLiteral("run.trace"));
    MonitorRun first;
    {
        SimulatedBox box(dir, QStringLiteral("box"),
                         {QStringLiteral("--speed"), QStringLiteral("20")});
        ASSERT_TRUE(box.started());
        first = runMonitor(dir, {QStringLiteral("--port"), box.link(), QStringLiteral("--csv"),
                                 QStringLiteral("--seconds"), QStringLiteral("5"),
                                 QStringLiteral("--trace"), tracePath});
    }
    ASSERT_EQ(first.exitCode, 0) << first.errors;
    ASSERT_TRUE(std::filesystem::exists(tracePath.toStdString()));

    SimulatedBox replay(dir, QStringLiteral("replay"), {QStringLiteral("--replay"), tracePath});
    ASSERT_TRUE(replay.started());
    const MonitorRun second =
        runMonitor(dir, {QStringLiteral("--port"), replay.link(), QStringLiteral("--csv"),
                         QStringLiteral("--seconds"), QStringLiteral("5")});
    ASSERT_EQ(second.exitCode, 0) << second.errors;

    const std::vector<Sample> a = csvSamples(first.lines);
    const std::vector<Sample> b = csvSamples(second.lines);
    ASSERT_GT(a.size(), 10u);
    // The replay answers the same polls with the same lines; the second run
    // may end a few samples earlier or later than the first.
    const size_t common = std::min(a.size(), b.size());
    EXPECT_GE(common * 10, a.size() * 8) << a.size() << " recorded, " << b.size() << " replayed";
    for (size_t i = 0; i < common; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a[i].kind, b[i].kind);
        EXPECT_EQ(a[i].position, b[i].position);
        EXPECT_EQ(a[i].status, b[i].status);
    }
}

// The raw counts of every position the box sent ("PA" and "RM" lines), read
// from the box's own serial trace. A busy machine may cut a line into two
// chunks, so the box's bytes are joined first and cut at the line ends.
std::vector<int64_t> positionsSent(const std::string& tracePath) {
    std::string sent; // the box's bytes, unescaped
    std::ifstream trace(tracePath);
    std::string line;
    while (std::getline(trace, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t r = line.find(" R ");
        if (line.empty() || line[0] == '#' || r == std::string::npos)
            continue;
        for (size_t i = r + 3; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 >= line.size()) {
                sent += line[i];
            } else if (line[i + 1] == 'x' && i + 3 < line.size()) {
                sent += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                sent += line[i + 1] == 'r' ? '\r' : line[i + 1] == 'n' ? '\n' : line[i + 1];
                ++i;
            }
        }
    }
    std::vector<int64_t> counts;
    std::istringstream lines(sent);
    while (std::getline(lines, line, '\r')) {
        std::istringstream fields(line);
        std::string name;
        int64_t raw = 0;
        if (fields >> name >> raw && (name == "PA" || name == "RM"))
            counts.push_back(raw);
    }
    return counts;
}

std::string csvField(const std::string& csvLine, int index) {
    std::istringstream fields(csvLine);
    std::string field;
    for (int i = 0; i <= index && std::getline(fields, field, ','); ++i) {
    }
    return field;
}

// Each bearing's box counts its own lines: once it has reported them, the
// monitor's positions are its counts within that bearing's turn and its speed
// the shaft's, whichever bearing the settings name.
TEST(Monitor, PositionsAndSpeedCountWithTheLinesTheBoxReports) {
    BearingEntry rows[kBearingTableSize] = {};
    const int count = setBuiltInBearings(rows);
    ASSERT_GT(count, 0);
    constexpr double kRpm = 6.0;
    for (int row = 0; row < count; ++row) {
        const int32_t pulses = rows[row].pulses;
        SCOPED_TRACE(rows[row].name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString trace = dir.filePath(QStringLiteral("box.trace"));
        std::vector<std::string> lines;
        {
            // A box without a reference mark: its positions are plain counts.
            SimulatedBox box(dir, QStringLiteral("box"),
                             {QStringLiteral("--pulse-rate"), QString::number(pulses),
                              QStringLiteral("--speed"), QString::number(kRpm),
                              QStringLiteral("--kind"), QStringLiteral("noref"),
                              QStringLiteral("--trace"), trace});
            ASSERT_TRUE(box.started());
            const MonitorRun run =
                runMonitor(dir, {QStringLiteral("--port"), box.link(), QStringLiteral("--csv"),
                                 QStringLiteral("--seconds"), QStringLiteral("6")});
            ASSERT_EQ(run.exitCode, 0) << run.errors;
            lines = run.lines;
        }
        // The box's trace is whole once it has ended.
        const std::vector<int64_t> sent = positionsSent(trace.toStdString());
        ASSERT_FALSE(sent.empty());
        const double turn = double(pulses) * 5000.0;
        std::vector<double> expected;
        for (int64_t raw : sent)
            expected.push_back(double(((raw % int64_t(turn)) + int64_t(turn)) % int64_t(turn)) *
                               360.0 / turn);

        // The rate arrives a poll cycle after the first positions: the later
        // half of the records counts with it.
        std::vector<std::string> positions;
        for (size_t i = 1; i < lines.size(); ++i)
            if (lines[i].find(",position,") != std::string::npos)
                positions.push_back(lines[i]);
        ASSERT_GT(positions.size(), 20u);
        std::vector<double> speeds;
        for (size_t i = positions.size() / 2; i < positions.size(); ++i) {
            const double degrees = std::atof(csvField(positions[i], 2).c_str());
            const bool sentThere = std::any_of(expected.begin(), expected.end(), [&](double e) {
                return std::fabs(e - degrees) < 1e-4;
            });
            EXPECT_TRUE(sentThere) << positions[i];
            // Empty while the estimate has too few samples.
            if (const std::string speed = csvField(positions[i], 3); !speed.empty())
                speeds.push_back(std::atof(speed.c_str()));
        }
        ASSERT_FALSE(speeds.empty());
        std::sort(speeds.begin(), speeds.end());
        EXPECT_NEAR(speeds[speeds.size() / 2], kRpm, 0.1 * kRpm);
    }
}

TEST(Monitor, RecordsCarryTheWallClockAndHexStatusAndNoSpeedUntilTheEstimateSettles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SimulatedBox box(dir, QStringLiteral("box"), {QStringLiteral("--speed"), QStringLiteral("10")});
    ASSERT_TRUE(box.started());

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const MonitorRun run =
        runMonitor(dir, {QStringLiteral("--port"), box.link(), QStringLiteral("--json"),
                         QStringLiteral("--seconds"), QStringLiteral("6")});
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    ASSERT_EQ(run.exitCode, 0) << run.errors;

    int positions = 0, unknownAfterKnown = 0, wrongSpeeds = 0;
    bool known = false;
    for (const std::string& line : run.lines) {
        SCOPED_TRACE(line);
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        const QString wall = o.value(QLatin1String("wallTime")).toString();
        // "2026-12-07T21:05:03.123+01:00": milliseconds and the zone's offset.
        ASSERT_EQ(wall.size(), 29);
        EXPECT_TRUE(wall.at(23) == QLatin1Char('+') || wall.at(23) == QLatin1Char('-'));
        const QDateTime at = QDateTime::fromString(wall, Qt::ISODateWithMs);
        ASSERT_TRUE(at.isValid());
        EXPECT_GE(at, before);
        EXPECT_LE(at, after);
        const int status = o.value(QLatin1String("status")).toInt();
        EXPECT_EQ(o.value(QLatin1String("statusHex")).toString(),
                  QStringLiteral("0x%1")
                      .arg(status, 4, 16, QLatin1Char('0'))
                      .toUpper()
                      .replace(QLatin1String("0X"), QLatin1String("0x")));
        if (o.value(QLatin1String("kind")).toString() != QLatin1String("position"))
            continue;
        ++positions;
        const QJsonValue speed = o.value(QLatin1String("speed"));
        if (speed.isNull()) {
            unknownAfterKnown += known ? 1 : 0;
            continue;
        }
        known = true;
        // The box turns at 10 rpm; the monitor's scale may differ by the line
        // count, but never by the factor of the stale first estimate.
        wrongSpeeds += speed.toDouble() > 5.0 && speed.toDouble() < 15.0 ? 0 : 1;
    }
    EXPECT_GT(positions, 30);
    EXPECT_TRUE(known);
    EXPECT_EQ(unknownAfterKnown, 0);
    EXPECT_EQ(wrongSpeeds, 0);
    // The first positions come before the estimate rests on samples of its own.
    const auto first = std::find_if(run.lines.begin(), run.lines.end(), [](const std::string& l) {
        return l.find("\"kind\":\"position\"") != std::string::npos;
    });
    ASSERT_NE(first, run.lines.end());
    EXPECT_NE(first->find("\"speed\":null"), std::string::npos) << *first;
}

TEST(Monitor, VersionAndPortsThatAreNoSerialPortAndOutOfRangeSeconds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const MonitorRun version = runMonitor(dir, {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    ASSERT_EQ(version.lines.size(), 1u);
    EXPECT_EQ(version.lines.front().rfind("orvatix-monitor ", 0), 0u) << version.lines.front();

    const QString file = dir.filePath(QStringLiteral("notes.txt"));
    std::ofstream(file.toStdString()) << "not a port\n";
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    struct Case {
        QString port;
        const char* reason;
    };
    for (const Case& c : {Case{file, "regular file"}, Case{folder, "folder"}}) {
        SCOPED_TRACE(c.reason);
        const MonitorRun run = runMonitor(dir, {QStringLiteral("--port"), c.port});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.find("busy"), std::string::npos) << run.errors;
        EXPECT_TRUE(run.lines.empty());
    }

    const MonitorRun huge = runMonitor(
        dir, {QStringLiteral("--demo"), QStringLiteral("--seconds"), QStringLiteral("1e300")});
    EXPECT_EQ(huge.exitCode, 2);
    EXPECT_NE(huge.errors.find("2000000"), std::string::npos) << huge.errors;
}

TEST(Monitor, ATraceCutByTheFileSizeLimitEndsWithItsOwnCodeAndStillReplays) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString tracePath = dir.filePath(QStringLiteral("cut.trace"));
    constexpr rlim_t kLimit = 3000;
    MonitorRun cut;
    {
        SimulatedBox box(dir, QStringLiteral("box"),
                         {QStringLiteral("--speed"), QStringLiteral("20")});
        ASSERT_TRUE(box.started());
        cut = runMonitor(dir,
                         {QStringLiteral("--port"), box.link(), QStringLiteral("--csv"),
                          QStringLiteral("--seconds"), QStringLiteral("5"),
                          QStringLiteral("--trace"), tracePath},
                         kLimit);
    }
    // The records went on; the trace's loss is said and has its own code.
    EXPECT_EQ(cut.exitCode, 5) << cut.errors;
    EXPECT_NE(cut.errors.find("serial trace"), std::string::npos) << cut.errors;
    EXPECT_NE(cut.errors.find("File too large"), std::string::npos) << cut.errors;
    EXPECT_GT(csvSamples(cut.lines).size(), 10u);
    ASSERT_EQ(std::filesystem::file_size(tracePath.toStdString()), kLimit);

    // The cut file ends inside a line; the replay leaves that line out, warns,
    // and answers with the rest.
    std::string text;
    {
        std::ifstream in(tracePath.toStdString(), std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (text.back() == '\n') {
        // The limit fell on a line end: cut into the last line ourselves.
        std::filesystem::resize_file(tracePath.toStdString(), kLimit - 6);
    }
    QProcess replay;
    const QString link = dir.filePath(QStringLiteral("replay"));
    replay.start(QStringLiteral(ORVATIX_BOX_SIM),
                 {QStringLiteral("--link"), link, QStringLiteral("--replay"), tracePath});
    ASSERT_TRUE(replay.waitForStarted(30000));
    QByteArray replayErrors;
    ASSERT_TRUE(waitUntil(
        [&] {
            replay.waitForReadyRead(50);
            replayErrors += replay.readAllStandardError();
            return std::filesystem::exists(link.toStdString()) ||
                   replay.state() == QProcess::NotRunning;
        },
        30s))
        << replayErrors.toStdString();
    ASSERT_EQ(replay.state(), QProcess::Running) << replayErrors.toStdString();
    const MonitorRun again =
        runMonitor(dir, {QStringLiteral("--port"), link, QStringLiteral("--csv"),
                         QStringLiteral("--seconds"), QStringLiteral("4")});
    replayErrors += replay.readAllStandardError();
    replay.terminate();
    replay.waitForFinished(10000);
    replayErrors += replay.readAllStandardError();
    EXPECT_NE(replayErrors.indexOf("has no line end"), -1) << replayErrors.toStdString();
    EXPECT_EQ(again.exitCode, 0) << again.errors;
    int boxes = 0;
    for (const Sample& s : csvSamples(again.lines))
        boxes += s.kind == "box" ? 1 : 0;
    EXPECT_EQ(boxes, 1);
}

} // namespace
