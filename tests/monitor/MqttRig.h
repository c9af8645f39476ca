#pragma once
// The real things an MQTT test of the monitor runs against: Debian's
// mosquitto on a free loopback port with a configuration in the test's own
// folder, a subscriber over libmosquitto that keeps every message it gets,
// and the simulated box as a program that takes control commands.

#include "support/Waiting.h"

#include <mosquitto.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <netinet/in.h>
#include <pwd.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace mqttrig {

// A port nobody listens on now.
inline int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

inline bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(uint16_t(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

// mosquitto with its configuration, persistence and log in `folder`.
class Broker {
public:
    explicit Broker(const QString& folder, QStringList extraConfig = {})
        : folder_(folder), extra_(std::move(extraConfig)), port_(freeLoopbackPort()) {}
    ~Broker() { stop(); }

    bool start() {
        QFile conf(folder_ + QStringLiteral("/mosquitto.conf"));
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QStringList lines{QStringLiteral("listener %1 127.0.0.1").arg(port_),
                          QStringLiteral("persistence true"),
                          QStringLiteral("persistence_location %1/").arg(folder_),
                          QStringLiteral("log_dest file %1/mosquitto.log").arg(folder_)};
        if (!extra_.join(QLatin1Char('\n')).contains(QLatin1String("allow_anonymous")))
            lines << QStringLiteral("allow_anonymous true");
        // Started as root, mosquitto would become "mosquitto" and lose the
        // test's folder.
        if (const passwd* me = ::getpwuid(::getuid()))
            lines << QStringLiteral("user %1").arg(QString::fromLocal8Bit(me->pw_name));
        conf.write((lines + extra_).join(QLatin1Char('\n')).toUtf8() + "\n");
        conf.close();
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(ORVATIX_MOSQUITTO),
                       {QStringLiteral("-c"), folder_ + QStringLiteral("/mosquitto.conf")});
        if (!process_.waitForStarted(30000))
            return false;
        return waitUntil([this] { return accepts(port_); }, std::chrono::seconds(30));
    }
    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(20000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    int port() const { return port_; }
    QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(port_); }

private:
    QString folder_;
    QStringList extra_;
    int port_;
    QProcess process_;
};

struct Message {
    std::string topic;
    std::string payload;
    bool retained = false;
    std::chrono::system_clock::time_point received;
};

// Subscribed to `filter` with QoS 1. `session` names a persistent session:
// the broker keeps what comes while the subscriber is away, across its own
// restarts too.
class Subscriber {
public:
    Subscriber(int port, std::string filter, std::string session = {})
        : filter_(std::move(filter)) {
        mosquitto_lib_init();
        mosq_ = mosquitto_new(session.empty() ? nullptr : session.c_str(), session.empty(), this);
        mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
        mosquitto_connect_callback_set(mosq_, [](mosquitto* m, void* self, int rc) {
            if (rc == 0) {
                auto* s = static_cast<Subscriber*>(self);
                mosquitto_subscribe(m, nullptr, s->filter_.c_str(), 1);
            }
        });
        mosquitto_subscribe_callback_set(mosq_, [](mosquitto*, void* self, int, int, const int*) {
            auto* s = static_cast<Subscriber*>(self);
            std::lock_guard<std::mutex> lock(s->mutex_);
            ++s->subscribed_;
        });
        mosquitto_message_callback_set(mosq_, [](mosquitto*, void* self,
                                                 const mosquitto_message* m) {
            auto* s = static_cast<Subscriber*>(self);
            std::lock_guard<std::mutex> lock(s->mutex_);
            s->messages_.push_back(
                {m->topic, std::string(static_cast<const char*>(m->payload), size_t(m->payloadlen)),
                 m->retain, std::chrono::system_clock::now()});
        });
        mosquitto_reconnect_delay_set(mosq_, 1, 1, false);
        mosquitto_connect_async(mosq_, "127.0.0.1", port, 10);
        mosquitto_loop_start(mosq_);
    }
    ~Subscriber() {
        mosquitto_disconnect(mosq_);
        mosquitto_loop_stop(mosq_, true);
        mosquitto_destroy(mosq_);
    }
    bool waitSubscribed() {
        return waitUntil([this] {
            std::lock_guard<std::mutex> lock(mutex_);
            return subscribed_ > 0;
        });
    }
    std::vector<Message> messages() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    std::vector<Message> on(const std::string& topic) const {
        std::vector<Message> out;
        for (Message& m : messages())
            if (m.topic == topic)
                out.push_back(std::move(m));
        return out;
    }

private:
    std::string filter_;
    mosquitto* mosq_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
    int subscribed_ = 0;
};

// orvatix-box-sim with its link in a folder; control commands on its input.
class BoxProcess {
public:
    BoxProcess(const QString& program, const QString& link, const QStringList& extra)
        : link_(link) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program, QStringList{QStringLiteral("--link"), link} + extra);
        started_ = process_.waitForStarted(30000) &&
                   waitUntil([this] { return std::filesystem::exists(link_.toStdString()); },
                             std::chrono::seconds(30));
    }
    ~BoxProcess() {
        process_.closeWriteChannel();
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    bool started() const { return started_; }
    const QString& link() const { return link_; }
    void command(const QString& line) {
        process_.write((line + QLatin1Char('\n')).toUtf8());
        process_.waitForBytesWritten(5000);
    }

private:
    QProcess process_;
    QString link_;
    bool started_ = false;
};

} // namespace mqttrig
