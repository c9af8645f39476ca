// End to end: the simulated box on a pseudo-terminal, set to signal errors,
// the reader thread and the program's parser, and the view fed on every
// position event the way its owner feeds it. The fit over one turn finds
// what the box was set to.

#include "LinkRig.h"

#include "SignalErrorsFound.h"
#include "signalview/SignalView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace linktest;
using boxsim::Sensor;
using boxsim::SignalErrors;

namespace {

class SignalViewOverTheLine : public testing::TestWithParam<SignalErrorSetting> {};

TEST_P(SignalViewOverTheLine, FindsTheBoxsSignalErrors) {
    const SignalErrorSetting& s = GetParam();
    boxsim::SimulatorOptions options;
    options.paced = false;
    LinkRig rig(options);
    rig.box.setSignalErrors(Sensor::Yellow, s.yellow);
    rig.box.setSignalErrors(Sensor::White, s.white);
    SignalView view;
    const auto start = std::chrono::steady_clock::now();
    bool turning = false;
    std::chrono::steady_clock::time_point turnStart;
    rig.onEvent = [&](int code, int) {
        if (code != 0 || !turning)
            return;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        view.addSample(
            signalSampleFrom(snapshotReadings(rig.r.readings, rig.r.readingsMutex), seconds));
    };
    rig.start();
    // Identified and polling, with the offsets read, before the shaft turns.
    ASSERT_TRUE(rig.waitForPositions(20));
    ASSERT_TRUE(rig.waitFor([&] {
        const DeviceReadings r = rig.snapshot();
        return r.dacOffsets[0] != 0.0 && r.dacOffsets[2] != 0.0;
    }));
    rig.box.setSpeedRpm(30.0); // one turn in 2 s
    turning = true;
    turnStart = std::chrono::steady_clock::now();
    ASSERT_TRUE(rig.waitFor(
        [&] {
            return std::chrono::steady_clock::now() - turnStart > std::chrono::seconds(2) &&
                   view.trace(Head::YE).size() >= 200 && view.trace(Head::WH).size() >= 200;
        },
        std::chrono::seconds(120)));
    expectFound(view.fit(Head::YE), s.yellow, "YE");
    expectFound(view.fit(Head::WH), s.white, "WH");
}

INSTANTIATE_TEST_SUITE_P(Settings, SignalViewOverTheLine,
                         testing::Values(SignalErrorSetting{"sound", {}, {}},
                                         SignalErrorSetting{
                                             "everything", {-6, 10, 0.8, 7}, {4, -9, 1.25, -11}}),
                         [](const testing::TestParamInfo<SignalErrorSetting>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
