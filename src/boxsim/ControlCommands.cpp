#include "boxsim/ControlCommands.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace boxsim {

namespace {

std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

template <typename T> bool number(std::string_view text, T& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

bool sensor(std::string_view word, Sensor& out) {
    if (word == "ye" || word == "yellow")
        out = Sensor::Yellow;
    else if (word == "wh" || word == "white")
        out = Sensor::White;
    else
        return false;
    return true;
}

ControlResult error(std::string text) {
    return {false, false, std::move(text)};
}

} // namespace

const char* controlHelp() {
    return "Control commands (one per line on standard input):\n"
           "  speed RPM             turn the shaft at RPM revolutions per minute (negative:\n"
           "                        backwards, 0: standstill)\n"
           "  shims ye|wh N         N shims of 0.025 mm under the yellow or white read head,\n"
           "                        0..30 (more shims: larger distance, lower amplitude,\n"
           "                        smaller offsets, larger factors; 3 give about 62 %)\n"
           "  unplug ye|wh          unplug a sensor\n"
           "  plug ye|wh            plug it in again\n"
           "  eccentricity E        eccentricity of the washer, 0..0.5 (0.04: amplitude +-4 %\n"
           "                        per turn; offsets and factors follow it)\n"
           "  offset ye|wh A B      signal offset of the head's channels A and B, -50..50 %\n"
           "                        of each channel's amplitude\n"
           "  ratio ye|wh R         amplitude of channel B over channel A, 0.5..2 (1: matched)\n"
           "  phase ye|wh DEG       phase error: B lags A by 90 + DEG degrees, -45..45\n"
           "                        (these three show in the channel values of every\n"
           "                        position line and the older box's CV lines)\n"
           "  kind 1ref|ref|noref   the box's reference: one coded reference mark with an\n"
           "                        absolute position (\"1Ref\"), one reference mark, none\n"
           "                        (\"NoRef\")\n"
           "  erase                 the box forgets its teach-in and restarts blank; turned\n"
           "                        at 3 rpm or less it learns offsets (10 degrees), the\n"
           "                        reference (15 more), the absolute position (30..60 more);\n"
           "                        faster, an unplugged head or one outside 20..100 % starts\n"
           "                        the step again; \"MW\" from the program stores it, \"ME\"\n"
           "                        before that loses it\n"
           "  noise A B             interference on the two channels at standstill, 0..99999\n"
           "                        in hundredths (150: the program shows 1.5; an older box\n"
           "                        reports tenths); each measurement scatters by up to 10 %,\n"
           "                        a turning shaft or an unplugged head raises it\n"
           "  silence MS            the box answers nothing for MS milliseconds\n"
           "  power off|on          switch the box off, or on (it restarts)\n"
           "  garbage N             N random bytes on the line now\n"
           "  overlong N            a line of N characters on the line now\n"
           "  pause MS              the next line stops for MS milliseconds in its middle\n"
           "  hangup                hang up the line (the device disappears)\n"
           "  reconnect             a new line behind the same link after a hang-up\n"
           "  dialect two-letter|one-letter\n"
           "                        the protocol the box speaks\n"
           "  paced on|off          9600-baud timing, or as fast as possible\n"
           "  status                show the state of the box\n"
           "  help                  this list\n"
           "  quit                  end the simulator\n";
}

ControlResult runControlCommand(BoxSimulator& box, std::string_view line) {
    std::vector<std::string_view> w = split(line);
    if (w.empty() || w[0].front() == '#')
        return {};
    std::string_view cmd = w[0];
    size_t args = w.size() - 1;
    Sensor s{};

    if (cmd == "help")
        return {true, false, controlHelp()};
    if (cmd == "quit" || cmd == "exit")
        return {true, true, {}};
    if (cmd == "status")
        return {true, false, box.describe()};
    if (cmd == "speed" && args == 1) {
        double rpm;
        if (!number(w[1], rpm))
            return error("speed: not a number");
        box.setSpeedRpm(rpm);
        return {};
    }
    if (cmd == "shims" && args == 2 && sensor(w[1], s)) {
        int n;
        if (!number(w[2], n) || n < 0 || n > 30)
            return error("shims: a number 0..30");
        box.setShims(s, n);
        return {};
    }
    if ((cmd == "unplug" || cmd == "plug") && args == 1 && sensor(w[1], s)) {
        box.setPlugged(s, cmd == "plug");
        return {};
    }
    if (cmd == "eccentricity" && args == 1) {
        double e;
        if (!number(w[1], e) || e < 0 || e > 0.5)
            return error("eccentricity: a number 0..0.5");
        box.setEccentricity(e);
        return {};
    }
    if ((cmd == "offset" && args == 3) || ((cmd == "ratio" || cmd == "phase") && args == 2)) {
        if (!sensor(w[1], s))
            return error(std::string(cmd) + ": ye or wh");
        SignalErrors e = box.signalErrors(s);
        double v, v2 = 0;
        if (!number(w[2], v) || (args == 3 && !number(w[3], v2)))
            return error(std::string(cmd) + ": not a number");
        if (cmd == "offset") {
            if (std::abs(v) > 50 || std::abs(v2) > 50)
                return error("offset: two percentages -50..50");
            e.offsetA = v;
            e.offsetB = v2;
        } else if (cmd == "ratio") {
            if (v < 0.5 || v > 2.0)
                return error("ratio: a number 0.5..2");
            e.ratio = v;
        } else {
            if (std::abs(v) > 45)
                return error("phase: degrees -45..45");
            e.phase = v;
        }
        box.setSignalErrors(s, e);
        return {};
    }
    if (cmd == "kind" && args == 1) {
        if (w[1] == "1ref")
            box.setKind(BoxKind::CodedReference);
        else if (w[1] == "ref")
            box.setKind(BoxKind::Reference);
        else if (w[1] == "noref")
            box.setKind(BoxKind::NoReference);
        else
            return error("kind: 1ref, ref or noref");
        return {};
    }
    if (cmd == "erase" && args == 0) {
        box.eraseTeachIn();
        return {};
    }
    if (cmd == "noise" && args == 2) {
        int a, b;
        if (!number(w[1], a) || !number(w[2], b) || a < 0 || b < 0 || a > 99999 || b > 99999)
            return error("noise: two whole numbers 0..99999");
        box.setInterference(a, b);
        return {};
    }
    if ((cmd == "silence" || cmd == "pause") && args == 1) {
        int ms;
        if (!number(w[1], ms) || ms < 0 || ms > 3'600'000)
            return error(std::string(cmd) + ": milliseconds");
        if (cmd == "silence")
            box.silence(std::chrono::milliseconds(ms));
        else
            box.pauseInNextLine(std::chrono::milliseconds(ms));
        return {};
    }
    if (cmd == "power" && args == 1 && (w[1] == "on" || w[1] == "off")) {
        box.setPower(w[1] == "on");
        return {};
    }
    if ((cmd == "garbage" || cmd == "overlong") && args == 1) {
        size_t n;
        if (!number(w[1], n) || n > 100'000)
            return error(std::string(cmd) + ": a count up to 100000");
        if (cmd == "garbage")
            box.sendGarbage(n);
        else
            box.sendOverlongLine(n);
        return {};
    }
    if (cmd == "hangup" && args == 0) {
        box.hangUp();
        return {};
    }
    if (cmd == "reconnect" && args == 0) {
        std::string why;
        if (!box.reconnect(&why))
            return error("reconnect: " + why);
        return {};
    }
    if (cmd == "dialect" && args == 1 && (w[1] == "two-letter" || w[1] == "one-letter")) {
        box.setDialect(w[1] == "two-letter" ? Dialect::TwoLetter : Dialect::OneLetter);
        return {};
    }
    if (cmd == "paced" && args == 1 && (w[1] == "on" || w[1] == "off")) {
        box.setPaced(w[1] == "on");
        return {};
    }
    return error("unknown command: " + std::string(line) + " (\"help\" lists them)");
}

} // namespace boxsim
