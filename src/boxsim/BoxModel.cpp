#include "boxsim/BoxModel.h"

#include "config/ShaftGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace boxsim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int32_t kCountsPerPeriod = 5000;
// Absolute positions travel with this offset on the two-letter line.
constexpr int32_t kAbsoluteShift = 20000;
// DAC offsets of the five channels in box units at 3 shims (the program shows
// them / 16).
constexpr int32_t kDacWhite[2] = {180, -140};
constexpr int32_t kDacYellow[2] = {-90, 210};
constexpr int32_t kDacReference = 40;
// Channel factors (gain corrections) of the five channels at 3 shims, and the
// largest factor the box can set (a 16-bit value in 2^-13 units).
constexpr double kFactors[5] = {1.012, 0.994, 1.021, 0.987, 1.0};
constexpr double kMaxFactor = 32767.0 / 8192.0;
// The part of a DAC offset that follows the field at the head; the rest is the
// head's own.
constexpr double kFieldOffsetShare = 0.5;
// Amplitude of a head of gain 1 touching the washer, and how much of it each
// shim takes away (exponentially: 3 shims give about 62 %).
constexpr double kAmplitudeAtWasher = 130.0;
constexpr double kFallPerShim = 0.25;
// Interference an open input (an unplugged head) adds, in hundredths.
constexpr int kOpenInputInterference = 2500;
// Reference analysis values in box units: "+", "-" and the mark's "A".
constexpr int32_t kRefPlus = 16 * 121;
constexpr int32_t kRefMinus = -16 * 117;
constexpr int32_t kRefAnalysisPlus = 16 * 118;
constexpr int32_t kRefAnalysisMinus = -16 * 112;
constexpr int32_t kRefA = 16 * 30;

std::string format(const char* fmt, auto... args) {
    char buf[256];
    int n = std::snprintf(buf, sizeof buf, fmt, args...);
    return std::string(buf, static_cast<size_t>(std::clamp(n, 0, int(sizeof buf) - 1)));
}

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int64_t positiveMod(int64_t a, int64_t b) {
    return a - floorDiv(a, b) * b;
}

} // namespace

std::string bitText(uint16_t word) {
    std::string s(16, '0');
    for (int i = 0; i < 16; ++i)
        if (word & (0x8000u >> i))
            s[size_t(i)] = '1';
    return s;
}

const char* teachPhaseName(TeachPhase p) {
    switch (p) {
    case TeachPhase::Blank:
        return "blank";
    case TeachPhase::LearningOffsets:
        return "learning offsets";
    case TeachPhase::LearningReference:
        return "learning the reference";
    case TeachPhase::LearningAbsolute:
        return "learning the absolute position";
    case TeachPhase::Taught:
        return "taught, not stored";
    case TeachPhase::Stored:
        return "taught (stored)";
    }
    return "";
}

uint16_t flagsFromStatusWord(uint16_t w) {
    uint16_t f = ((w & 0x0003) == 0x0003) ? 0 : 0x1000;
    static constexpr struct {
        uint16_t bit, flags;
    } kMap[] = {{0x0100, 0x2001}, {0x0200, 0x4010}, {0x0400, 0x0005}, {0x0800, 0x0050},
                {0x1000, 0x0088}, {0x2000, 0x0100}, {0x4000, 0x0002}, {0x8000, 0x0400}};
    for (const auto& m : kMap)
        if (w & m.bit)
            f |= m.flags;
    return f;
}

BoxModel::BoxModel(BoxIdentity identity, BoxTiming timing)
    : id_(std::move(identity)), timing_(timing), markPlus_(kRefPlus), markMinus_(kRefMinus),
      markA_(kRefA) {
    Head& ye = head(Sensor::Yellow);
    ye.gain = 1.0;
    ye.washerAngle = 0.0;
    ye.electricalPhase = 0.0;
    ye.dac[0] = kDacYellow[0];
    ye.dac[1] = kDacYellow[1];
    Head& wh = head(Sensor::White);
    wh.gain = 0.96;
    wh.washerAngle = std::numbers::pi; // the heads sit opposite each other
    wh.electricalPhase = 1.1;
    wh.dac[0] = kDacWhite[0];
    wh.dac[1] = kDacWhite[1];
}

