#include "device/LineParser.h"

#include "config/ShaftGeometry.h"
#include "device/DeviceEvents.h"
#include "device/FieldScanner.h"
#include "device/Head.h"
#include "device/HeadAmplitude.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// Box units of the two-letter protocol are sixteenths; factors are 2^-13.
constexpr double kSixteenth = 0.0625;
constexpr double kQuarter = 0.25;
constexpr double kTwoLetterFactorScale = 1.0 / 8192.0;
constexpr double kOneLetterFactorScale = 1.0 / 4096.0;

constexpr int32_t kAbsoluteShift = 20000; // absolute positions are reported shifted
constexpr int64_t kCountsPerPeriod = shaft::kCountsPerPeriod;
constexpr int64_t kHalfPeriodCounts = kCountsPerPeriod / 2;
// The largest step between two samples taken as resolved, in turns: half a
// turn is where the difference aliases, with a margin for uneven intervals.
constexpr double kResolvableTurn = 0.35;
// Samples over which the marks of an absolute box are counted (about 2 s).
constexpr int32_t kMarkRunSamples = 40;
// A sample interval this many times the mean is a gap, not a sample.
constexpr double kLateInterval = 2.0;
constexpr int64_t kSmoothingJump = 5;
constexpr int32_t kSpeedSamples = 10;

constexpr int32_t kMaxOneLetterAmplitude = 40000;
constexpr int32_t kZeroValueBias = 2048;

// Status word bits that gate or feed other values.
constexpr int32_t kStatusOffsetsB = 0x0001;
constexpr int32_t kStatusOffsetsA = 0x0002;
constexpr int32_t kStatusReferencePhase = 0x0010;
constexpr int32_t kStatusReferenceFound = 0x0020;
constexpr int32_t kStatusInfoMark = 0x0040;
constexpr int32_t kStatusAbsolute = 0x0080;
constexpr int32_t kStatusBothReady = 0x0003;
constexpr int32_t kNotReadyFlag = 0x1000;

struct StatusBit {
    int32_t bit;
    int32_t flags;
};
constexpr StatusBit kStatusFlags[] = {
    {0x0100, 0x2001}, {0x0200, 0x4010}, {0x0400, 0x0005}, {0x0800, 0x0050},
    {0x1000, 0x0088}, {0x2000, 0x0100}, {0x4000, 0x0002}, {0x8000, 0x0400},
};

int32_t saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Milliseconds from `earlier` to `later` on a clock that wraps at 2^32.
int32_t elapsedMs(int32_t later, int32_t earlier) {
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

// Stores a token in a fixed text field, cut to its capacity.
template <std::size_t N> void storeText(char (&field)[N], std::string_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, N - n);
}

// Appends only when the whole suffix fits.
template <std::size_t N> void appendText(char (&field)[N], std::string_view suffix) {
    const std::size_t used = std::strlen(field);
    if (used + suffix.size() < N) {
        std::memcpy(field + used, suffix.data(), suffix.size());
        field[used + suffix.size()] = '\0';
    }
}

// The numeric value of a stored text; 0 when it reads as infinity or NaN, so
// that no reader ever converts such a value to an integer.
template <std::size_t N> double valueOfText(const char (&field)[N]) {
    const double value = leadingReal(std::string_view(field, std::strlen(field)));
    return std::isfinite(value) ? value : 0.0;
}

// The reference phase as the box wrote it, and its value.
void storePhase(DeviceReadings& readings, std::string_view phase) {
    storeText(readings.refPhaseText, phase);
    readings.refValues[0] = valueOfText(readings.refPhaseText);
}

// "<name> v0 v1 v2 v3 v4": exactly five integers after the line's name.
bool scanFive(std::string_view line, int32_t (&v)[5]) {
    std::string_view name;
    return FieldScanner::scan(line, name, v[0], v[1], v[2], v[3], v[4]) == 6;
}

bool isBit(char c) {
    return c == '0' || c == '1';
}

// Reads 16 bit characters, most significant first; false on any other character.
bool readBits(const char* bits, int32_t& word) {
    int32_t value = 0;
    for (int i = 0; i < 16; ++i) {
        if (!isBit(bits[i])) {
            return false;
        }
        value = (value << 1) | (bits[i] == '1' ? 1 : 0);
    }
    word = value;
    return true;
}

