#pragma once
// The simulated ORVA Box without its line: a shaft, a magnetic washer, two read
// heads and the box's own state, and the text of every line the box sends.
//
// Time is passed in by the caller (steady clock), so the model is a plain value
// that tests drive step by step. The simulator (BoxSimulator.h) wraps it with
// a pseudo-terminal, pacing and a lock.
//
// Units on the line (what the program's parser expects):
//   positions in counts (5000 per signal period, pulseRate x 5000 per turn);
//   two-letter channel values, offsets and analysis values in box units, where
//   the program divides by 16; factors in 2^-13 units;
//   one-letter channel values and offsets in box units / 4 (the program
//   multiplies by 0.25), factors in 2^-12 units, amplitudes as the square of
//   the amplitude in percent.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace boxsim {

using Clock = std::chrono::steady_clock;

enum class Dialect { TwoLetter, OneLetter };
enum class Sensor { Yellow = 0, White = 1 };

// What kind of reference a (two-letter) box has, as its configuration token
// tells the program: one distance-coded reference mark with an absolute
// position ("1Ref"), one plain reference mark, or none ("NoRef").
enum class BoxKind { CodedReference, Reference, NoReference };

// Where a box stands in its teach-in.
enum class TeachPhase {
    Blank,             // nothing learned (erased), shaft not yet turned slowly
    LearningOffsets,   // turning slowly, offsets not yet found
    LearningReference, // offsets found, reference mark not yet
    LearningAbsolute,  // reference found, absolute position not yet (1Ref box)
    Taught,            // all learned, not yet written to the flash
    Stored,            // all learned and written
};

// Faults of a head's two channels, as a signal view shows them: an offset of
// each channel in percent of that channel's amplitude, the amplitude of B over
// that of A, and how far B lags A by more (or less) than 90 degrees.
struct SignalErrors {
    double offsetA = 0.0;
    double offsetB = 0.0;
    double ratio = 1.0;
    double phase = 0.0;
};

// What the box is, fixed until changed by a control command.
struct BoxIdentity {
    Dialect dialect = Dialect::TwoLetter;
    int32_t pulseRate = 1728;             // lines per revolution (SZ / AP)
    std::string version;                  // empty: "2.10" two-letter, "1.45" one-letter
    std::string configToken = "01000010"; // 8 characters; this one gives "QTBX02 (1Ref)"
    std::string infoToken = "4711";       // "0" while the box holds no teach-in
    std::string serialA = "0815";
    std::string serialB = "ORVA-2041-0042";
    std::string oldBoxType = "ORVA"; // box type of the one-letter "VE" line
};

// Timing of the box's own behaviour.
struct BoxTiming {
    std::chrono::milliseconds restartSilence{250}; // silent after reset, erase, power on
    std::chrono::milliseconds offsetRestore{800};  // after the silence: offsets from flash
    // One-letter: how long after its silence a box restarted by 0xA0 goes on
    // reporting interference.
    std::chrono::milliseconds interferenceMeasuring{2000};
};

// What the box has learned; kept in its flash by the write request ("MW").
struct TeachState {
    bool offsets = true;
    bool reference = true;
    bool absolute = true;
    bool operator==(const TeachState&) const = default;
};

class BoxModel {
public:
    explicit BoxModel(BoxIdentity identity = {}, BoxTiming timing = {});

    // --- the physical world -------------------------------------------------
    void setSpeedRpm(double rpm, Clock::time_point now);
    double speedRpm() const { return rpm_; }
    void setShims(Sensor s, int shims);
    int shims(Sensor s) const { return head(s).shims; }
    void setPlugged(Sensor s, bool plugged);
    bool plugged(Sensor s) const { return head(s).plugged; }
    void setEccentricity(double e) { eccentricity_ = e; }
    double eccentricity() const { return eccentricity_; }
    void setSignalErrors(Sensor s, const SignalErrors& e) { head(s).errors = e; }
    const SignalErrors& signalErrors(Sensor s) const { return head(s).errors; }
    // Interference on the two channels at standstill, in hundredths as a
    // current box reports them (150: the program shows 1.5). An older box
    // reports tenths. Each measurement scatters a little around these, a
    // turning shaft swamps it, and an unplugged head's open input picks up
    // far more.
    void setInterference(int a, int b);
    std::pair<int, int> interferenceSetting() const { return {interferenceA_, interferenceB_}; }
    // What one measurement at `now` gives, in hundredths.
    std::pair<int, int> measureInterference(Clock::time_point now);