// ---------------------------------------------------------------------------
// The physical world

void BoxModel::advance(Clock::time_point now) {
    if (!anchored_) {
        anchor_ = now;
        anchored_ = true;
    }
    double dt = std::chrono::duration<double>(now - anchor_).count();
    if (dt < 0)
        dt = 0; // a caller's clock reading from before the anchor
    int64_t c = std::llround(anchorCounts_ + rpm_ / 60.0 * double(revolution()) * dt);
    int64_t prev = lastCounter_;
    lastCounter_ = c;
    if (c == prev)
        return;

    if (learning())
        learn(std::llabs(c - prev), now);

    // Reference marks between prev (exclusive) and c (inclusive).
    if (!hasReference())
        return;
    int64_t lo = std::min(prev, c), hi = std::max(prev, c);
    int64_t rev = revolution();
    int64_t n = floorDiv(hi - markOffset_, rev) - floorDiv(lo - markOffset_, rev);
    if (n <= 0)
        return;
    // The mark passed last: the highest in (prev, c] turning forwards, the
    // lowest in (c, prev] turning backwards.
    int64_t markAt = markOffset_ + (floorDiv(c - markOffset_, rev) + (c > prev ? 0 : 1)) * rev;
    bool first = !markSeen_;
    refDistance_ = first ? 0 : int32_t(std::llabs(markAt - lastMark_));
    measureMark();
    lastMark_ = markAt;
    markSeen_ = true;
    marksPassed_ += int(n);
    rmPending_ = true;
    stBitPending_ = true;
    if (id_.dialect == Dialect::OneLetter && refLines_.size() < 8) {
        if (first)
            refLines_.push_back("RE");
        refLines_.push_back(format("R %d %d %d %d", int(markA_ / 4), int(markMinus_ / 4),
                                   int(markPlus_ / 4), int(refDistance_)));
        refLines_.push_back("RO");
        refLines_.push_back(format("RD %d", int(refDistance_)));
    }
}

void BoxModel::setSpeedRpm(double rpm, Clock::time_point now) {
    advance(now);
    anchorCounts_ = double(lastCounter_);
    anchor_ = now;
    rpm_ = rpm;
}

void BoxModel::setShims(Sensor s, int shims) {
    head(s).shims = std::clamp(shims, 0, 30);
}

void BoxModel::setPlugged(Sensor s, bool plugged) {
    head(s).plugged = plugged;
}

void BoxModel::setInterference(int a, int b) {
    interferenceA_ = a;
    interferenceB_ = b;
}

double BoxModel::nominalAmplitude(Sensor s) const {
    const Head& h = head(s);
    if (!h.plugged)
        return 0.0;
    // Each shim moves the head further from the washer; the field falls off
    // exponentially with the distance.
    return kAmplitudeAtWasher * std::exp(-kFallPerShim * h.shims) * h.gain;
}

int64_t BoxModel::counter(Clock::time_point now) {
    advance(now);
    return lastCounter_;
}

double BoxModel::amplitude(Sensor s, Clock::time_point now) {
    advance(now);
    return currentAmplitude(s);
}

double BoxModel::currentAmplitude(Sensor s) const {
    double turnAngle =
        kTwoPi * double(positiveMod(lastCounter_, revolution())) / double(revolution());
    return nominalAmplitude(s) * (1.0 + eccentricity_ * std::cos(turnAngle + head(s).washerAngle));
}

int BoxModel::jitter(int span) {
    if (span <= 0)
        return 0;
    return int(rng_() % unsigned(2 * span + 1)) - span;
}

