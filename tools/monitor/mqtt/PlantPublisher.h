#pragma once
// orvatix-monitor as a plant's probe: what the monitor sees of its box goes
// to an MQTT broker under one topic prefix (docs/mqtt.md):
//   PREFIX/info      retained, who the box is (again when it changes)
//   PREFIX/state     retained, "online", "no-box", or "offline" (also the
//                    broker's last will for a monitor that vanished)
//   PREFIX/status    every change of the box's status, spooled
//   PREFIX/health    every health interval, spooled
//   PREFIX/position  with a position rate only, at most that often, live
// Called on the monitor's thread; the broker is served by MqttLink's thread.

#include "HealthWindow.h"
#include "MqttLink.h"
#include "PlantValues.h"

#include "MonitorOptions.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class PlantPublisher {
public:
    // `device` names the port in the default topic; `programVersion` goes
    // into the info.
    PlantPublisher(const MonitorOptions::Mqtt& options, const std::string& device,
                   std::string programVersion);
    ~PlantPublisher();

    // Called on MqttLink's thread when the broker refuses for good.
    std::function<void(int exitCode, const std::string& why)> failed;
    std::function<void(const std::string&)> log;

    // Reads the URL and credentials, opens the spool, starts the link and
    // says "no-box". False with the reason and the exit code.
    bool start(std::string* why, int* exitCode);
    // Says "offline" and hands on what it can within `grace`.
    void stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000));

    void boxIdentified(const PlantBox& box);
    void boxLost();
    void positionSample(const PlantValues& values);
    void referenceMark() { health_.addReferenceMark(); }
    void statusChanged(const PlantValues& values);
    // The end of a health interval (the monitor's timer).
    void healthDue();

    const std::string& topicPrefix() const { return settings_.topicPrefix; }
    double healthIntervalS() const { return options_.healthIntervalS; }
    const MqttLink& link() const { return link_; }

private:
    void setState(const std::string& state);

    MonitorOptions::Mqtt options_;
    std::string device_;
    std::string programVersion_;
    MqttLinkSettings settings_;
    MqttLink link_;
    HealthWindow health_;
    std::string healthSince_;
    std::optional<PlantBox> box_;
    std::string state_;
    std::chrono::steady_clock::time_point lastPosition_{};
    bool started_ = false;
};

// The default topic prefix "orvatix/<hostname>/<port>", with characters a
// topic level cannot hold replaced.
std::string defaultTopicPrefix(const std::string& hostname, const std::string& device);
// Where the spool lives unless --spool says: systemd's state folder, else the
// user's ($XDG_STATE_HOME or ~/.local/state)/orvatix/spool/<prefix>.
std::string defaultSpoolDir(const std::string& topicPrefix);
