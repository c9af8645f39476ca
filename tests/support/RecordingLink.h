#pragma once
// Test stand-ins for the two seams of the device link: they record what the
// scheduler and the parser do, in order, into one shared transcript.

#include "device/LinkInterfaces.h"

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

using Transcript = std::vector<std::string>;
using EventList = std::vector<std::pair<int, int>>;

// Bytes as text: "\r" for a carriage return, "\xA0" for bytes outside ASCII.
inline std::string printable(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte > 0x7E) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

class RecordingNotifier : public LinkNotifier {
public:
    explicit RecordingNotifier(Transcript* transcript = nullptr) : transcript_(transcript) {}

    void deviceEvent(int code, int param) override {
        if (guard != nullptr) {
            // The parser must not hold the readings lock during an event; try
            // it from another thread, since this one may not try its own lock.
            bool free = false;
            std::thread probe([&] {
                if (guard->try_lock()) {
                    free = true;
                    guard->unlock();
                }
            });
            probe.join();
            if (!free) {
                ++eventsUnderLock;
            }
        }
        events.emplace_back(code, param);
        if (onEvent) {
            onEvent(code, param);
        }
    }
    void linkEnded() override { log("linkEnded"); }
    void noSerialData() override { log("noSerialData"); }
    void boxRestart() override { log("boxRestart"); }
    void showDeletingText() override { log("deleting"); }
    void resetReadings() override { log("resetReadings"); }

    EventList events;
    std::mutex* guard = nullptr;
    int eventsUnderLock = 0;
    std::function<void(int, int)> onEvent;

private:
    void log(std::string what) {
        if (transcript_ != nullptr) {
            transcript_->push_back(std::move(what));
        }
    }
    Transcript* transcript_;
};

class RecordingChannel : public CommandChannel {
public:
    explicit RecordingChannel(Transcript& transcript) : transcript_(transcript) {}

    void sendCommand(std::string_view bytes) override {
        transcript_.push_back("send " + printable(bytes));
        if (onSend) {
            onSend(bytes);
        }
    }
    bool linkWait(double seconds) override {
        char text[32];
        std::snprintf(text, sizeof text, "wait %.3f", seconds);
        transcript_.push_back(text);
        ++waits;
        return waits != stopAtWait;
    }

    int waits = 0;
    int stopAtWait = 0; // the wait with this number (from 1) reports a stop
    std::function<void(std::string_view)> onSend;

private:
    Transcript& transcript_;
};
