// orvatix-monitor --mqtt as a plant runs it: Debian's mosquitto on a loopback
// port, simulated boxes as programs, monitors as programs, and a subscriber.
// Retained info and state, status changes and health figures against what
// the boxes were set to, the last will of a killed monitor, a broker stopped
// for ten seconds mid-run, a spool that outlives its monitor, and the codes of
// what a retry cannot mend.

#include "MqttRig.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using mqttrig::BoxProcess;
using mqttrig::Broker;
using mqttrig::Message;
using mqttrig::Subscriber;

QJsonObject json(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

QString str(const QJsonObject& o, const char* key) {
    return o.value(QLatin1String(key)).toString();
}

double num(const QJsonObject& o, const char* key) {
    return o.value(QLatin1String(key)).toDouble(-1e9);
}

// A monitor started as a program; its standard output is gathered as it comes.
class Monitor {
public:
    Monitor(const QTemporaryDir& dir, const QStringList& args) {
        process_.setWorkingDirectory(dir.path());
        process_.start(QStringLiteral(ORVATIX_MONITOR), args);
        started_ = process_.waitForStarted(30000);
    }
    ~Monitor() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    bool started() const { return started_; }
    // Waits for its end; -1 when it did not end or was killed.
    int finish(std::chrono::milliseconds deadline = 120s) {
        if (!process_.waitForFinished(int(deadline.count())))
            return -1;
        gather();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    void terminate() { process_.terminate(); }
    void kill() {
        process_.kill();
        process_.waitForFinished();
    }
    // Takes what the monitor wrote so far (its pipe must not fill up).
    void gather() {
        while (process_.state() == QProcess::Running && process_.waitForReadyRead(1)) {
        }
        out_ += process_.readAllStandardOutput();
        err_ += process_.readAllStandardError();
    }
    // The JSON records printed so far of `kind`.
    std::vector<QJsonObject> records(const char* kind) {
        gather();
        std::vector<QJsonObject> out;
        for (const QByteArray& line : out_.split('\n')) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            if (str(o, "kind") == QLatin1String(kind))
                out.push_back(o);
        }
        return out;
    }
    std::string errors() {
        gather();
        return err_.toStdString();
    }

private:
    QProcess process_;
    QByteArray out_;
    QByteArray err_;
    bool started_ = false;
};

QStringList monitorArgs(const QString& port, const Broker& broker, const QString& topic,
                        const QString& spool, QStringList more = {}) {
    return QStringList{QStringLiteral("--port"),
                       port,
                       QStringLiteral("--json"),
                       QStringLiteral("--mqtt"),
                       broker.url(),
                       QStringLiteral("--topic"),
                       topic,
                       QStringLiteral("--spool"),
                       spool,
                       QStringLiteral("--health-interval"),
                       QStringLiteral("1")} +
           more;
}

// The messages of a spooled topic once each, by their sequence numbers (QoS 1
// may bring one twice after a broken connection), in the order they came.
std::vector<QJsonObject> once(const std::vector<Message>& messages) {
    std::vector<QJsonObject> out;
    std::set<qint64> seen;
    for (const Message& m : messages) {
        const QJsonObject o = json(m.payload);
        if (seen.insert(o.value(QLatin1String("seq")).toInteger()).second)
            out.push_back(o);
    }
    return out;
}

// Each status record the monitor printed is one status message, in order and
// with the same time.
void expectSameStatusChanges(const std::vector<QJsonObject>& records,
                             const std::vector<QJsonObject>& messages) {
    ASSERT_EQ(records.size(), messages.size());
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(str(records[i], "wallTime"), str(messages[i], "time"));
        EXPECT_EQ(records[i].value(QLatin1String("status")).toInt(),
                  messages[i].value(QLatin1String("status")).toInt());
        EXPECT_EQ(str(records[i], "statusHex"), str(messages[i], "statusHex"));
    }
}

