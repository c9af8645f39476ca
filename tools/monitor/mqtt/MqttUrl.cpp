#include "MqttUrl.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

std::optional<MqttUrl> parseMqttUrl(const std::string& text, std::string* why) {
    MqttUrl url;
    std::string rest;
    if (text.rfind("mqtt://", 0) == 0) {
        rest = text.substr(7);
    } else if (text.rfind("mqtts://", 0) == 0) {
        rest = text.substr(8);
        url.tls = true;
        url.port = 8883;
    } else {
        *why = "'" + text + "' is no broker URL: it starts with mqtt:// or mqtts://";
        return std::nullopt;
    }
    if (!rest.empty() && rest.back() == '/')
        rest.pop_back();
    if (rest.find_first_of("/?#@ ") != std::string::npos) {
        *why = "'" + text + "': only mqtt[s]://host[:port] is understood";
        return std::nullopt;
    }
    std::string portText;
    bool hasPort = false;
    if (!rest.empty() && rest.front() == '[') {
        const size_t close = rest.find(']');
        if (close == std::string::npos) {
            *why = "'" + text + "': the IPv6 address has no closing ']'";
            return std::nullopt;
        }
        url.host = rest.substr(1, close - 1);
        rest = rest.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') {
            *why = "'" + text + "': a port follows the host after ':'";
            return std::nullopt;
        }
        hasPort = !rest.empty();
        portText = hasPort ? rest.substr(1) : std::string();
    } else {
        const size_t colon = rest.find(':');
        url.host = rest.substr(0, colon);
        hasPort = colon != std::string::npos;
        portText = hasPort ? rest.substr(colon + 1) : std::string();
    }
    if (url.host.empty()) {
        *why = "'" + text + "' names no host";
        return std::nullopt;
    }
    if (hasPort) {
        int port = portText.empty() ? -1 : 0;
        for (char c : portText) {
            if (port < 0 || c < '0' || c > '9' || port > 65535) {
                port = -1;
                break;
            }
            port = port * 10 + (c - '0');
        }
        if (port < 1 || port > 65535) {
            *why = "'" + text + "': the port is a number from 1 to 65535";
            return std::nullopt;
        }
        url.port = port;
    }
    return url;
}

std::optional<MqttCredentials> readMqttCredentials(const std::string& path, std::string* why,
                                                   std::string* warning) {
    warning->clear();
    std::ifstream in(path);
    if (!in) {
        *why = "the credentials file " + path + " cannot be read: " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IRGRP | S_IROTH)) != 0)
        *warning = "the credentials file " + path +
                   " may be read by others; chmod 600 keeps the password to its owner";
    MqttCredentials c;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const size_t eq = line.find('=');
        const std::string key = line.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (key == "username") {
            c.username = value;
        } else if (key == "password") {
            c.password = value;
        } else {
            *why = "the credentials file " + path +
                   " has a line that is neither username=... "
                   "nor password=...";
            return std::nullopt;
        }
    }
    if (c.username.empty()) {
        *why = "the credentials file " + path + " names no username";
        return std::nullopt;
    }
    return c;
}
