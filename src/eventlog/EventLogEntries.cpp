#include "eventlog/EventLogEntries.h"

#include <algorithm>

namespace {

// The word for what happened, padded so that the details line up.
std::string entry(std::string_view word, std::string_view details = {}) {
    std::string s(word);
    if (!details.empty()) {
        s.resize(std::max<size_t>(s.size() + 1, 13), ' ');
        s += details;
    }
    return s;
}

std::string_view requestName(BoxRequest r) {
    switch (r) {
    case BoxRequest::Reset:
        return "reset";
    case BoxRequest::Erase:
        return "erase";
    case BoxRequest::Write:
        return "write";
    case BoxRequest::Interference:
        return "interference";
    }
    return "request";
}

std::string orNone(std::string_view s) {
    return s.empty() ? std::string("-") : std::string(s);
}

} // namespace

std::string statusEntryText(std::string_view statusListLine) {
    return entry("status", statusListLine);
}

std::string connectedText(const BoxConnection& c) {
    std::string port = orNone(c.port);
    if (!c.device.empty() && c.device != c.port)
        port += " (" + c.device + ")";
    return entry("connected", port + ", box " + orNone(c.boxType) + ", firmware " +
                                  orNone(c.firmware) + ", serial number " + orNone(c.serialNumber));
}

std::string noDataText() {
    return entry("no data", "the box does not answer");
}

std::string cableLostText() {
    return entry("cable lost", "the port went away");
}

std::string cableLostWhileRecordingText() {
    return entry("cable lost",
                 "the port went away during a recording; its samples are kept, and it goes on "
                 "when the box is back");
}

std::string boxRestartedText() {
    return entry("restart", "the box restarted");
}

std::string requestedText(BoxRequest r) {
    return entry("request", requestName(r));
}

std::string requestResultText(BoxRequest r, bool ok, std::string_view detail) {
    std::string s = std::string(requestName(r)) + (ok ? ": done" : ": failed");
    if (!detail.empty())
        s += std::string(ok ? ", " : " (") + std::string(detail) + (ok ? "" : ")");
    return entry("result", s);
}

std::string requestNotSentText(BoxRequest r, std::string_view why) {
    std::string s = std::string(requestName(r)) + ": not sent";
    if (!why.empty())
        s += ", " + std::string(why);
    return entry("result", s);
}

std::string teachInResultText(bool ok, std::string_view detail) {
    std::string s = ok ? "completed" : "not completed";
    if (!detail.empty())
        s += ": " + std::string(detail);
    return entry("teach-in", s);
}

std::string recordingSavedText(std::string_view ampPath, std::string_view refPath) {
    return entry("recording", "saved to " + orNone(ampPath) + " and " + orNone(refPath));
}

std::string recordingLostText(std::string_view reason) {
    return entry("recording", "not saved, lost at the end of the program: " + orNone(reason));
}

std::string portChosenText(std::string_view port, std::string_view device) {
    std::string s(orNone(port));
    if (!device.empty() && device != port)
        s += " (" + std::string(device) + ")";
    return entry("port chosen", s + ", used alone");
}

std::string automaticSearchText() {
    return entry("port chosen", "automatic search");
}

std::string programStartedText(std::string_view version) {
    return entry("program", "ORVATIX " + std::string(orNone(version)) + " started");
}

std::string programEndedText() {
    return entry("program", "ended");
}