TEST(MonitorMqtt, ThreeBoxesPublishInfoStateStatusAndHealthToOneBroker) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Broker broker(dir.path());
    ASSERT_TRUE(broker.start());
    Subscriber subscriber(broker.port(), "orvatix/#");
    ASSERT_TRUE(subscriber.waitSubscribed());

    std::vector<std::unique_ptr<BoxProcess>> boxes;
    for (int i = 0; i < 3; ++i) {
        boxes.push_back(std::make_unique<BoxProcess>(
            QStringLiteral(ORVATIX_BOX_SIM), dir.filePath(QStringLiteral("box%1").arg(i)),
            QStringList{QStringLiteral("--speed"), QStringLiteral("10")}));
        ASSERT_TRUE(boxes.back()->started());
    }
    // Box 0: an offset on the white head; box 1: a yellow head with a
    // ratio and a phase error, further from its scale.
    boxes[0]->command(QStringLiteral("offset wh 20 -10"));
    boxes[1]->command(QStringLiteral("ratio ye 1.5"));
    boxes[1]->command(QStringLiteral("phase ye 10"));
    boxes[1]->command(QStringLiteral("shims ye 6"));

    std::vector<std::unique_ptr<Monitor>> monitors;
    for (int i = 0; i < 3; ++i) {
        monitors.push_back(std::make_unique<Monitor>(
            dir,
            monitorArgs(boxes[i]->link(), broker, QStringLiteral("orvatix/line1/axis%1").arg(i),
                        dir.filePath(QStringLiteral("spool%1").arg(i)),
                        {QStringLiteral("--seconds"), QStringLiteral("14")})));
        ASSERT_TRUE(monitors.back()->started());
    }
    const auto prefix = [](int i) { return "orvatix/line1/axis" + std::to_string(i); };
    // Health: the figures of a full interval against what each box was set
    // to; full: samples all through, both heads plugged in and settled.
    const auto head = [](const QJsonObject& h, const char* name) {
        return h.value(QLatin1String("heads")).toObject().value(QLatin1String(name)).toObject();
    };
    const auto smallest = [&](const QJsonObject& h, const char* name) {
        return num(head(h, name).value(QLatin1String("amplitude")).toObject(), "min");
    };
    const auto fullHealth = [&](int i) {
        std::vector<QJsonObject> out;
        for (const QJsonObject& o : once(subscriber.on(prefix(i) + "/health")))
            if (num(o, "samples") > 5 && smallest(o, "WH") > 20.0 && smallest(o, "YE") > 3.0)
                out.push_back(o);
        return out;
    };
    // Health with samples from every box: all of them are turning.
    ASSERT_TRUE(waitUntil(
        [&] {
            for (auto& m : monitors)
                m->gather();
            for (int i = 0; i < 3; ++i)
                if (fullHealth(i).size() < 2)
                    return false;
            return true;
        },
        60s));
    // A status change: box 2's yellow head unplugged.
    boxes[2]->command(QStringLiteral("unplug ye"));
    ASSERT_TRUE(waitUntil(
        [&] {
            for (auto& m : monitors)
                m->gather();
            const std::vector<QJsonObject> seen = monitors[2]->records("status");
            return !seen.empty() && str(seen.back(), "flags") != QLatin1String("-");
        },
        60s));
    for (auto& m : monitors)
        m->terminate();
    for (auto& m : monitors)
        EXPECT_EQ(m->finish(), 0) << m->errors();

    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::vector<Message> info = subscriber.on(prefix(i) + "/info");
        ASSERT_FALSE(info.empty());
        const QJsonObject last = json(info.back().payload);
        EXPECT_EQ(str(last, "port"), boxes[i]->link());
        EXPECT_EQ(str(last, "firmware"), QStringLiteral("2.10"));
        EXPECT_TRUE(str(last, "boxType").contains(QLatin1String("1Ref")));
        EXPECT_GT(num(last, "lineCount"), 0);
        EXPECT_TRUE(str(last, "program").startsWith(QLatin1String("orvatix-monitor ")));

        std::vector<std::string> states;
        for (const Message& m : subscriber.on(prefix(i) + "/state"))
            states.push_back(str(json(m.payload), "state").toStdString());
        ASSERT_GE(states.size(), 3u);
        EXPECT_EQ(states.front(), "no-box");
        EXPECT_EQ(states[1], "online");
        EXPECT_EQ(states.back(), "offline");

        expectSameStatusChanges(monitors[i]->records("status"),
                                once(subscriber.on(prefix(i) + "/status")));
    }
    // The unplugged head shows in box 2's last status flags.
    const std::vector<QJsonObject> unplugged = once(subscriber.on(prefix(2) + "/status"));
    ASSERT_FALSE(unplugged.empty());
    EXPECT_FALSE(unplugged.back().value(QLatin1String("flags")).toArray().isEmpty());
    EXPECT_FALSE(str(unplugged.back(), "text").isEmpty());

    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::vector<QJsonObject> health = fullHealth(i);
        ASSERT_GE(health.size(), 2u);
        const QJsonObject h = health[health.size() / 2];
        EXPECT_EQ(QDateTime::fromString(str(h, "time"), Qt::ISODateWithMs).isValid(), true);
        const QJsonObject speed = h.value(QLatin1String("speed")).toObject();
        EXPECT_GT(num(speed, "min"), 5.0);
        EXPECT_LT(num(speed, "max"), 15.0);
        const QJsonObject wh = head(h, "WH");
        const QJsonObject amp = wh.value(QLatin1String("amplitude")).toObject();
        EXPECT_LE(num(amp, "min"), num(amp, "mean"));
        EXPECT_LE(num(amp, "mean"), num(amp, "max"));
        EXPECT_GT(num(amp, "mean"), 40.0);
        EXPECT_LT(num(amp, "mean"), 90.0);
        const QJsonObject fit = wh.value(QLatin1String("fit")).toObject();
        ASSERT_FALSE(fit.isEmpty());
        EXPECT_NEAR(num(fit, "offsetA"), i == 0 ? 20.0 : 0.0, 3.0);
        EXPECT_NEAR(num(fit, "offsetB"), i == 0 ? -10.0 : 0.0, 3.0);
        EXPECT_NEAR(num(fit, "ratio"), 1.0, 0.1);
        const QJsonObject yeFit = head(h, "YE").value(QLatin1String("fit")).toObject();
        ASSERT_FALSE(yeFit.isEmpty());
        EXPECT_NEAR(num(yeFit, "ratio"), i == 1 ? 1.5 : 1.0, 0.1);
        EXPECT_NEAR(num(yeFit, "phase"), i == 1 ? 10.0 : 0.0, 2.0);
        if (i == 1) {
            EXPECT_LT(num(head(h, "YE").value(QLatin1String("amplitude")).toObject(), "mean"),
                      num(amp, "mean") - 5.0);
        }
    }

    // A subscriber that comes later finds each box's info and state retained.
    Subscriber later(broker.port(), "orvatix/#");
    ASSERT_TRUE(waitUntil(
        [&] {
            for (int i = 0; i < 3; ++i)
                if (later.on(prefix(i) + "/info").empty() || later.on(prefix(i) + "/state").empty())
                    return false;
            return true;
        },
        30s));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(later.on(prefix(i) + "/info").front().retained);
        EXPECT_EQ(str(json(later.on(prefix(i) + "/state").front().payload), "state"),
                  QStringLiteral("offline"));
    }
}

