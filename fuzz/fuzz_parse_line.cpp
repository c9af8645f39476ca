// Feeds arbitrary bytes to the line parser as box lines, in each of its three
// modes, and checks after every line that the readings stay sound: texts
// closed within their fields, no infinity or NaN stored, no amplitude below 0.

#include "device/DeviceEvents.h"
#include "support/LinkRecordSet.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kMaxInput = 300;

class CountingNotifier : public QuietNotifier {
public:
    void deviceEvent(int code, int) override {
        if (code < kPositionEvent || code > kSerialNumbersEvent) {
            __builtin_trap();
        }
        ++events;
    }
    int events = 0;
};

template <std::size_t N> void checkText(const char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr) {
        __builtin_trap();
    }
}

void checkNumber(double value) {
    if (!std::isfinite(value)) {
        __builtin_trap();
    }
}

void checkReadings(const DeviceReadings& r) {
    checkText(r.refPhaseText);
    checkText(r.versionText);
    checkText(r.boxTypeText);
    checkText(r.boxInfoText);
    checkText(r.serialTextA);
    checkText(r.serialTextB);
    checkNumber(r.speed);
    checkNumber(r.amplitudeWH);
    checkNumber(r.amplitudeYE);
    if (r.amplitudeWH < 0.0 || r.amplitudeYE < 0.0) {
        __builtin_trap();
    }
    checkNumber(r.firmwareVersion);
    checkNumber(r.interferenceA);
    checkNumber(r.interferenceB);
    for (int i = 0; i < 5; ++i) {
        checkNumber(r.dacOffsets[i]);
        checkNumber(r.channelValues[i]);
        checkNumber(r.channelFactors[i]);
    }
    for (const double v : r.refValues) {
        checkNumber(v);
    }
}

enum class Mode { Identification, TwoLetter, OneLetter };

void run(std::string_view input, Mode mode, uint8_t knobs) {
    LinkRecordSet r;
    r.pollStep = knobs & 1;
    CountingNotifier notifier;
    r.link.notificationsSuppressed = (knobs & 2) != 0;
    r.link.boxStarting = (knobs & 4) != 0;
    r.link.statusRestart = (knobs & 8) != 0;
    r.link.awaitingIdentification = mode == Mode::Identification;
    r.link.newProtocol = mode == Mode::TwoLetter;
    r.config.directionReversed = (knobs >> 4) & 1;
    r.config.pulseRate = (knobs & 0x20) ? 2 : 20000;
    r.readings.absolutePositionMode = (knobs & 0x40) != 0;
    r.readings.statusWord = (knobs & 0x80) ? 0xFFFF : 0;
    r.readings.dacOffsets[0] = (knobs & 0x80) ? 505.0 : 0.0;
    LineParser parser = r.makeParser(notifier);

    // The whole input as one line, then its CR/LF-separated pieces in turn,
    // so that one input can move the parser through several states.
    parser.parseLine(input, 0);
    checkReadings(r.readings);
    int32_t time = 0;
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = input.size();
        }
        time += (knobs & 3) == 3 ? 0 : 7;
        ++r.pollStep;
        parser.parseLine(input.substr(start, end - start), time);
        checkReadings(r.readings);
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Longer inputs add nothing: the reader never delivers more than 253
    // characters, and the parser cuts at 255.
    size = std::min(size, kMaxInput);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const uint8_t knobs = size > 0 ? data[size - 1] : 0;
    run(input, Mode::Identification, knobs);
    run(input, Mode::TwoLetter, knobs);
    run(input, Mode::OneLetter, knobs);
    return 0;
}