bool channelDigit(char c, int last, int& channel) {
    if (c < '0' || c > '0' + last) {
        return false;
    }
    channel = c - '0';
    return true;
}

} // namespace

LineParser::LineParser(DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
                       const ConfigData& config, const RelaxedAtomic<int32_t>& minPulseRate,
                       const RelaxedAtomic<int32_t>& maxPulseRate, const int32_t& pollStep,
                       LinkNotifier& notifier)
    : readings_(readings), mutex_(readingsMutex), link_(link), config_(config),
      minPulseRate_(minPulseRate), maxPulseRate_(maxPulseRate), pollStep_(pollStep),
      notifier_(notifier) {}

void LineParser::copyLine(std::string_view line) {
    // A NUL byte ends the line, as it would end the box's text; the rest of the
    // buffer stays zero so that fixed positions past the end read as NUL.
    std::size_t n = std::min(line.size(), kLineCapacity - 1);
    if (n > 0) { // an empty view may have no data pointer at all
        if (const void* nul = std::memchr(line.data(), '\0', n)) {
            n = static_cast<std::size_t>(static_cast<const char*>(nul) - line.data());
        }
        std::memcpy(line_, line.data(), n);
    }
    std::memset(line_ + n, 0, kLineCapacity - n);
    length_ = n;
}

std::string_view LineParser::text() const {
    return std::string_view(line_, length_);
}

void LineParser::blankLeading(std::size_t count) {
    std::memset(line_, ' ', std::min(count, length_));
}

bool LineParser::suppressed() const {
    return link_.notificationsSuppressed;
}

void LineParser::notify(Lock& lock, int code, int param) {
    if (suppressed()) {
        return;
    }
    // The main window handles the event while this thread waits; it may read
    // and write the readings, so the lock must not be held across the call.
    lock.unlock();
    notifier_.deviceEvent(code, param);
    lock.lock();
}

void LineParser::parseLine(std::string_view line, int32_t startTimeMs) {
    if (!haveLastTime_) {
        lastTime_ = startTimeMs;
        haveLastTime_ = true;
    }
    copyLine(line);
    Lock lock(mutex_);
    if (link_.purgeRequest) {
        // Read before a reset of the readings that wants the input drained:
        // an answer to the old state, not to the next identification turn.
        return;
    }
    if (link_.awaitingIdentification) {
        if (identify(lock)) {
            return;
        }
        // A one-letter box answers the identification turn's "3" with a bare
        // position line "P <value>".
        if (length_ >= 2 && line_[0] == 'P' && line_[1] == ' ') {
            std::string_view letter, value, extra;
            if (FieldScanner::scan(text(), letter, value, extra) == 2) {
                link_.newProtocol = false;
                link_.awaitingIdentification = false;
            }
        }
        return;
    }
    if (link_.newProtocol) {
        twoLetter(lock, startTimeMs);
    } else {
        oneLetter(lock, startTimeMs);
    }
}

bool LineParser::parseIdentification(std::string_view line) {
    copyLine(line);
    Lock lock(mutex_);
    return identify(lock);
}

bool LineParser::identify(Lock& lock) {
    std::string_view first, version, configuration, info;
    if (FieldScanner::scan(text(), first, version, configuration, info) != 4) {
        return false;
    }
    storeText(readings_.versionText, version);

    if (configuration.size() == 8 && configuration[0] == '0') {
        const auto on = [&](int position) { return configuration[position] == '1'; };
        char type[sizeof readings_.boxTypeText] = {};
        if (on(1)) {
            storeText(type, on(6) ? "QTBX02 (1Ref)" : "QTBX01");
            if (on(4)) {
                appendText(type, " dir-");
            }
            if (on(3)) {
                appendText(type, " slow");
            }
        } else {
            storeText(type, "ORVA");
            if (configuration[4] == '0') {
                appendText(type, "-U");
            }
            if (on(6)) {
                appendText(type, " 1Ref");
            } else if (on(5)) {
                appendText(type, " NoRef");
            }
        }
        std::memcpy(readings_.boxTypeText, type, sizeof type);
    }

    storeText(readings_.boxInfoText, info);
    if (leadingInteger(info) == 0) {
        appendText(readings_.boxInfoText, "*");
        readings_.boxInfoMarked = true;
    } else if (readings_.statusWord & kStatusInfoMark) {
        appendText(readings_.boxInfoText, "^");
        readings_.boxInfoMarked = true;
    } else {
        readings_.boxInfoMarked = false;
    }

    readings_.firmwareVersion = valueOfText(readings_.versionText);
    link_.newProtocol = true;
    link_.awaitingIdentification = false;
    notify(lock, kVersionEvent, 0);
    notify(lock, kBoxInfoEvent, 0);
    return true;
}

