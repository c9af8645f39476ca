#include "MqttLink.h"

#include "MonitorOptions.h"
#include "PlantMessages.h"
#include "WallClock.h"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

std::once_flag libraryReady;

std::string brokerName(const MqttUrl& url) {
    const bool v6 = url.host.find(':') != std::string::npos;
    return (url.tls ? "mqtts://" : "mqtt://") + (v6 ? "[" + url.host + "]" : url.host) + ":" +
           std::to_string(url.port);
}

} // namespace

MqttLink::MqttLink() {
    std::call_once(libraryReady, [] { mosquitto_lib_init(); });
}

MqttLink::~MqttLink() {
    stop({}, std::chrono::milliseconds(0));
    for (int fd : wakePipe_)
        if (fd >= 0)
            ::close(fd);
}

bool MqttLink::start(const MqttLinkSettings& settings, std::string* why) {
    settings_ = settings;
    if (!spool_.open(settings_.spoolDir, settings_.spoolMaxBytes, why))
        return false;
    if (!spool_.empty())
        say(std::to_string(spool_.size()) + " messages of an earlier run wait in the spool " +
            settings_.spoolDir);
    if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        *why = std::string("no pipe for the broker's thread: ") + std::strerror(errno);
        return false;
    }
    thread_ = std::thread(&MqttLink::run, this);
    return true;
}

void MqttLink::stop(const std::string& finalState, std::chrono::milliseconds grace) {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        finalState_ = finalState;
        grace_ = grace;
    }
    wake();
    thread_.join();
}

void MqttLink::publishSpooled(const std::string& subtopic, const std::string& payload) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        inbox_.push_back({Kind::Spooled, subtopic, payload});
    }
    wake();
}

void MqttLink::publishRetained(const std::string& subtopic, const std::string& payload) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        inbox_.push_back({Kind::Retained, subtopic, payload});
    }
    wake();
}

void MqttLink::publishLive(const std::string& subtopic, const std::string& payload) {
    if (!connected_)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        inbox_.push_back({Kind::Live, subtopic, payload});
    }
    wake();
}

void MqttLink::wake() {
    if (wakePipe_[1] < 0)
        return;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakePipe_[1], &c, 1);
}

void MqttLink::say(const std::string& text) {
    if (log)
        log(text);
}

void MqttLink::fail(int code, const std::string& why) {
    if (failedOnce_)
        return;
    failedOnce_ = true;
    if (mosq_ != nullptr) {
        mosquitto_destroy(mosq_);
        mosq_ = nullptr;
    }
    connected_ = false;
    if (failed)
        failed(code, why);
}

void MqttLink::drainInbox() {
    std::vector<Outgoing> items;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        items.swap(inbox_);
    }
    for (Outgoing& item : items) {
        const std::string topic = settings_.topicPrefix + "/" + item.subtopic;
        switch (item.kind) {
        case Kind::Spooled: {
            std::string why;
            if (!spool_.append(topic, withSequence(item.payload, spool_.nextSeq()), &why))
                say(why);
            break;
        }
        case Kind::Retained:
            retained_[topic] = item.payload;
            if (connected_)
                publishRetainedNow(topic, item.payload);
            break;
        case Kind::Live:
            if (connected_ && mosq_ != nullptr)
                mosquitto_publish(mosq_, nullptr, topic.c_str(), int(item.payload.size()),
                                  item.payload.data(), 0, false);
            break;
        }
    }
    if (const uint64_t dropped = spool_.takeNewlyDropped(); dropped > 0)
        say("the spool " + settings_.spoolDir + " is full: " + std::to_string(dropped) +
            " of its oldest messages dropped (" + std::to_string(spool_.dropped()) +
            " in all); --spool-max sets its size");
}

void MqttLink::publishRetainedNow(const std::string& topic, const std::string& payload) {
    int mid = -1;
    if (mosquitto_publish(mosq_, &mid, topic.c_str(), int(payload.size()), payload.data(), 1,
                          true) == MOSQ_ERR_SUCCESS &&
        topic == settings_.topicPrefix + "/state" && finalMid_ == -2)
        finalMid_ = mid;
}