TEST(MonitorMqtt, PositionsAtTheirRateInfoOfAChangedBoxAndTheLastWillOfAKilledMonitor) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Broker broker(dir.path());
    ASSERT_TRUE(broker.start());
    Subscriber subscriber(broker.port(), "orvatix/#");
    ASSERT_TRUE(subscriber.waitSubscribed());
    BoxProcess box(QStringLiteral(ORVATIX_BOX_SIM), dir.filePath(QStringLiteral("box")),
                   {QStringLiteral("--speed"), QStringLiteral("10")});
    ASSERT_TRUE(box.started());
    Monitor monitor(dir, monitorArgs(box.link(), broker, QStringLiteral("orvatix/will"),
                                     dir.filePath(QStringLiteral("spool")),
                                     {QStringLiteral("--position-rate"), QStringLiteral("2")}));
    ASSERT_TRUE(monitor.started());
    const auto lastState = [&] {
        const std::vector<Message> states = subscriber.on("orvatix/will/state");
        return states.empty() ? QString() : str(json(states.back().payload), "state");
    };
    ASSERT_TRUE(waitUntil(
        [&] {
            monitor.gather();
            return lastState() == QLatin1String("online") &&
                   subscriber.on("orvatix/will/position").size() >= 4;
        },
        60s));

    // Positions: at most two a second by their own times, each a position.
    QDateTime previous;
    for (const Message& m : subscriber.on("orvatix/will/position")) {
        const QJsonObject o = json(m.payload);
        const QDateTime at = QDateTime::fromString(str(o, "time"), Qt::ISODateWithMs);
        ASSERT_TRUE(at.isValid()) << m.payload;
        if (previous.isValid()) {
            EXPECT_GE(previous.msecsTo(at), 450) << m.payload;
        }
        previous = at;
        EXPECT_GE(num(o, "position"), 0.0);
        EXPECT_LT(num(o, "position"), 360.0);
        EXPECT_FALSE(m.retained);
    }

    // The box is exchanged for another kind: its info follows.
    box.command(QStringLiteral("power off"));
    box.command(QStringLiteral("kind noref"));
    box.command(QStringLiteral("power on"));
    ASSERT_TRUE(waitUntil(
        [&] {
            monitor.gather();
            const std::vector<Message> info = subscriber.on("orvatix/will/info");
            return !info.empty() &&
                   str(json(info.back().payload), "boxType").contains(QLatin1String("NoRef"));
        },
        60s));

    monitor.kill(); // SIGKILL: no word of its own
    ASSERT_TRUE(waitUntil([&] { return lastState() == QLatin1String("offline"); }, 30s));
}

