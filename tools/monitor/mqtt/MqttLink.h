#pragma once
// The monitor's connection to the plant's MQTT broker (libmosquitto), on a
// thread of its own so that neither a slow broker nor a full disk holds up
// the box's poll cycle. The monitor only hands messages over.
//
// - Spooled messages (status, health) are written to the spool first and
//   leave it only when the broker acknowledged them (QoS 1), oldest first,
//   with at most kInFlight on their way at a time.
// - Retained messages (info, state) are kept, the latest per topic, and sent
//   again after every connect.
// - Live messages (position) go out at once with QoS 0, or not at all while
//   the broker cannot be reached.
// Each connection is a fresh libmosquitto client: after a break the spool,
// not the library's memory, decides what is sent again, so the order holds.

#include "MessageSpool.h"
#include "MqttUrl.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct mosquitto;

struct MqttLinkSettings {
    MqttUrl url;
    std::string caFile; // mqtts: the CA that signed the broker's certificate (else the system's)
    std::optional<MqttCredentials> credentials;
    std::string clientId; // empty: the library makes one
    std::string topicPrefix;
    std::string spoolDir;
    uint64_t spoolMaxBytes = 50ull * 1024 * 1024;
    std::string willPayload; // PREFIX/state when the connection breaks
    int keepAliveS = 10;
};

class MqttLink {
public:
    static constexpr std::size_t kInFlight = 16;

    MqttLink();
    ~MqttLink(); // stops
    MqttLink(const MqttLink&) = delete;
    MqttLink& operator=(const MqttLink&) = delete;

    // Both called on the link's thread.
    std::function<void(const std::string&)> log;                  // for standard error
    std::function<void(int exitCode, const std::string&)> failed; // once; then the link rests

    // Opens the spool and starts the thread; false with the reason.
    bool start(const MqttLinkSettings& settings, std::string* why);
    // Publishes `finalState` retained to PREFIX/state when connected, waits
    // at most `grace` for the broker to take it and what is in flight, and ends
    // the thread. What the spool still holds goes out with the next run.
    void stop(const std::string& finalState, std::chrono::milliseconds grace);

    // `subtopic` below the prefix ("status", "health", ...).
    void publishSpooled(const std::string& subtopic, const std::string& payload);
    void publishRetained(const std::string& subtopic, const std::string& payload);
    void publishLive(const std::string& subtopic, const std::string& payload);

    bool connected() const { return connected_; }
    uint64_t delivered() const { return delivered_; }

private:
    enum class Kind { Spooled, Retained, Live };
    struct Outgoing {
        Kind kind;
        std::string subtopic;
        std::string payload;
    };

    void run();
    // One wait on the wake pipe and the broker's socket, and what came; false
    // when the connection ended in it.
    bool service(int timeoutMs);
    void afterConnack();
    bool spoolPending();
    void drainInbox();
    bool connect();
    void dropConnection(const std::string& why);
    void publishRetainedNow(const std::string& topic, const std::string& payload);
    void pump();
    void fail(int code, const std::string& why);
    void say(const std::string& text);
    void wake();

    static void onConnect(mosquitto*, void* self, int rc);
    static void onPublish(mosquitto*, void* self, int mid);

    MqttLinkSettings settings_;
    MessageSpool spool_;
    std::thread thread_;
    int wakePipe_[2] = {-1, -1};

    std::mutex mutex_; // guards inbox_, stopping_, finalState_
    std::vector<Outgoing> inbox_;
    bool stopping_ = false;
    std::string finalState_;
    std::chrono::milliseconds grace_{0};

    // The link's thread only.
    mosquitto* mosq_ = nullptr;
    bool handshakeDone_ = false;
    bool everConnected_ = false;
    bool failedOnce_ = false;
    bool unreachableSaid_ = false;
    std::chrono::steady_clock::time_point nextAttempt_{};
    std::chrono::milliseconds backoff_{250};
    std::map<std::string, std::string> retained_; // topic -> payload
    std::map<int, uint64_t> inFlight_;            // message id -> spool sequence
    uint64_t lastHanded_ = 0;
    int connack_ = -1; // the broker's answer, taken after the library's call
    int tlsFailures_ = 0;
    int finalMid_ = -1; // -2: the next state publish is the last one
    bool finalAcked_ = false;

    std::atomic<bool> connected_{false};
    std::atomic<uint64_t> delivered_{0};
};