void LineParser::positionSample(int32_t position, int32_t startTimeMs) {
    // Small steps are smoothed over eight samples; a jump of more than a few
    // counts is a real movement and is taken at once.
    const int64_t smoothed = (int64_t{position} + 7 * int64_t{smoothing_}) / 8;
    const int32_t accepted = std::llabs(smoothed - position) <= kSmoothingJump
                                 ? static_cast<int32_t>(smoothed)
                                 : position;
    smoothing_ = accepted;
    readings_.rawPosition = accepted;
    speedSample(accepted, startTimeMs);
}

void LineParser::resolutionSample(double elapsed, bool leftOut, bool referenceMark) {
    // Two samples tell apart only steps of less than half a turn: above that
    // the difference aliases (an absolute position wraps every turn) or is
    // left out as a wrap. The limit keeps a margin below half a turn per
    // sample interval. Faster turning shows as many left-out samples; in
    // absolute mode, with its one mark per turn, it shows in the marks: below
    // a turn per sample every turn brings one mark sample, so marks per second
    // are turns per second, counted over a longer run to be steady.
    windowTimes_ += elapsed;
    windowLeftOut_ += leftOut ? 1 : 0;
    markRunTimes_ += elapsed;
    markRunMarks_ += referenceMark ? 1 : 0;
    const double turn = double(config_.pulseRate.load()) * double(kCountsPerPeriod);
    if (++markRunSamples_ >= kMarkRunSamples) {
        marksOverLimit_ = markRunTimes_ > 0.0 && readings_.speedLimit > 0.0 &&
                          markRunMarks_ * turn / markRunTimes_ / 1000.0 > readings_.speedLimit;
        markRunSamples_ = 0;
        markRunMarks_ = 0;
        markRunTimes_ = 0.0;
    }
    if (++windowSamples_ < kSpeedSamples) {
        return;
    }
    const double interval = windowTimes_ / windowSamples_;
    meanInterval_ = interval;
    if (interval > 0.0 && turn > 0.0) {
        readings_.speedLimit = kResolvableTurn * turn / interval / 1000.0;
        readings_.speedOverLimit = std::fabs(readings_.speed) > readings_.speedLimit ||
                                   2 * windowLeftOut_ >= windowSamples_ ||
                                   (readings_.absolutePositionMode && marksOverLimit_);
    }
    windowSamples_ = 0;
    windowLeftOut_ = 0;
    windowTimes_ = 0.0;
}

void LineParser::speedSample(int32_t accepted, int32_t startTimeMs, bool referenceMark) {
    const int64_t difference = int64_t{accepted} - lastPosition_;
    // A step of half a turn or more is a counter wrap or a reset, not a speed.
    const int64_t halfTurn = int64_t{config_.pulseRate.load()} * kHalfPeriodCounts;
    const bool leftOut = std::llabs(difference) >= halfTurn;
    // A sample after a long gap may hide whole turns: it is no speed either.
    const double elapsed = elapsedMs(startTimeMs, lastTime_);
    const bool late = meanInterval_ > 0.0 && elapsed > kLateInterval * meanInterval_;
    if (!leftOut && !late) {
        sumDifferences_ += static_cast<double>(difference);
        sumTimes_ += elapsed;
        if (++sampleCount_ >= kSpeedSamples) {
            if (sumTimes_ != 0.0) {
                readings_.speed = sumDifferences_ * 1000.0 / (sumTimes_ * 1000000.0);
            }
            sampleCount_ = 0;
            sumDifferences_ = 0.0;
            sumTimes_ = 0.0;
        }
    }
    resolutionSample(elapsed, leftOut, referenceMark);
    lastPosition_ = accepted;
    lastTime_ = startTimeMs;
}

// ---- two-letter protocol -------------------------------------------------