TEST(MonitorMqtt, ABrokerStoppedForTenSecondsLosesNoStatusChangeAndKeepsTheOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Broker broker(dir.path());
    ASSERT_TRUE(broker.start());
    // A persistent session: the broker keeps for it what comes while it is away.
    auto subscriber = std::make_unique<Subscriber>(broker.port(), "orvatix/#", "orvatix-test-sub");
    ASSERT_TRUE(subscriber->waitSubscribed());
    BoxProcess box(QStringLiteral(ORVATIX_BOX_SIM), dir.filePath(QStringLiteral("box")),
                   {QStringLiteral("--speed"), QStringLiteral("5")});
    ASSERT_TRUE(box.started());
    Monitor monitor(dir, monitorArgs(box.link(), broker, QStringLiteral("orvatix/outage"),
                                     dir.filePath(QStringLiteral("spool"))));
    ASSERT_TRUE(monitor.started());
    ASSERT_TRUE(waitUntil([&] { return !subscriber->on("orvatix/outage/status").empty(); }, 60s));

    broker.stop();
    subscriber.reset();
    const auto outage = std::chrono::steady_clock::now();
    // Status changes while the broker is away, each seen by the monitor.
    size_t seen = monitor.records("status").size();
    for (const char* command : {"unplug ye", "plug ye", "unplug wh", "plug wh"}) {
        box.command(QString::fromLatin1(command));
        ASSERT_TRUE(waitUntil([&] { return monitor.records("status").size() > seen; }, 30s))
            << command;
        seen = monitor.records("status").size();
    }
    const size_t madeWhileDown = seen;
    waitUntil([&] { return std::chrono::steady_clock::now() - outage >= 10s; }, 30s);
    EXPECT_FALSE(std::filesystem::is_empty(dir.filePath(QStringLiteral("spool")).toStdString()));

    ASSERT_TRUE(broker.start());
    Subscriber back(broker.port(), "orvatix/#", "orvatix-test-sub");
    ASSERT_TRUE(waitUntil(
        [&] {
            return once(back.on("orvatix/outage/status")).size() + 1 >=
                   madeWhileDown; // the first came before the outage
        },
        60s));
    monitor.terminate();
    EXPECT_EQ(monitor.finish(), 0) << monitor.errors();
    EXPECT_NE(monitor.errors().find("cannot be reached"), std::string::npos) << monitor.errors();

    const std::vector<QJsonObject> afterwards = once(back.on("orvatix/outage/status"));
    const std::vector<QJsonObject> records = monitor.records("status");
    ASSERT_GE(records.size(), madeWhileDown);
    // The changes made while the broker was down all arrived, in order, with
    // the times they were seen.
    ASSERT_GE(afterwards.size(), madeWhileDown - 1);
    const std::vector<QJsonObject> tail(records.end() - long(afterwards.size()), records.end());
    expectSameStatusChanges(tail, afterwards);
    // Status and health share the spool's numbers: none is missing.
    std::vector<qint64> seqs;
    for (const char* topic : {"orvatix/outage/status", "orvatix/outage/health"})
        for (const QJsonObject& o : once(back.on(topic)))
            seqs.push_back(o.value(QLatin1String("seq")).toInteger());
    std::sort(seqs.begin(), seqs.end());
    ASSERT_FALSE(seqs.empty());
    EXPECT_EQ(seqs.back() - seqs.front() + 1, qint64(seqs.size()));
}