bool MqttLink::connect() {
    mosq_ = mosquitto_new(settings_.clientId.empty() ? nullptr : settings_.clientId.c_str(), true,
                          this);
    if (mosq_ == nullptr) {
        dropConnection("no memory for the client");
        return false;
    }
    mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(mosq_, &MqttLink::onConnect);
    mosquitto_publish_callback_set(mosq_, &MqttLink::onPublish);
    // A killed monitor or a pulled cable: the broker says "offline" for it.
    const std::string willTopic = settings_.topicPrefix + "/state";
    const std::string will = statePayload("offline", isoWallClockNow());
    mosquitto_will_set(mosq_, willTopic.c_str(), int(will.size()), will.data(), 1, true);
    if (settings_.credentials)
        mosquitto_username_pw_set(mosq_, settings_.credentials->username.c_str(),
                                  settings_.credentials->password.c_str());
    if (settings_.url.tls) {
        const bool own = !settings_.caFile.empty();
        const int rc =
            mosquitto_tls_set(mosq_, own ? settings_.caFile.c_str() : nullptr,
                              own ? nullptr : "/etc/ssl/certs", nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            fail(kExitMqttTls, own ? "the CA file " + settings_.caFile + " cannot be used (" +
                                         mosquitto_strerror(rc) + ")"
                                   : std::string("no TLS without the system's CA certificates (") +
                                         mosquitto_strerror(rc) + ")");
            return false;
        }
    }
    errno = 0;
    const int rc = mosquitto_connect_async(mosq_, settings_.url.host.c_str(), settings_.url.port,
                                           settings_.keepAliveS);
    if (rc == MOSQ_ERR_SUCCESS)
        return true;
    const std::string reason = rc == MOSQ_ERR_ERRNO ? std::string(std::strerror(errno))
                                                    : std::string(mosquitto_strerror(rc));
    if (rc == MOSQ_ERR_EAI && !everConnected_) {
        fail(kExitMqttRefused,
             "the broker's host '" + settings_.url.host + "' cannot be found (" + reason + ")");
        return false;
    }
    if (rc == MOSQ_ERR_TLS) {
        fail(kExitMqttTls,
             "TLS with the broker " + brokerName(settings_.url) + " failed (" + reason + ")");
        return false;
    }
    dropConnection(reason);
    return false;
}

void MqttLink::dropConnection(const std::string& why) {
    if (mosq_ != nullptr) {
        mosquitto_destroy(mosq_);
        mosq_ = nullptr;
    }
    const bool was = connected_;
    connected_ = false;
    handshakeDone_ = false;
    // What was on its way goes again, from the spool, in order.
    inFlight_.clear();
    lastHanded_ = 0;
    nextAttempt_ = std::chrono::steady_clock::now() + backoff_;
    backoff_ = std::min(backoff_ * 2, std::chrono::milliseconds(5000));
    if (!unreachableSaid_ || was) {
        say("the broker " + brokerName(settings_.url) + " cannot be reached (" + why +
            "); status and health messages wait in the spool, " + std::to_string(spool_.size()) +
            " so far");
        unreachableSaid_ = true;
    }
}

void MqttLink::onConnect(mosquitto*, void* self, int rc) {
    auto* link = static_cast<MqttLink*>(self);
    link->connack_ = rc;
}

void MqttLink::onPublish(mosquitto*, void* self, int mid) {
    auto* link = static_cast<MqttLink*>(self);
    if (mid == link->finalMid_)
        link->finalAcked_ = true;
    const auto it = link->inFlight_.find(mid);
    if (it == link->inFlight_.end())
        return;
    link->spool_.remove(it->second);
    link->inFlight_.erase(it);
    ++link->delivered_;
}

void MqttLink::afterConnack() {
    const int rc = connack_;
    connack_ = -1;
    if (rc < 0)
        return;
    if (rc != 0) {
        fail(kExitMqttRefused, "the broker " + brokerName(settings_.url) +
                                   " refused the connection: " + mosquitto_connack_string(rc));
        return;
    }
    handshakeDone_ = true;
    connected_ = true;
    backoff_ = std::chrono::milliseconds(250);
    if (!everConnected_ || unreachableSaid_)
        say("connected to the broker " + brokerName(settings_.url) + " as " +
            settings_.topicPrefix +
            (spool_.empty() ? std::string()
                            : "; " + std::to_string(spool_.size()) + " spooled messages follow"));
    everConnected_ = true;
    unreachableSaid_ = false;
    for (const auto& [topic, payload] : retained_)
        publishRetainedNow(topic, payload);
}