void LineParser::twoLetter(Lock& lock, int32_t startTimeMs) {
    const char a = line_[0];
    const char b = line_[1];
    if (a == 'P' && b == 'A') {
        positionLine(lock, startTimeMs);
    } else if (a == 'R' && b == 'M') {
        referenceMarkLine(lock, startTimeMs);
    } else if (a == 'K' && b == 'W') {
        fiveValues(lock, readings_.channelValues, kSixteenth, kChannelValuesEvent);
    } else if (a == 'O' && b == 'S') {
        offsetLine(lock);
    } else if (a == 'K' && b == 'F') {
        fiveValues(lock, readings_.channelFactors, kTwoLetterFactorScale, kChannelFactorsEvent);
    } else if (a == 'S' && b == 'T') {
        statusLine(lock);
    } else if (a == 'R' && b == 'A') {
        referenceAnalysisLine(lock);
    } else if (a == 'S' && b == 'Z') {
        pulseRateLine(lock);
    } else if (a == 'D' && b == 'U') {
        interferenceLine(lock);
    } else if (a == 'F' && b == 'W') {
        identify(lock);
    } else if (a == 'H' && b == 'W') {
        hardwareLine(lock);
    }
}

void LineParser::positionLine(Lock& lock, int32_t startTimeMs) {
    std::string_view name;
    int32_t position = 0;
    int32_t c[4] = {};
    if (FieldScanner::scan(text(), name, position, c[0], c[1], c[2], c[3]) != 6) {
        return;
    }
    int32_t p = position;
    if (readings_.absolutePositionMode) {
        p = saturate(int64_t{p} - kAbsoluteShift);
    }
    positionSample(p, startTimeMs);
    for (int i = 0; i < 4; ++i) {
        readings_.channelValues[i] = c[i] * kSixteenth;
    }
    notify(lock, kPositionEvent, 0);

    // The amplitudes are only for the eyes of the main window: while it does
    // not listen they are not updated.
    // Where the rule has no meaning (an offset of 505 or more) the old value stays.
    const auto amplitude = [this](Head head) {
        const int channel = headFirstChannel(head);
        const double a = readings_.channelValues[channel];
        const double b = readings_.channelValues[channel + 1];
        return headAmplitude(std::sqrt(a * a + b * b) / kChannelPercentScale,
                             readings_.dacOffsets[channel], readings_.dacOffsets[channel + 1]);
    };
    std::optional<double> value;
    if (!suppressed() && (value = amplitude(Head::YE))) {
        readings_.amplitudeYE = *value;
        notify(lock, kAmplitudeYellowEvent, 0);
    }
    if (!suppressed() && (value = amplitude(Head::WH))) {
        readings_.amplitudeWH = *value;
        notify(lock, kAmplitudeWhiteEvent, 0);
    }
}

void LineParser::referenceMarkLine(Lock& lock, int32_t startTimeMs) {
    std::string_view name;
    int32_t position = 0;
    int32_t distance = 0;
    double plus = 0.0;
    double minus = 0.0;
    const int fields = FieldScanner::scan(text(), name, position, distance, plus, minus);
    if (fields >= 3) {
        readings_.refDistance = distance; // taken even from a line cut short
    }
    if (fields != 5 || !std::isfinite(plus) || !std::isfinite(minus)) {
        return;
    }
    // After an odd poll step the box answered the position poll with this line.
    // Step 14 without an interference request is a position poll as well:
    // its marks are samples too.
    const bool position_poll = pollStep_ % 2 != 0 || (pollStep_ == 14 && !link_.noiseButtonPressed);
    if (position_poll) {
        // The same shift as a position line, or the position jumps at every mark.
        int32_t p = position;
        if (readings_.absolutePositionMode) {
            p = saturate(int64_t{p} - kAbsoluteShift);
        }
        readings_.rawPosition = p;
        smoothing_ = p;
        speedSample(p, startTimeMs, true);
    }
    // The mark's count as the box reported it; the position tracker counts it.
    readings_.refRawPosition = position;
    readings_.refValues[4] = plus * kSixteenth;
    readings_.refValues[5] = minus * kSixteenth;

    if (position_poll) {
        notify(lock, kPositionEvent, 0);
    }
    notify(lock, kReferenceMarkEvent, 0);
    notify(lock, kReferenceDistanceEvent, 0);
    notify(lock, kReferencePassedEvent, 0);
}