TEST(MonitorMqtt, WhatTheSpoolHoldsAtTheEndGoesOutWithTheNextRun) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Broker broker(dir.path()); // not started yet: nobody listens on its port
    const QString spool = dir.filePath(QStringLiteral("spool"));
    const QStringList args{QStringLiteral("--demo"),
                           QStringLiteral("--quiet"),
                           QStringLiteral("--mqtt"),
                           broker.url(),
                           QStringLiteral("--topic"),
                           QStringLiteral("orvatix/spooled"),
                           QStringLiteral("--spool"),
                           spool,
                           QStringLiteral("--health-interval"),
                           QStringLiteral("1"),
                           QStringLiteral("--seconds"),
                           QStringLiteral("4")};
    Monitor first(dir, args);
    EXPECT_EQ(first.finish(), 0) << first.errors();
    EXPECT_NE(first.errors().find("cannot be reached"), std::string::npos) << first.errors();
    size_t waiting = 0;
    for (const auto& e : std::filesystem::directory_iterator(spool.toStdString()))
        waiting += e.path().extension() == ".msg" ? 1 : 0;
    ASSERT_GE(waiting, 3u);

    ASSERT_TRUE(broker.start());
    Subscriber subscriber(broker.port(), "orvatix/#");
    ASSERT_TRUE(subscriber.waitSubscribed());
    Monitor second(dir, args);
    EXPECT_EQ(second.finish(), 0) << second.errors();
    EXPECT_NE(second.errors().find("wait in the spool"), std::string::npos) << second.errors();
    const auto delivered = [&] {
        return once(subscriber.on("orvatix/spooled/health")).size() +
               once(subscriber.on("orvatix/spooled/status")).size();
    };
    ASSERT_TRUE(waitUntil([&] { return delivered() >= waiting + 2; }, 30s));
    // In order: the first run's messages, with their own times, come first.
    QString lastTime;
    qint64 lastSeq = 0;
    for (const QJsonObject& o : once(subscriber.on("orvatix/spooled/health"))) {
        EXPECT_GT(o.value(QLatin1String("seq")).toInteger(), lastSeq);
        EXPECT_GE(str(o, "time"), lastTime);
        lastSeq = o.value(QLatin1String("seq")).toInteger();
        lastTime = str(o, "time");
    }
    size_t left = 0;
    for (const auto& e : std::filesystem::directory_iterator(spool.toStdString()))
        left += e.path().extension() == ".msg" ? 1 : 0;
    EXPECT_EQ(left, 0u);
}