void BoxModel::channels(Sensor s, Clock::time_point now, int32_t out[2]) {
    const Head& h = head(s);
    if (!h.plugged) {
        // Without a head the box reports no signal at all, which is how the
        // program tells an unplugged head from a weak one.
        advance(now);
        out[0] = 0;
        out[1] = 0;
        return;
    }
    double amp = amplitude(s, now);
    // The program computes sqrt(a^2+b^2)/5.12 * 505/(505-max|o|) from a and b
    // in box units / 16 and the offsets it was sent; this is that formula
    // solved for the radius.
    double radius = 16.0 * amp * 5.12 * (505.0 - maxOffset(s, now)) / 505.0;
    double phi = kTwoPi * double(positiveMod(lastCounter_, kCountsPerPeriod)) / kCountsPerPeriod +
                 h.electricalPhase;
    // A mismatch of the two channels splits evenly around the radius, so that
    // the amplitude the program computes swings about the intended one.
    const SignalErrors& e = h.errors;
    const double split = std::sqrt(std::max(e.ratio, 0.01));
    const double ampA = radius / split;
    const double ampB = radius * split;
    const double lag = e.phase * std::numbers::pi / 180.0;
    const int noise = 2;
    out[0] = int32_t(std::lround(ampA * (std::cos(phi) + e.offsetA / 100.0))) + jitter(noise);
    out[1] = int32_t(std::lround(ampB * (std::sin(phi - lag) + e.offsetB / 100.0))) + jitter(noise);
}

int32_t BoxModel::referenceChannel(Clock::time_point now) {
    advance(now);
    if (!hasReference())
        return 16 * 5 + jitter(8);
    int64_t rev = revolution();
    int64_t d = positiveMod(lastCounter_ - markOffset_, rev);
    d = std::min(d, rev - d);
    double peak = 150.0 * std::exp(-std::pow(double(d) / 2500.0, 2));
    return int32_t(std::lround(16.0 * (5.0 + peak))) + jitter(8);
}

double BoxModel::fieldRatio(Sensor s, Clock::time_point now) {
    const double at3Shims = kAmplitudeAtWasher * std::exp(-kFallPerShim * 3) * head(s).gain;
    return amplitude(s, now) / at3Shims;
}

int32_t BoxModel::dacOffset(int channel, Clock::time_point now) {
    if (channel < 0 || channel > 4 || !offsetsFound(now))
        return 0;
    if (channel == 4)
        return kDacReference;
    const Sensor s = channel < 2 ? Sensor::White : Sensor::Yellow;
    if (!plugged(s))
        return 0;
    const double share = 1.0 - kFieldOffsetShare + kFieldOffsetShare * fieldRatio(s, now);
    return int32_t(std::lround(head(s).dac[channel % 2] * share));
}

double BoxModel::maxOffset(Sensor s, Clock::time_point now) {
    const int first = s == Sensor::White ? 0 : 2;
    return std::max(std::abs(dacOffset(first, now)), std::abs(dacOffset(first + 1, now))) / 16.0;
}

double BoxModel::channelFactor(int channel, Clock::time_point now) {
    if (channel < 0 || channel > 4)
        return 0.0;
    if (channel == 4)
        return kFactors[4];
    const double ratio = fieldRatio(channel < 2 ? Sensor::White : Sensor::Yellow, now);
    if (ratio * kMaxFactor <= kFactors[channel])
        return kMaxFactor;
    return kFactors[channel] / ratio;
}

std::pair<int, int> BoxModel::measureInterference(Clock::time_point now) {
    advance(now);
    // A turning shaft swamps the measurement; an open input picks up more.
    int extra = int(std::fabs(rpm_) * 40.0);
    if (!plugged(Sensor::Yellow) || !plugged(Sensor::White))
        extra += kOpenInputInterference;
    // Each measurement scatters by up to a tenth.
    auto measured = [&](int setting) {
        return std::max(0, int(std::lround(setting * (1.0 + jitter(10) / 100.0)))) + extra;
    };
    const int a = measured(interferenceA_);
    return {a, measured(interferenceB_)};
}

void BoxModel::measureMark() {
    markPlus_ = kRefPlus + jitter(24);
    markMinus_ = kRefMinus + jitter(24);
    markA_ = kRefA + jitter(16);
}