void MqttLink::pump() {
    if (!connected_ || mosq_ == nullptr)
        return;
    while (inFlight_.size() < kInFlight) {
        SpooledMessage m;
        if (!spool_.next(lastHanded_, &m))
            return;
        int mid = -1;
        const int rc = mosquitto_publish(mosq_, &mid, m.topic.c_str(), int(m.payload.size()),
                                         m.payload.data(), 1, false);
        if (rc != MOSQ_ERR_SUCCESS) {
            dropConnection(mosquitto_strerror(rc));
            return;
        }
        inFlight_[mid] = m.seq;
        lastHanded_ = m.seq;
    }
}

bool MqttLink::service(int timeoutMs) {
    pollfd fds[2] = {{wakePipe_[0], POLLIN, 0}, {-1, 0, 0}};
    nfds_t n = 1;
    if (mosq_ != nullptr) {
        const int sock = mosquitto_socket(mosq_);
        if (sock >= 0) {
            fds[1] = {sock, short(POLLIN | (mosquitto_want_write(mosq_) ? POLLOUT : 0)), 0};
            n = 2;
        }
    }
    ::poll(fds, n, timeoutMs);
    if (fds[0].revents & POLLIN) {
        char buf[64];
        while (::read(wakePipe_[0], buf, sizeof buf) > 0) {
        }
    }
    if (mosq_ == nullptr)
        return true;
    int rc = MOSQ_ERR_SUCCESS;
    if (n == 2 && (fds[1].revents & (POLLIN | POLLERR | POLLHUP)))
        rc = mosquitto_loop_read(mosq_, 1);
    if (rc == MOSQ_ERR_SUCCESS && n == 2 && (fds[1].revents & POLLOUT))
        rc = mosquitto_loop_write(mosq_, 1);
    if (rc == MOSQ_ERR_SUCCESS)
        rc = mosquitto_loop_misc(mosq_);
    afterConnack();
    if (failedOnce_ || mosq_ == nullptr)
        return false;
    if (rc == MOSQ_ERR_SUCCESS)
        return true;
    const std::string reason = rc == MOSQ_ERR_ERRNO ? std::string(std::strerror(errno))
                                                    : std::string(mosquitto_strerror(rc));
    if (settings_.url.tls && !handshakeDone_ &&
        (rc == MOSQ_ERR_TLS || rc == MOSQ_ERR_CONN_LOST || rc == MOSQ_ERR_PROTOCOL) &&
        !everConnected_ && ++tlsFailures_ >= 3) {
        fail(kExitMqttTls, "TLS with the broker " + brokerName(settings_.url) +
                               " failed three times before the broker answered (" + reason +
                               "); check --ca-file, the host name and that the port speaks TLS");
        return false;
    }
    dropConnection(reason);
    return false;
}

void MqttLink::run() {
    for (;;) {
        drainInbox();
        bool stopping = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping = stopping_;
        }
        if (stopping)
            break;
        if (failedOnce_) {
            service(1000);
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (mosq_ == nullptr && now >= nextAttempt_)
            connect();
        afterConnack();
        pump();
        int timeoutMs = 1000;
        if (mosq_ == nullptr && !failedOnce_) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
                nextAttempt_ - std::chrono::steady_clock::now());
            timeoutMs = int(std::clamp<long long>(wait.count(), 0, 1000));
        }
        service(timeoutMs);
        pump();
    }
    // The end: the last state and what is in flight, within the grace time.
    std::string finalState;
    std::chrono::milliseconds grace{0};
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finalState = finalState_;
        grace = grace_;
    }
    drainInbox();
    const auto deadline = std::chrono::steady_clock::now() + grace;
    if (connected_ && mosq_ != nullptr && !finalState.empty()) {
        finalMid_ = -2;
        publishRetainedNow(settings_.topicPrefix + "/state", finalState);
    }
    pump();
    while (connected_ && mosq_ != nullptr && std::chrono::steady_clock::now() < deadline &&
           (!inFlight_.empty() || (finalMid_ >= 0 && !finalAcked_) || spoolPending())) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        service(int(std::clamp<long long>(left.count(), 1, 100)));
        pump();
    }
    if (mosq_ != nullptr) {
        if (connected_) {
            mosquitto_disconnect(mosq_);
            mosquitto_loop_write(mosq_, 1);
        }
        mosquitto_destroy(mosq_);
        mosq_ = nullptr;
    }
    connected_ = false;
}

bool MqttLink::spoolPending() {
    SpooledMessage m;
    return spool_.next(lastHanded_, &m);
}
