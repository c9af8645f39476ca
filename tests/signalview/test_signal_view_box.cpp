// The simulated box set to signal errors, read over one turn through the
// program's line parser: the view's fit finds what the box was set to.

#include "SignalErrorsFound.h"
#include "boxsim/BoxModel.h"
#include "signalview/SignalView.h"
#include "support/ParserRig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using boxsim::Clock;
using boxsim::Sensor;
using boxsim::SignalErrors;
using namespace std::chrono_literals;

std::string offsetLine(boxsim::BoxModel& box, Clock::time_point now) {
    char line[96];
    std::snprintf(line, sizeof line, "OS %d %d %d %d %d", int(box.dacOffset(0, now)),
                  int(box.dacOffset(1, now)), int(box.dacOffset(2, now)),
                  int(box.dacOffset(3, now)), int(box.dacOffset(4, now)));
    return line;
}

class BoxSignalErrors : public testing::TestWithParam<SignalErrorSetting> {};

TEST_P(BoxSignalErrors, AreFoundOverOneTurn) {
    const SignalErrorSetting& s = GetParam();
    boxsim::BoxModel box;
    box.setSignalErrors(Sensor::Yellow, s.yellow);
    box.setSignalErrors(Sensor::White, s.white);
    Clock::time_point now = Clock::time_point{} + 10s;
    box.setSpeedRpm(1.0, now); // one turn a minute
    ParserRig rig;
    rig.twoLetter();
    SignalView view;
    // A line every 37 ms, as a polled box answers, over one turn; the offsets
    // follow the washer's eccentricity, so they are read as often as the box
    // is asked for them.
    int ms = 0;
    for (; ms <= 60000; ms += 37) {
        const Clock::time_point t = now + std::chrono::milliseconds(ms);
        if (ms % (37 * 20) == 0)
            rig.parse(offsetLine(box, t), ms);
        rig.parse(box.positionLine(t), ms);
        view.addSample(signalSampleFrom(rig.readings, ms / 1000.0));
    }
    expectFound(view.fit(Head::YE), s.yellow, "YE");
    expectFound(view.fit(Head::WH), s.white, "WH");
    // The radius is the amplitude the bars show.
    EXPECT_NEAR(signalRadius(view.trace(Head::WH).newest()), rig.readings.amplitudeWH, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BoxSignalErrors,
    testing::Values(SignalErrorSetting{"sound", {}, {}},
                    SignalErrorSetting{"shifted", {8, -5, 1, 0}, {-12, 3, 1, 0}},
                    SignalErrorSetting{"squashed", {0, 0, 0.7, 0}, {0, 0, 1.5, 0}},
                    SignalErrorSetting{"tilted", {0, 0, 1, 15}, {0, 0, 1, -20}},
                    SignalErrorSetting{"everything", {-6, 10, 0.8, 7}, {4, -9, 1.25, -11}}),
    [](const testing::TestParamInfo<SignalErrorSetting>& info) {
        return std::string(info.param.name);
    });

} // namespace