// ---------------------------------------------------------------------------
// Identity and state

void BoxModel::setDialect(Dialect d) {
    id_.dialect = d;
    refLines_.clear();
    oneLetterTurn_ = 0;
}

std::string BoxModel::version() const {
    if (!id_.version.empty())
        return id_.version;
    return id_.dialect == Dialect::TwoLetter ? "2.10" : "1.45";
}

bool BoxModel::hasReference() const {
    const std::string& t = id_.configToken;
    if (id_.dialect == Dialect::OneLetter)
        return true;
    // "NoRef" boxes: position 1 not "1" and position 5 "1" (and 6 not "1").
    return !(t.size() == 8 && t[1] != '1' && t[6] != '1' && t[5] == '1');
}

bool BoxModel::oneReference() const {
    const std::string& t = id_.configToken;
    return id_.dialect == Dialect::TwoLetter && t.size() == 8 && t[6] == '1';
}

void BoxModel::setPulseRate(int32_t pulseRate) {
    id_.pulseRate = shaft::usablePulseRate(pulseRate);
}

void BoxModel::setKind(BoxKind k) {
    switch (k) {
    case BoxKind::CodedReference:
        id_.configToken = "01000010"; // "QTBX02 (1Ref)"
        break;
    case BoxKind::Reference:
        id_.configToken = "01000000"; // "QTBX01"
        break;
    case BoxKind::NoReference:
        id_.configToken = "00000100"; // "ORVA-U NoRef"
        break;
    }
}

BoxKind BoxModel::kind() const {
    // As the token says, whatever the dialect (an older box ignores it).
    const std::string& t = id_.configToken;
    if (t.size() == 8 && t[6] == '1')
        return BoxKind::CodedReference;
    if (t.size() == 8 && t[1] != '1' && t[5] == '1')
        return BoxKind::NoReference;
    return BoxKind::Reference;
}

bool BoxModel::learning() const {
    return !learned_.offsets || (hasReference() && !learned_.reference) ||
           (oneReference() && !learned_.absolute);
}

TeachPhase BoxModel::teachPhase(Clock::time_point now) {
    advance(now);
    if (!learned_.offsets)
        return learnTravel_ > 0 ? TeachPhase::LearningOffsets : TeachPhase::Blank;
    if (hasReference() && !learned_.reference)
        return TeachPhase::LearningReference;
    if (oneReference() && !learned_.absolute)
        return TeachPhase::LearningAbsolute;
    return unstored() ? TeachPhase::Taught : TeachPhase::Stored;
}

bool BoxModel::outOfBand(Sensor s) const {
    const double a = currentAmplitude(s);
    return !plugged(s) || a < kTeachAmplitudeLow || a > kTeachAmplitudeHigh;
}

void BoxModel::learn(int64_t moved, Clock::time_point now) {
    // Turning too fast, or a head it cannot read, and the box starts the
    // step it is on again.
    if (booting(now) || std::fabs(rpm_) > kTeachSpeedLimitRpm || outOfBand(Sensor::Yellow) ||
        outOfBand(Sensor::White)) {
        learnTravel_ = 0;
        return;
    }
    const auto counts = [&](double degrees) {
        return int64_t(std::llround(degrees / 360.0 * double(revolution())));
    };
    learnTravel_ += moved;
    if (!learned_.offsets) {
        if (learnTravel_ < counts(kOffsetTravelDeg))
            return;
        learned_.offsets = true;
        learnTravel_ -= counts(kOffsetTravelDeg);
    }
    if (hasReference() && !learned_.reference) {
        if (learnTravel_ < counts(kReferenceTravelDeg))
            return;
        learned_.reference = true;
        markSeen_ = true;
        stBitPending_ = true;
        learnTravel_ -= counts(kReferenceTravelDeg);
    }
    if (oneReference() && !learned_.absolute) {
        if (absoluteTravel_ == 0) {
            const double span = kAbsoluteTravelMaxDeg - kAbsoluteTravelMinDeg;
            absoluteTravel_ = counts(kAbsoluteTravelMinDeg + span * double(rng_() % 1000) / 999.0);
        }
        if (learnTravel_ >= absoluteTravel_) {
            learned_.absolute = true;
            learnTravel_ = 0;
            absoluteTravel_ = 0;
        }
    }
}