TEST(MonitorMqtt, WhatARetryCannotMendEndsWithAClearMessageAndItsCode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A broker that knows one user.
    const QString passwords = dir.filePath(QStringLiteral("passwords"));
    QProcess passwd;
    passwd.start(QStringLiteral(ORVATIX_MOSQUITTO_PASSWD),
                 {QStringLiteral("-c"), QStringLiteral("-b"), passwords, QStringLiteral("plant"),
                  QStringLiteral("s3cret")});
    ASSERT_TRUE(passwd.waitForFinished(30000));
    ASSERT_EQ(passwd.exitCode(), 0);
    ::chmod(passwords.toLocal8Bit().constData(), 0644); // mosquitto runs as another user
    Broker broker(dir.path(), {QStringLiteral("allow_anonymous false"),
                               QStringLiteral("password_file %1").arg(passwords)});
    ASSERT_TRUE(broker.start());

    const auto credentials = [&](const char* name, const char* text) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        std::ofstream(path.toStdString()) << text;
        ::chmod(path.toLocal8Bit().constData(), 0600);
        return path;
    };
    const QString good =
        credentials("good", "# the plant's monitor\nusername=plant\npassword=s3cret\n");
    const QString wrong = credentials("wrong", "username=plant\npassword=guess\n");
    const QString ca =
        credentials("ca.pem", "-----BEGIN CERTIFICATE-----\nnone\n-----END CERTIFICATE-----\n");
    const QString plain = QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port());
    const QString tls = QStringLiteral("mqtts://127.0.0.1:%1").arg(broker.port());

    struct Case {
        const char* name;
        QStringList mqtt;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {"no URL", {QStringLiteral("--mqtt"), QStringLiteral("http://127.0.0.1")}, 2, "mqtt://"},
        {"bad port",
         {QStringLiteral("--mqtt"), QStringLiteral("mqtt://127.0.0.1:99999")},
         2,
         "port"},
        {"password given",
         {QStringLiteral("--mqtt"), plain, QStringLiteral("--password"), QStringLiteral("x")},
         2,
         "--mqtt-credentials"},
        {"no credentials file",
         {QStringLiteral("--mqtt"), plain, QStringLiteral("--mqtt-credentials"),
          dir.filePath(QStringLiteral("none"))},
         2,
         "cannot be read"},
        {"unknown host",
         {QStringLiteral("--mqtt"), QStringLiteral("mqtt://no-such-broker.invalid")},
         6,
         "cannot be found"},
        {"no credentials", {QStringLiteral("--mqtt"), plain}, 6, "refused"},
        {"wrong password",
         {QStringLiteral("--mqtt"), plain, QStringLiteral("--mqtt-credentials"), wrong},
         6,
         "refused"},
        {"TLS to a plain port",
         {QStringLiteral("--mqtt"), tls, QStringLiteral("--ca-file"), ca,
          QStringLiteral("--mqtt-credentials"), good},
         7,
         "TLS"},
        {"right password",
         {QStringLiteral("--mqtt"), plain, QStringLiteral("--mqtt-credentials"), good},
         0,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Monitor monitor(dir, QStringList{QStringLiteral("--demo"), QStringLiteral("--quiet"),
                                         QStringLiteral("--seconds"), QStringLiteral("5"),
                                         QStringLiteral("--spool"),
                                         dir.filePath(QStringLiteral("spool"))} +
                                 c.mqtt);
        EXPECT_EQ(monitor.finish(), c.code) << monitor.errors();
        EXPECT_NE(monitor.errors().find(c.says), std::string::npos) << monitor.errors();
        if (c.code == 0) {
            EXPECT_EQ(monitor.errors().find("refused"), std::string::npos) << monitor.errors();
        }
    }
}

} // namespace
