#pragma once
// The line parser: turns each line the box sends into device readings and
// device events.
//
// Use (reader thread only):
//     CommandScheduler scheduler(...);
//     LineParser parser(deviceReadings, readingsMutex, linkControl, configData,
//                       minPulseRate, maxPulseRate, scheduler.pollStep(), notifier);
//     ...
//     parser.parseLine(line, lineStartMs);   // for every complete line
//
// parseLine copies the line into its own 256-byte buffer (a longer line is cut
// to 255 bytes, and the line ends at its first NUL byte), so any byte string is
// safe input. It holds the readings mutex while it applies a line and releases
// it before every notification; notifier.deviceEvent(code, param) is called on
// the calling thread, only while linkControl.notificationsSuppressed is false,
// in the order the box protocol gives for each line.
//
// The parser works in one of three modes chosen by the link flags:
// identification (awaitingIdentification), two-letter (newProtocol) and
// one-letter (neither). Its own state (smoothing, speed average, status
// start-up countdowns) survives resetDeviceReadings.
//
// Decisions where the box protocol leaves room:
//   - integer fields saturate at the int32 limits; arithmetic on them is done
//     in 64 bits and saturated where a result is stored;
//   - a real field that reads as infinity or NaN is never stored: "RM" and
//     "R " lines with one are dropped, and a version or reference phase text
//     that reads as one gives the numeric value 0;
//   - an amplitude is stored only when its divisor 505 - max(|oa|, |ob|) is
//     greater than 0 and the result is finite (so an offset of exactly 505, or
//     more, keeps the previous amplitude);
//   - ten position samples with no time between them keep the previous speed;
//   - line start times are taken modulo 2^32, so the clock wrapping does not
//     spoil the speed;
//   - a text longer than its field is cut; the box-info marker is left out of
//     the text when it does not fit, but boxInfoMarked is still set;
//   - "SZ" without a number counts as out of range;
//   - whole-line values are read as integers (atol) for integer readings
//     ("P ", "RD", "ZC", "ZS") and as reals (atof) for the others.

#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/LinkInterfaces.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string_view>

class LineParser {
public:
    // Room for one line including its closing zero byte; longer input is cut.
    static constexpr std::size_t kLineCapacity = 256;

    // All references must outlive the parser. pollStep is the command
    // scheduler's poll step counter (CommandScheduler::pollStep()); the parser
    // only reads it, on the same thread as the scheduler.
    LineParser(DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
               const ConfigData& config, const RelaxedAtomic<int32_t>& minPulseRate,
               const RelaxedAtomic<int32_t>& maxPulseRate, const int32_t& pollStep,
               LinkNotifier& notifier);

    LineParser(const LineParser&) = delete;
    LineParser& operator=(const LineParser&) = delete;

    // Handles one complete line (without its CR/LF). startTimeMs is the clock
    // value at which the line's first character was read; it drives the speed.
    void parseLine(std::string_view line, int32_t startTimeMs);

    // Tries the line as the box's identification ("FW <version> <configuration>
    // <info>", any first token). On success stores version, box type and box
    // info, selects the two-letter protocol, notifies (14, 0) then (13, 0) and
    // returns true; otherwise changes nothing and returns false.
    bool parseIdentification(std::string_view line);

private:
    using Lock = std::unique_lock<std::mutex>;

    void copyLine(std::string_view line);
    std::string_view text() const;
    void blankLeading(std::size_t count);
    // Sends one event with the readings lock released.
    void notify(Lock& lock, int code, int param);
    bool suppressed() const;

    bool identify(Lock& lock);
    void positionSample(int32_t position, int32_t startTimeMs);
    void speedSample(int32_t accepted, int32_t startTimeMs, bool referenceMark = false);
    void resolutionSample(double elapsed, bool leftOut, bool referenceMark);

    void twoLetter(Lock& lock, int32_t startTimeMs);
    void positionLine(Lock& lock, int32_t startTimeMs);
    void referenceMarkLine(Lock& lock, int32_t startTimeMs);
    void fiveValues(Lock& lock, double (&target)[5], double scale, int code);
    void offsetLine(Lock& lock);
    void statusLine(Lock& lock);
    void referenceAnalysisLine(Lock& lock);
    void pulseRateLine(Lock& lock);
    void interferenceLine(Lock& lock);
    void hardwareLine(Lock& lock);

    void oneLetter(Lock& lock, int32_t startTimeMs);
    void absolutePulseRateLine(Lock& lock);
    void amplitudeLine(Lock& lock);
    void channelLine(Lock& lock);
    void errorLine(Lock& lock);
    void infoLine(Lock& lock);
    void offsetValueLine(Lock& lock);
    void oldPositionLine(Lock& lock, int32_t startTimeMs);
    void oldReferenceLine(Lock& lock);
    void referencePartLine(Lock& lock);
    void resetResultLine(Lock& lock);
    void versionLine(Lock& lock);

    DeviceReadings& readings_;
    std::mutex& mutex_;
    LinkControl& link_;
    const ConfigData& config_;
    const RelaxedAtomic<int32_t>& minPulseRate_;
    const RelaxedAtomic<int32_t>& maxPulseRate_;
    const int32_t& pollStep_;
    LinkNotifier& notifier_;

    char line_[kLineCapacity] = {};
    std::size_t length_ = 0;

    // State that survives between lines.
    int32_t smoothing_ = 0;
    int32_t lastPosition_ = 0;
    int32_t lastTime_ = 0;
    bool haveLastTime_ = false;
    int32_t sampleCount_ = 0;
    double sumDifferences_ = 0.0;
    double sumTimes_ = 0.0;
    // Every position sample, left out or not, for the resolvable speed.
    int32_t windowSamples_ = 0;
    int32_t windowLeftOut_ = 0;
    // Reference marks over a longer run of samples (absolute mode).
    int32_t markRunSamples_ = 0;
    int32_t markRunMarks_ = 0;
    double markRunTimes_ = 0.0;
    bool marksOverLimit_ = false;
    double windowTimes_ = 0.0;
    double meanInterval_ = 0.0;       // ms, of the last full window
    int32_t statusCountdown_ = 1;     // "ST" start-up phase
    int32_t oldStatusCountdown_ = 15; // "E " start-up phase
};