    // Amplitude in percent that the program computes for a head at the shaft's
    // position at `now` (0 when unplugged).
    double amplitude(Sensor s, Clock::time_point now);
    // Amplitude at the head's mean distance, without eccentricity.
    double nominalAmplitude(Sensor s) const;
    // Shaft position counter in counts (what an incremental box reports).
    int64_t counter(Clock::time_point now);
    // DAC offset of channel 0..4 (white A, B, yellow A, B, reference) in box
    // units, as the box holds it at `now`: the box follows the head's bias,
    // part of which grows with the field at the head (fewer shims, the near
    // side of an eccentric washer). 0 while it has not found its offsets and
    // for an unplugged head.
    int32_t dacOffset(int channel, Clock::time_point now);
    // Gain factor of channel 0..4: the box scales each head's channels to a
    // common level, so a weaker field (more shims, the far side of an
    // eccentric washer) gives a larger factor, up to the box's limit.
    double channelFactor(int channel, Clock::time_point now);

    // --- identity and dialect -----------------------------------------------
    const BoxIdentity& identity() const { return id_; }
    void setDialect(Dialect d);
    Dialect dialect() const { return id_.dialect; }
    std::string version() const;
    // Lines per revolution that the box reports (SZ, AP). Held to what the
    // program can count with; a box takes a new one only at a restart.
    void setPulseRate(int32_t pulseRate);
    int32_t pulseRate() const { return id_.pulseRate; }
    // Sets the configuration token of the kind. Only a two-letter box sends
    // the token; an older box always has a plain reference mark.
    void setKind(BoxKind k);
    BoxKind kind() const;

    // --- commands and answers -----------------------------------------------
    // A complete two-letter command ("M*", "M9", "ME", ...) or a one-letter
    // command byte ('3', 0xA0, 0xAA) received at `now`. Returns the line to
    // send (without the carriage return), or nothing.
    std::optional<std::string> command(const std::string& cmd, Clock::time_point now);
    std::optional<std::string> commandByte(unsigned char byte, Clock::time_point now);

    // --- the box's own state ------------------------------------------------
    void setPower(bool on, Clock::time_point now);
    bool powered() const { return powered_; }
    // True while the box boots after a reset, an erase or power on and
    // ignores everything.
    bool booting(Clock::time_point now) const { return now < bootUntil_; }
    // Reset ("ME", 0xA0) or erase ("MR", 0xAA): the restart sequence.
    void restart(Clock::time_point now, bool erase);
    // After its silence the box announces itself with a line of its own
    // (two-letter: its status; one-letter: "RS 2" after an erase, else its
    // flag word). When it is due, and the line once it is.
    std::optional<Clock::time_point> announcementDue() const;
    std::optional<std::string> takeAnnouncement(Clock::time_point now);
    const TeachState& flash() const { return flash_; }
    const TeachState& learned() const { return learned_; }
    // Where the teach-in stands once the shaft has turned up to `now`.
    TeachPhase teachPhase(Clock::time_point now);
    // The two-letter status word and the one-letter flag word at `now`.
    uint16_t statusWord(Clock::time_point now);
    uint16_t errorFlags(Clock::time_point now);
    int referenceMarksPassed() const { return marksPassed_; }

    // Line builders, public so that tests and the demo can show them.
    std::string positionLine(Clock::time_point now);
    std::string statusLine(Clock::time_point now);
    std::string identificationLine() const;

    // Speed limits of the box, in revolutions per minute: a taught box
    // follows its offsets up to the first; it learns only up to the teach-in
    // limit.
    static constexpr double kOffsetSpeedLimitRpm = 200.0;
    static constexpr double kMaxSpeedRpm = 1000.0;
    static constexpr double kTeachSpeedLimitRpm = 3.0;
    // Slow travel, in degrees, that each step of the teach-in needs: the
    // offsets, then the reference mark, then the absolute position from two
    // coded marks (their spacing varies between the two figures).
    static constexpr double kOffsetTravelDeg = 10.0;
    static constexpr double kReferenceTravelDeg = 15.0;
    static constexpr double kAbsoluteTravelMinDeg = 30.0;
    static constexpr double kAbsoluteTravelMaxDeg = 60.0;
    // Amplitude band, in percent, within which the box learns a head.
    static constexpr double kTeachAmplitudeLow = 20.0;
    static constexpr double kTeachAmplitudeHigh = 100.0;

private:
    struct Head {
        int shims = 3;
        bool plugged = true;
        double gain = 1.0;          // spread between the two heads
        double washerAngle = 0.0;   // where the head sits around the washer (radians)
        double electricalPhase = 0; // offset of its signal phase (radians)
        int32_t dac[2] = {0, 0};    // DAC offsets of its two channels at 3 shims, box units
        SignalErrors errors;
    };
    Head& head(Sensor s) { return heads_[static_cast<int>(s)]; }
    const Head& head(Sensor s) const { return heads_[static_cast<int>(s)]; }