bool BoxModel::offsetsFound(Clock::time_point now) const {
    return learned_.offsets && now >= bootEnd_ + timing_.offsetRestore;
}

bool BoxModel::absoluteActive(Clock::time_point now) const {
    return oneReference() && learned_.absolute && offsetsFound(now);
}

void BoxModel::setPower(bool on, Clock::time_point now) {
    if (on && !powered_) {
        powered_ = true;
        restart(now, false);
    } else if (!on) {
        powered_ = false;
    }
}

void BoxModel::restart(Clock::time_point now, bool erase) {
    advance(now);
    bootUntil_ = bootEnd_ = now + timing_.restartSilence;
    if (erase)
        flash_ = TeachState{false, false, false};
    learned_ = flash_;
    learnTravel_ = 0;
    absoluteTravel_ = 0;
    markSeen_ = false;
    rmPending_ = false;
    stBitPending_ = false;
    refDistance_ = 0;
    refLines_.clear();
    measureUntil_ = {};
    eraseAnnounce_ = erase && id_.dialect == Dialect::OneLetter;
    announcePending_ = true;
    oneLetterTurn_ = 0;
}

std::optional<Clock::time_point> BoxModel::announcementDue() const {
    if (!announcePending_ || !powered_)
        return std::nullopt;
    return bootUntil_;
}

std::optional<std::string> BoxModel::takeAnnouncement(Clock::time_point now) {
    if (!announcePending_ || !powered_ || booting(now))
        return std::nullopt;
    announcePending_ = false;
    if (id_.dialect == Dialect::TwoLetter)
        return statusLine(now);
    if (eraseAnnounce_) {
        eraseAnnounce_ = false;
        return std::string("RS 2");
    }
    return "E " + bitText(errorFlags(now));
}

uint16_t BoxModel::statusWord(Clock::time_point now) {
    advance(now);
    uint16_t w = 0;
    bool offsets = offsetsFound(now);
    // While it learns, a head too weak for the box loses its offsets.
    const bool teaching = learning();
    const auto weak = [&](Sensor s) {
        return teaching && currentAmplitude(s) < kTeachAmplitudeLow;
    };
    const auto strong = [&](Sensor s) {
        return nominalAmplitude(s) > kTeachAmplitudeHigh ||
               (teaching && currentAmplitude(s) > kTeachAmplitudeHigh);
    };
    if (offsets && plugged(Sensor::White) && !weak(Sensor::White))
        w |= 0x0001;
    if (offsets && plugged(Sensor::Yellow) && !weak(Sensor::Yellow))
        w |= 0x0002;
    if (hasReference() && learned_.reference && markSeen_)
        w |= 0x0010; // reference phase valid
    if (stBitPending_)
        w |= 0x0020; // reference found since the last status
    if (unstored())
        w |= 0x0040; // teach-in learned, not yet written: the "^" marker
    if (absoluteActive(now))
        w |= 0x0080;
    if (!plugged(Sensor::White))
        w |= 0x0100;
    if (!plugged(Sensor::Yellow))
        w |= 0x0200;
    if (strong(Sensor::White))
        w |= 0x0400;
    if (strong(Sensor::Yellow))
        w |= 0x0800;
    if (std::fabs(rpm_) > kOffsetSpeedLimitRpm ||
        (teaching && std::fabs(rpm_) > kTeachSpeedLimitRpm))
        w |= 0x1000;
    if (std::fabs(rpm_) > kMaxSpeedRpm)
        w |= 0x4000;
    if (lastCounter_ > INT32_MAX || lastCounter_ < INT32_MIN)
        w |= 0x8000;
    return w;
}