void LineParser::fiveValues(Lock& lock, double (&target)[5], double scale, int code) {
    int32_t v[5] = {};
    if (!scanFive(text(), v)) {
        return;
    }
    for (int i = 0; i < 5; ++i) {
        target[i] = v[i] * scale;
    }
    notify(lock, code, 0);
}

void LineParser::offsetLine(Lock& lock) {
    int32_t v[5] = {};
    if (!scanFive(text(), v)) {
        return;
    }
    for (int i = 0; i < 5; ++i) {
        readings_.dacOffsets[i] = v[i] * kSixteenth;
    }
    if (readings_.statusWord & kStatusOffsetsA) {
        notify(lock, kDacOffsetsEvent, 2);
    }
    if (readings_.statusWord & kStatusOffsetsB) {
        notify(lock, kDacOffsetsEvent, 0);
    }
}

void LineParser::statusLine(Lock& lock) {
    // "ST" and one separator, then 16 bit characters. Past the end of a short
    // line the buffer holds NUL, which is no bit character.
    int32_t word = 0;
    if (!readBits(line_ + 3, word)) {
        return;
    }
    if (word & kStatusReferenceFound) {
        notify(lock, kReferenceFoundEvent, 0);
    }
    int32_t flags = (word & kStatusBothReady) != kStatusBothReady ? kNotReadyFlag : 0;
    for (const StatusBit& entry : kStatusFlags) {
        if (word & entry.bit) {
            flags |= entry.flags;
        }
    }
    readings_.errorFlags = flags;
    readings_.statusWord = word;

    // After a box restart the first status line and the one after it are
    // reported as "not ready yet".
    int param = kStatusNotReady;
    if (link_.boxStarting) {
        link_.boxStarting = false;
        statusCountdown_ = 0;
    } else if (statusCountdown_ > 0) {
        --statusCountdown_;
    } else {
        link_.statusRestart = false;
        param = kStatusValidTwoLetter;
    }
    notify(lock, kStatusEvent, param);
}

void LineParser::referenceAnalysisLine(Lock& lock) {
    std::string_view name, phase;
    int32_t plus = 0;
    int32_t minus = 0;
    if (FieldScanner::scan(text(), name, phase, plus, minus) != 4) {
        return;
    }
    const bool phaseValid = (readings_.statusWord & kStatusReferencePhase) != 0;
    if (phaseValid) {
        storePhase(readings_, phase);
    } else {
        storeText(readings_.refPhaseText, "");
    }
    readings_.refValues[1] = plus * kSixteenth;
    readings_.refValues[2] = minus * kSixteenth;
    if (phaseValid) {
        notify(lock, kReferencePhaseEvent, 0);
    }
    notify(lock, kReferenceAnalysisEvent, 0);
}

void LineParser::pulseRateLine(Lock& lock) {
    std::string_view name;
    int32_t rate = 0;
    if (FieldScanner::scan(text(), name, rate) != 2 || rate < minPulseRate_ ||
        rate > maxPulseRate_) {
        readings_.absolutePositionMode = false;
        return;
    }
    readings_.detectedPulseRate = rate;
    if (readings_.statusWord & kStatusAbsolute) {
        readings_.absolutePositionMode = true;
    }
    notify(lock, kPulseRateEvent, 0);
}

void LineParser::interferenceLine(Lock& lock) {
    std::string_view name;
    int32_t a = 0;
    int32_t b = 0;
    if (FieldScanner::scan(text(), name, a, b) != 3) {
        return;
    }
    readings_.interferenceA = a;
    readings_.interferenceB = b;
    notify(lock, kInterferenceEvent, kInterferenceValues);
}

void LineParser::hardwareLine(Lock& lock) {
    blankLeading(2);
    std::string_view a, b;
    if (FieldScanner::scan(text(), a, b) != 2) {
        return;
    }
    storeText(readings_.serialTextA, a);
    storeText(readings_.serialTextB, b);
    notify(lock, kSerialNumbersEvent, 0);
}

// ---- one-letter protocol -------------------------------------------------

