#include "PlantPublisher.h"

#include "PlantMessages.h"
#include "WallClock.h"

#include <cstdlib>
#include <unistd.h>

namespace {

std::string topicLevel(std::string s) {
    for (char& c : s)
        if (c == '/' || c == '+' || c == '#' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return s.empty() ? std::string("_") : s;
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "localhost";
    return name;
}

} // namespace

std::string defaultTopicPrefix(const std::string& hostname, const std::string& device) {
    const size_t slash = device.find_last_of('/');
    const std::string port = slash == std::string::npos ? device : device.substr(slash + 1);
    return "orvatix/" + topicLevel(hostname) + "/" + topicLevel(port);
}

std::string defaultSpoolDir(const std::string& topicPrefix) {
    if (const char* state = std::getenv("STATE_DIRECTORY"); state && *state) {
        // systemd may list several; the first is this unit's.
        const std::string all = state;
        return all.substr(0, all.find(':'));
    }
    std::string base;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.local/state";
    else
        base = "/tmp";
    std::string name = topicPrefix;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return base + "/orvatix/spool/" + name;
}

PlantPublisher::PlantPublisher(const MonitorOptions::Mqtt& options, const std::string& device,
                               std::string programVersion)
    : options_(options), device_(device), programVersion_(std::move(programVersion)) {}

PlantPublisher::~PlantPublisher() {
    stop(std::chrono::milliseconds(0));
}

bool PlantPublisher::start(std::string* why, int* exitCode) {
    *exitCode = kExitUsage;
    std::optional<MqttUrl> url = parseMqttUrl(options_.url, why);
    if (!url)
        return false;
    settings_.url = *url;
    if (!options_.caFile.empty() && !url->tls) {
        *why = "--ca-file is for mqtts:// brokers";
        return false;
    }
    if (!options_.credentialsFile.empty()) {
        std::string warning;
        settings_.credentials = readMqttCredentials(options_.credentialsFile, why, &warning);
        if (!settings_.credentials)
            return false;
        if (!warning.empty() && log)
            log(warning);
    }
    settings_.caFile = options_.caFile;
    settings_.topicPrefix =
        options_.topic.empty() ? defaultTopicPrefix(hostName(), device_) : options_.topic;
    while (!settings_.topicPrefix.empty() && settings_.topicPrefix.back() == '/')
        settings_.topicPrefix.pop_back();
    if (settings_.topicPrefix.empty() ||
        settings_.topicPrefix.find_first_of("+#") != std::string::npos) {
        *why = "--topic '" + options_.topic + "' is no topic prefix (no '+' or '#')";
        return false;
    }
    settings_.clientId = options_.clientId;
    settings_.spoolDir =
        options_.spoolDir.empty() ? defaultSpoolDir(settings_.topicPrefix) : options_.spoolDir;
    settings_.spoolMaxBytes = options_.spoolMaxBytes;
    link_.log = log;
    link_.failed = [this](int code, const std::string& text) {
        if (failed)
            failed(code, text);
    };
    if (!link_.start(settings_, why))
        return false;
    started_ = true;
    healthSince_ = isoWallClockNow();
    setState("no-box");
    return true;
}

void PlantPublisher::stop(std::chrono::milliseconds grace) {
    if (!started_)
        return;
    started_ = false;
    link_.stop(statePayload("offline", isoWallClockNow()), grace);
}

void PlantPublisher::setState(const std::string& state) {
    if (state == state_)
        return;
    state_ = state;
    link_.publishRetained("state", statePayload(state, isoWallClockNow()));
}

void PlantPublisher::boxIdentified(const PlantBox& box) {
    if (!started_)
        return;
    if (!box_ || !(*box_ == box)) {
        box_ = box;
        link_.publishRetained("info", infoPayload(box, programVersion_, isoWallClockNow()));
    }
    setState("online");
}

void PlantPublisher::boxLost() {
    if (started_)
        setState("no-box");
}

void PlantPublisher::positionSample(const PlantValues& values) {
    if (!started_)
        return;
    health_.addSample(values);
    if (options_.positionRateHz <= 0.0)
        return;
    const auto now = std::chrono::steady_clock::now();
    const auto period = std::chrono::duration<double>(1.0 / options_.positionRateHz);
    if (now - lastPosition_ < period)
        return;
    lastPosition_ = now;
    link_.publishLive("position", positionPayload(values, isoWallClock(values.when)));
}

void PlantPublisher::statusChanged(const PlantValues& values) {
    if (started_)
        link_.publishSpooled("status", statusPayload(values, isoWallClock(values.when)));
}

void PlantPublisher::healthDue() {
    if (!started_)
        return;
    const std::string now = isoWallClockNow();
    link_.publishSpooled("health",
                         health_.takePayload(healthSince_, now, options_.healthIntervalS));
    healthSince_ = now;
}