uint16_t BoxModel::errorFlags(Clock::time_point now) {
    return flagsFromStatusWord(statusWord(now));
}

int32_t BoxModel::reportedPosition(Clock::time_point now) {
    advance(now);
    if (absoluteActive(now)) {
        int32_t abs = int32_t(positiveMod(lastCounter_ - markOffset_, revolution()));
        return id_.dialect == Dialect::TwoLetter ? abs + kAbsoluteShift : abs;
    }
    // The box's counter is 32 bits wide and wraps.
    return int32_t(uint32_t(uint64_t(lastCounter_)));
}

// ---------------------------------------------------------------------------
// Lines

std::string BoxModel::positionLine(Clock::time_point now) {
    int32_t pos = reportedPosition(now);
    if (rmPending_) {
        rmPending_ = false;
        return format("RM %d %d %d %d", int(pos), int(refDistance_), int(markPlus_),
                      int(markMinus_));
    }
    int32_t wh[2], ye[2];
    channels(Sensor::White, now, wh);
    channels(Sensor::Yellow, now, ye);
    return format("PA %d %d %d %d %d", int(pos), int(wh[0]), int(wh[1]), int(ye[0]), int(ye[1]));
}

std::string BoxModel::statusLine(Clock::time_point now) {
    uint16_t w = statusWord(now);
    stBitPending_ = false;
    return "ST " + bitText(w);
}

std::string BoxModel::identificationLine() const {
    // A blank box reports 0, which the program marks with "*".
    std::string info = learned_.offsets ? id_.infoToken : "0";
    return "FW " + version() + " " + id_.configToken + " " + info;
}

std::string BoxModel::twoLetterAnswer(const std::string& cmd, Clock::time_point now) {
    if (cmd == "M*")
        return positionLine(now);
    if (cmd == "M2")
        return statusLine(now);
    if (cmd == "M3") {
        auto o = [&](int ch) { return int(dacOffset(ch, now)); };
        return format("OS %d %d %d %d %d", o(0), o(1), o(2), o(3), o(4));
    }
    if (cmd == "M4") {
        int32_t wh[2], ye[2];
        channels(Sensor::White, now, wh);
        channels(Sensor::Yellow, now, ye);
        return format("KW %d %d %d %d %d", int(wh[0]), int(wh[1]), int(ye[0]), int(ye[1]),
                      int(referenceChannel(now)));
    }
    if (cmd == "M5") {
        auto f = [&](int ch) { return int(std::lround(channelFactor(ch, now) * 8192.0)); };
        return format("KF %d %d %d %d %d", f(0), f(1), f(2), f(3), f(4));
    }
    if (cmd == "M6")
        return format("RA %d %d %d", int(markOffset_ % kCountsPerPeriod), int(kRefAnalysisPlus),
                      int(kRefAnalysisMinus));
    if (cmd == "M7")
        return format("SZ %d", int(id_.pulseRate));
    if (cmd == "M8") {
        auto [a, b] = measureInterference(now);
        return format("DU %d %d", a, b);
    }
    if (cmd == "M9")
        return identificationLine();
    if (cmd == "MA")
        return "HW " + id_.serialA + " " + id_.serialB;
    if (cmd == "ME") {
        restart(now, false);
        return {};
    }
    if (cmd == "MR") {
        restart(now, true);
        return {};
    }
    if (cmd == "MW") {
        flash_ = learned_;
        return {};
    }
    return {}; // "M0" and anything unknown
}