void LineParser::oneLetter(Lock& lock, int32_t startTimeMs) {
    const char b = line_[1];
    switch (line_[0]) {
    case 'A':
        if (b == 'P') {
            absolutePulseRateLine(lock);
        } else if (b == '1' || b == '2') {
            amplitudeLine(lock);
        }
        break;
    case 'C':
        if (b == 'V' || b == 'F') {
            channelLine(lock);
        }
        break;
    case 'E':
        if (b == ' ') {
            errorLine(lock);
        }
        break;
    case 'F':
        if (b == 'C') {
            infoLine(lock);
        }
        break;
    case 'O':
        offsetValueLine(lock);
        break;
    case 'P':
        if (b == ' ') {
            oldPositionLine(lock, startTimeMs);
        } else if (b == 'D') {
            blankLeading(2);
            const double value = leadingReal(text());
            if (std::isfinite(value)) {
                readings_.interferenceA = value;
                readings_.interferenceB = value;
                notify(lock, kInterferenceEvent, kInterferenceValues);
            }
        } else if (b == 'H') {
            blankLeading(2);
            std::string_view phase;
            if (FieldScanner::scan(text(), phase) == 1) {
                storePhase(readings_, phase);
                notify(lock, kReferencePhaseEvent, 0);
            }
        }
        break;
    case 'R':
        if (b == ' ') {
            oldReferenceLine(lock);
        } else if (b == 'D') {
            blankLeading(2);
            readings_.refDistance = leadingInteger(text());
            notify(lock, kReferenceDistanceEvent, 0);
        } else if (b == 'E') {
            notify(lock, kReferenceFoundEvent, 0);
        } else if (b == 'O') {
            notify(lock, kReferencePassedEvent, 0);
        } else if (b == 'P') {
            referencePartLine(lock);
        } else if (b == 'S') {
            resetResultLine(lock);
        }
        break;
    case 'V':
        if (b == 'E') {
            versionLine(lock);
        }
        break;
    case 'Z':
        if (b == 'C' || b == 'S') {
            blankLeading(2);
            const int32_t value = saturate(int64_t{leadingInteger(text())} - kZeroValueBias);
            if (b == 'C') {
                readings_.zeroValueA = value;
                notify(lock, kZeroValueAEvent, 0);
            } else {
                readings_.zeroValueB = value;
                notify(lock, kZeroValueBEvent, 0);
            }
        }
        break;
    default:
        break;
    }
}

void LineParser::absolutePulseRateLine(Lock& lock) {
    const char flag = line_[2];
    if (readings_.absolutePositionMode) {
        if (flag == '0') {
            readings_.absolutePositionMode = false;
        }
        return;
    }
    std::string_view name;
    AnyBaseInt rate;
    if (FieldScanner::scan(text(), name, rate) != 2 || rate.value < minPulseRate_ ||
        rate.value > maxPulseRate_) {
        return;
    }
    readings_.detectedPulseRate = rate.value;
    if (flag == '1') {
        readings_.absolutePositionMode = true;
    }
    notify(lock, kPulseRateEvent, 0);
}

void LineParser::amplitudeLine(Lock& lock) {
    if (line_[2] != ' ') {
        return;
    }
    std::string_view name, digits, extra;
    if (FieldScanner::scan(text(), name, digits, extra) != 2 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return;
    }
    const int32_t squared = leadingInteger(digits);
    if (squared > kMaxOneLetterAmplitude) {
        return;
    }
    const Head head = line_[1] == '1' ? Head::WH : Head::YE;
    const int channel = headFirstChannel(head);
    const std::optional<double> value =
        headAmplitude(std::sqrt(static_cast<double>(squared)), readings_.dacOffsets[channel],
                      readings_.dacOffsets[channel + 1]);
    if (!value) {
        return;
    }
    if (head == Head::WH) {
        readings_.amplitudeWH = *value;
        notify(lock, kAmplitudeWhiteEvent, 0);
    } else {
        readings_.amplitudeYE = *value;
        notify(lock, kAmplitudeYellowEvent, 0);
    }
}

void LineParser::channelLine(Lock& lock) {
    int channel = 0;
    if (!channelDigit(line_[2], 4, channel)) {
        return;
    }
    const bool values = line_[1] == 'V';
    blankLeading(3);
    const double value = leadingReal(text());
    if (!std::isfinite(value)) {
        return;
    }
    if (values) {
        readings_.channelValues[channel] = value * kQuarter;
        notify(lock, kChannelValuesEvent, channel);
    } else {
        readings_.channelFactors[channel] = value * kOneLetterFactorScale;
        notify(lock, kChannelFactorsEvent, channel);
    }
}

