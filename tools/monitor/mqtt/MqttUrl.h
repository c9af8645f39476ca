#pragma once
// The broker's address as the command line gives it, and the credentials
// file: the two things the monitor needs before it can reach a broker.

#include <optional>
#include <string>

struct MqttUrl {
    std::string host;
    int port = 1883;
    bool tls = false;
};

// "mqtt://host[:port]" or "mqtts://host[:port]" (1883 / 8883 by default);
// a numeric IPv6 host goes in brackets. Nothing, with the reason, otherwise.
std::optional<MqttUrl> parseMqttUrl(const std::string& text, std::string* why);

struct MqttCredentials {
    std::string username;
    std::string password;
};

// A file of "username=NAME" and "password=SECRET" lines ("#" comments), so
// that no secret stands in a command line or a process list. Nothing, with the
// reason, when it cannot be read or names no user. *warning says when others
// may read the file.
std::optional<MqttCredentials> readMqttCredentials(const std::string& path, std::string* why,
                                                   std::string* warning);
