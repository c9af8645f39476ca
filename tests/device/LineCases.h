#pragma once
// Table-driven line tests: each case runs on a fresh parser.

#include "support/ParserRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct LineCase {
    using Check = std::function<void(const DeviceReadings&)>;
    using Setup = std::function<void(ParserRig&)>;
    LineCase(const char* what_, std::string line_, EventList events_, Check check_ = {},
             Setup setup_ = {})
        : what(what_), line(std::move(line_)), events(std::move(events_)), check(std::move(check_)),
          setup(std::move(setup_)) {}

    const char* what;
    std::string line;
    EventList events;
    // Checks the readings afterwards; none means the readings must not change.
    Check check;
    Setup setup;
};

enum class Dialect { TwoLetter, OneLetter };

inline void runLineCases(const std::vector<LineCase>& cases, Dialect dialect) {
    for (const LineCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": \"" + printable(c.line.substr(0, 60)) + "\"");
        ParserRig rig;
        if (dialect == Dialect::TwoLetter) {
            rig.twoLetter();
        } else {
            rig.oneLetter();
        }
        if (c.setup) {
            c.setup(rig);
        }
        const DeviceReadings before = rig.copy();
        rig.parse(c.line);
        EXPECT_EQ(rig.takeEvents(), c.events);
        if (c.check) {
            c.check(rig.readings);
        } else {
            EXPECT_TRUE(rig.unchangedSince(before)) << "a dropped line changed the readings";
        }
    }
}

// Lines that must be dropped: no event and not one byte of the readings changed.
inline void expectDropped(Dialect dialect, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        runLineCases({LineCase("dropped", line, {})}, dialect);
    }
}