    void advance(Clock::time_point now);
    int64_t revolution() const { return int64_t(id_.pulseRate) * 5000; }
    bool hasReference() const;
    bool oneReference() const;
    bool offsetsFound(Clock::time_point now) const;
    // The teach-in is not complete for the box's kind.
    bool learning() const;
    // The teach-in was learned but not yet written.
    bool unstored() const { return learned_.offsets && !(learned_ == flash_); }
    // A head that the box cannot learn: unplugged or outside its band.
    bool outOfBand(Sensor s) const;
    // One slow step of `moved` counts towards the next thing to learn.
    void learn(int64_t moved, Clock::time_point now);
    double currentAmplitude(Sensor s) const; // at the last advance
    bool absoluteActive(Clock::time_point now) const;
    int32_t reportedPosition(Clock::time_point now);
    // Field at the head relative to the field at 3 shims (1.0 there, with the
    // washer's eccentricity at the shaft's position now).
    double fieldRatio(Sensor s, Clock::time_point now);
    // The larger of the head's two offsets in the program's units (box / 16).
    double maxOffset(Sensor s, Clock::time_point now);
    // Channel signals a/b of a head in box units (x16), the program's amplitude
    // formula applied backwards.
    void channels(Sensor s, Clock::time_point now, int32_t out[2]);
    // New values of the reference mark just passed: its signal heights scatter
    // a little from mark to mark.
    void measureMark();
    int32_t referenceChannel(Clock::time_point now);
    int jitter(int span);
    std::string twoLetterAnswer(const std::string& cmd, Clock::time_point now);
    std::string oneLetterAnswer(Clock::time_point now);
    std::string oneLetterSlot(int slot, Clock::time_point now);

    BoxIdentity id_;
    BoxTiming timing_;
    Head heads_[2];
    double eccentricity_ = 0.04;
    int interferenceA_ = 60;
    int interferenceB_ = 75;

    // Shaft: position at anchor time plus speed since then.
    double rpm_ = 0.0;
    double anchorCounts_ = 0.0;
    Clock::time_point anchor_{};
    bool anchored_ = false;

    // Reference marks: one per revolution at this counter value (mod turn).
    int64_t markOffset_ = 123456;
    int64_t lastCounter_ = 0;          // counter at the last advance
    int64_t lastMark_ = 0;             // counter at the last mark passed
    bool markSeen_ = false;            // a mark was passed since the restart
    bool rmPending_ = false;           // the next position answer is an "RM" line
    bool stBitPending_ = false;        // the next status word carries "reference found"
    std::deque<std::string> refLines_; // one-letter: reference lines still to send
    int32_t refDistance_ = 0;
    int marksPassed_ = 0;
    int32_t markPlus_ = 0; // box units: "+", "-" and "A" of the last mark
    int32_t markMinus_ = 0;
    int32_t markA_ = 0;

    // Box state
    bool powered_ = true;
    Clock::time_point bootUntil_{};
    Clock::time_point bootEnd_{}; // end of the last restart's silence
    TeachState flash_;
    TeachState learned_;
    int64_t learnTravel_ = 0;      // counts turned slowly towards the next thing to learn
    int64_t absoluteTravel_ = 0;   // counts the absolute position needs; 0: not yet drawn
    bool eraseAnnounce_ = false;   // one-letter: "RS 2" after an erase
    bool announcePending_ = false; // a line of its own at the end of the silence
    // One-letter: after 0xA0 the box measures the interference while it
    // starts and answers every second poll with a "PD" line until then.
    Clock::time_point measureUntil_{};
    bool measureTurn_ = false;
    int oneLetterTurn_ = 0;
    Clock::time_point lastPoll_{};
    std::minstd_rand rng_{4711};
};

// "blank", "learning offsets", ... as the status command shows the phase.
const char* teachPhaseName(TeachPhase p);

// The 16 bit characters of a word, most significant first ("ST", "E ").
std::string bitText(uint16_t word);
// The two-letter status word mapped to the one-letter flag word, as the
// program maps it.
uint16_t flagsFromStatusWord(uint16_t word);

} // namespace boxsim