std::string BoxModel::oneLetterSlot(int slot, Clock::time_point now) {
    // The rotating part of the one-letter cycle, after A1, A2 and E.
    static constexpr int kRotating = 26;
    slot %= kRotating;
    if (slot < 4)
        return format("O%d %d", slot, int(dacOffset(slot, now) / 4));
    if (slot == 4)
        return format("OR %d", int(dacOffset(4, now)));
    if (slot < 10) {
        int ch = slot - 5;
        int32_t v;
        if (ch < 4) {
            int32_t c[2];
            channels(ch < 2 ? Sensor::White : Sensor::Yellow, now, c);
            v = c[ch % 2];
        } else {
            v = referenceChannel(now);
        }
        return format("CV%d %d", ch, int(v / 4));
    }
    if (slot < 15) {
        int ch = slot - 10;
        return format("CF%d %d", ch, int(std::lround(channelFactor(ch, now) * 4096.0)));
    }
    switch (slot) {
    // The converter's zero readings flicker by a count.
    case 15:
        return format("ZC %d", 2051 + jitter(1));
    case 16:
        return format("ZS %d", 2043 + jitter(1));
    case 17:
        return format("AP%c %d", absoluteActive(now) ? '1' : '0', int(id_.pulseRate));
    case 18:
        return "FC " +
               (learned_.offsets ? id_.infoToken + (unstored() ? "^" : "") : std::string("0*"));
    case 19:
        return "VE " + version() + " " + id_.oldBoxType;
    case 20:
        return format("PH %d", int(markOffset_ % kCountsPerPeriod));
    case 21:
        return format("RP0 %d", int(markOffset_ % kCountsPerPeriod));
    case 22:
        return format("RP1 %d", int(kRefAnalysisPlus / 4));
    case 23:
        return format("RP2 %d", int(kRefAnalysisMinus / 4));
    case 24:
        return format("RP3 %d", int(kRefA / 4));
    default:
        return format("RP4 %d", int(markPlus_ / 4));
    }
}

std::string BoxModel::oneLetterAnswer(Clock::time_point now) {
    advance(now);
    if (eraseAnnounce_) {
        eraseAnnounce_ = false;
        return "RS 2";
    }
    if (now < measureUntil_) {
        measureTurn_ = !measureTurn_;
        if (measureTurn_) {
            // An older box reports the larger value, in tenths.
            auto [a, b] = measureInterference(now);
            return format("PD %d", int(std::lround(std::max(a, b) / 10.0)));
        }
    }
    // After a pause in the polling the cycle starts again with a position.
    // The program identifies an old box by a "P " line while it takes any
    // line of four tokens (such as "R ") for a new box's identification.
    if (now - lastPoll_ > std::chrono::milliseconds(100))
        oneLetterTurn_ = 0;
    lastPoll_ = now;
    int turn = oneLetterTurn_++;
    if (turn % 2 == 0)
        return format("P %d", int(reportedPosition(now)));
    if (!refLines_.empty()) {
        std::string line = refLines_.front();
        refLines_.pop_front();
        return line;
    }
    int k = turn / 2;
    auto amplitudeValue = [&](Sensor s) {
        double r = amplitude(s, now) * (505.0 - maxOffset(s, now)) / 505.0;
        return int(std::min(40000L, std::lround(r * r)));
    };
    switch (k % 4) {
    case 0:
        return format("A1 %d", amplitudeValue(Sensor::White));
    case 1:
        return format("A2 %d", amplitudeValue(Sensor::Yellow));
    case 2:
        return "E " + bitText(errorFlags(now));
    default:
        return oneLetterSlot(k / 4, now);
    }
}

std::optional<std::string> BoxModel::command(const std::string& cmd, Clock::time_point now) {
    if (!powered_ || booting(now) || id_.dialect != Dialect::TwoLetter)
        return std::nullopt;
    std::string line = twoLetterAnswer(cmd, now);
    if (line.empty())
        return std::nullopt;
    return line;
}

std::optional<std::string> BoxModel::commandByte(unsigned char byte, Clock::time_point now) {
    if (!powered_ || booting(now) || id_.dialect != Dialect::OneLetter)
        return std::nullopt;
    switch (byte) {
    case '3':
        return oneLetterAnswer(now);
    case 0xA0:
        // Reset; the old box measures the interference while it starts.
        restart(now, false);
        measureUntil_ = bootUntil_ + timing_.interferenceMeasuring;
        measureTurn_ = false;
        return std::nullopt;
    case 0xAA:
        restart(now, true);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace boxsim