void LineParser::errorLine(Lock& lock) {
    // The first error line after a restart of the status sequence opens a
    // start-up phase of 15 lines during which the box is not ready yet.
    int param = kStatusNotReady;
    if (link_.statusRestart) {
        link_.boxStarting = true;
        link_.statusRestart = false;
        oldStatusCountdown_ = 14;
        readings_.errorFlags = 0;
    } else {
        if (oldStatusCountdown_ > 0) {
            --oldStatusCountdown_;
        } else {
            link_.boxStarting = false;
            param = kStatusValidOneLetter;
        }
        int32_t word = 0;
        if (!readBits(line_ + 2, word)) {
            return;
        }
        readings_.errorFlags = word;
    }
    notify(lock, kStatusEvent, param);
}

void LineParser::infoLine(Lock& lock) {
    blankLeading(2);
    std::string_view info;
    if (FieldScanner::scan(text(), info) != 1) {
        return;
    }
    storeText(readings_.boxInfoText, info);
    readings_.boxInfoMarked = info.find_first_of("^*") != std::string_view::npos;
    notify(lock, kBoxInfoEvent, 0);
}

void LineParser::offsetValueLine(Lock& lock) {
    if (line_[2] != ' ') {
        return;
    }
    int channel = 0;
    double scale = kQuarter;
    if (line_[1] == 'R') {
        channel = 4;
        scale = kSixteenth;
    } else if (!channelDigit(line_[1], 3, channel)) {
        return;
    }
    blankLeading(2);
    const double value = leadingReal(text());
    if (!std::isfinite(value)) {
        return;
    }
    readings_.dacOffsets[channel] = value * scale;
    notify(lock, kDacOffsetsEvent, channel);
}

void LineParser::oldPositionLine(Lock& lock, int32_t startTimeMs) {
    blankLeading(1);
    positionSample(leadingInteger(text()), startTimeMs);
    notify(lock, kPositionEvent, 0);
}

void LineParser::oldReferenceLine(Lock& lock) {
    blankLeading(1);
    double f1 = 0.0;
    double f2 = 0.0;
    double f3 = 0.0;
    int32_t distance = 0;
    if (FieldScanner::scan(text(), f1, f2, f3, distance) != 4 || !std::isfinite(f1)) {
        return;
    }
    const double minus = f2 * kQuarter;
    const double plus = f3 * kQuarter;
    // The comparisons are false for NaN, so such a line is dropped here too.
    if (!(minus >= -512.0 && minus <= 0.0 && plus >= 0.0 && plus <= 512.0)) {
        return;
    }
    readings_.refValues[5] = minus;
    readings_.refValues[4] = plus;
    readings_.refValues[6] = f1 * kQuarter;
    readings_.refDistance = distance;
    notify(lock, kReferenceMarkEvent, 0);
}

void LineParser::referencePartLine(Lock& lock) {
    int part = 0;
    if (!channelDigit(line_[2], 4, part) || line_[3] != ' ') {
        return;
    }
    blankLeading(3);
    if (part == 0) {
        std::string_view phase;
        if (FieldScanner::scan(text(), phase) != 1) {
            return;
        }
        storePhase(readings_, phase);
        notify(lock, kReferencePhaseEvent, 0);
    } else {
        const double value = leadingReal(text());
        if (!std::isfinite(value)) {
            return;
        }
        readings_.refValues[part] = value * kQuarter;
    }
    notify(lock, kReferenceAnalysisEvent, 0);
}

void LineParser::resetResultLine(Lock& lock) {
    const char result = line_[3];
    if (line_[2] != ' ' || (result != kResetError && result != kFlashErased)) {
        return;
    }
    notify(lock, kResetResultEvent, result);
}

void LineParser::versionLine(Lock& lock) {
    std::string_view name, version, type;
    if (FieldScanner::scan(text(), name, version, type) != 3) {
        return;
    }
    storeText(readings_.versionText, version);
    storeText(readings_.boxTypeText, type);
    readings_.firmwareVersion = valueOfText(readings_.versionText);
    notify(lock, kVersionEvent, 0);
}
