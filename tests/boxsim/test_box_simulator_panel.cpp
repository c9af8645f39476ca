// The demo's box panel: its figures reach the simulated box in the box's
// units, it shows how far the teach-in has come, and it speaks the program's
// language.

#include "boxsim/widgets/BoxSimulatorPanel.h"
#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "config/Texts.h"
#include "support/Waiting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <functional>

namespace {

template <typename W> W* field(const BoxSimulatorPanel& panel, const char* id) {
    W* w = panel.findChild<W*>(QString::fromLatin1(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

TEST(BoxSimulatorPanel, NoiseAndEccentricityReachTheBoxInItsUnits) {
    boxsim::BoxSimulator box;
    box.setInterference(60, 75);
    BoxSimulatorPanel panel(box);
    auto* noiseA = field<QDoubleSpinBox>(panel, "noiseA");
    auto* noiseB = field<QDoubleSpinBox>(panel, "noiseB");
    auto* eccentricity = field<QSpinBox>(panel, "eccentricity");
    ASSERT_TRUE(noiseA && noiseB && eccentricity);
    // The panel shows what the main window will show.
    EXPECT_DOUBLE_EQ(noiseA->value(), 0.6);
    EXPECT_DOUBLE_EQ(noiseB->value(), 0.75);

    noiseA->setValue(1.5); // green up to here
    noiseB->setValue(20.0);
    EXPECT_EQ(box.interference(), std::make_pair(150, 2000));

    eccentricity->setValue(12);
    EXPECT_DOUBLE_EQ(box.eccentricity(), 0.12);
}

TEST(BoxSimulatorPanel, ShimsSpeedKindAndSignalErrorsReachTheBox) {
    boxsim::BoxSimulator box;
    BoxSimulatorPanel panel(box);
    auto* shims = field<QDoubleSpinBox>(panel, "shimsWH");
    auto* speed = field<QDoubleSpinBox>(panel, "speed");
    auto* backwards = field<QCheckBox>(panel, "backwards");
    auto* teachInSpeed = field<QPushButton>(panel, "teachInSpeed");
    auto* kind = field<QComboBox>(panel, "kind");
    ASSERT_TRUE(shims && speed && backwards && teachInSpeed && kind);

    EXPECT_DOUBLE_EQ(shims->value(), 0.075) << "three shims of 0.025 mm";
    shims->setValue(0.1);
    EXPECT_EQ(box.shims(boxsim::Sensor::White), 4);

    speed->setValue(12.5);
    backwards->setChecked(true);
    EXPECT_DOUBLE_EQ(box.speedRpm(), -12.5);
    teachInSpeed->click();
    EXPECT_DOUBLE_EQ(box.speedRpm(), -2.0) << "slow enough to teach, same direction";

    EXPECT_EQ(kind->currentIndex(), 0) << "1Ref";
    kind->setCurrentIndex(2);
    EXPECT_EQ(box.kind(), boxsim::BoxKind::NoReference);

    struct Case {
        const char* id;
        double value;
        double boxsim::SignalErrors::*member;
    };
    const Case cases[] = {
        {"offsetAYE", 4.5, &boxsim::SignalErrors::offsetA},
        {"offsetBYE", -2.0, &boxsim::SignalErrors::offsetB},
        {"ratioYE", 1.15, &boxsim::SignalErrors::ratio},
        {"phaseYE", -12.0, &boxsim::SignalErrors::phase},
    };
    for (const Case& c : cases) {
        auto* f = field<QDoubleSpinBox>(panel, c.id);
        ASSERT_TRUE(f);
        f->setValue(c.value);
        EXPECT_DOUBLE_EQ(box.signalErrors(boxsim::Sensor::Yellow).*c.member, c.value) << c.id;
    }
    EXPECT_DOUBLE_EQ(box.signalErrors(boxsim::Sensor::White).ratio, 1.0) << "the other head";
}

TEST(BoxSimulatorPanel, ShowsTheTeachInAndFollowsTheProgramsLanguage) {
    setLanguage(0);
    boxsim::BoxSimulator box;
    BoxSimulatorPanel panel(box);
    auto* state = field<QLineEdit>(panel, "teachState");
    auto* erase = field<QPushButton>(panel, "eraseTeachIn");
    ASSERT_TRUE(state && erase);
    EXPECT_EQ(state->text(), QStringLiteral("taught (stored)"));
    erase->click();
    EXPECT_EQ(state->text(), QStringLiteral("blank"));

    setLanguage(1);
    EXPECT_TRUE(waitWithEvents([&] { return panel.windowTitle() == "Box-Simulator"; }));
    EXPECT_EQ(state->text(), QStringLiteral("leer"));
    EXPECT_EQ(erase->text(), QStringLiteral("Teach-In löschen"));
    setLanguage(0);
    EXPECT_TRUE(waitWithEvents([&] { return panel.windowTitle() == "Box simulator"; }));
}

} // namespace

TEST(BoxSimulatorPanel, KindAndLineCountChangeOnlyWithARestartOfTheBox) {
    boxsim::BoxSimulator box;
    BoxSimulatorPanel panel(box);
    auto* kind = field<QComboBox>(panel, "kind");
    auto* pulseRate = field<QSpinBox>(panel, "pulseRate");
    ASSERT_TRUE(kind && pulseRate);
    EXPECT_EQ(pulseRate->value(), box.pulseRate());

    struct Change {
        const char* what;
        std::function<void()> make;
        std::function<bool()> took;
    };
    const Change changes[] = {
        {"kind", [kind] { kind->setCurrentIndex(1); },
         [&box] { return box.kind() == boxsim::BoxKind::Reference; }},
        {"line count", [pulseRate] { pulseRate->setValue(2160); },
         [&box] { return box.pulseRate() == 2160; }},
    };
    for (const Change& change : changes) {
        ASSERT_TRUE(box.powered()) << change.what;
        change.make();
        EXPECT_TRUE(change.took()) << change.what;
        EXPECT_FALSE(box.powered()) << change.what << ": the box restarts";
        EXPECT_TRUE(waitWithEvents([&box] { return box.powered(); }, std::chrono::seconds(10)))
            << change.what << ": and comes on again";
    }
}

TEST(BoxSimulatorPanel, ALineCountThatFitsNoBearing) {
    BearingEntry table[kBearingTableSize];
    const int count = setBuiltInBearings(table);
    setUserDefinedRow(table, count, 1728);
    struct Case {
        int32_t selected, low, high;
    };
    const Case cases[] = {{1344, 1344, 3504}, {3504, 1344, 3504}, {1728, 1344, 3504}};
    for (const Case& c : cases) {
        const int32_t rate =
            BoxSimulatorPanel::rateFittingNoBearing(table, count, c.selected, c.low, c.high);
        EXPECT_NE(rate, c.selected) << c.selected;
        EXPECT_GE(rate, c.low) << c.selected;
        EXPECT_LE(rate, c.high) << c.selected;
        EXPECT_LT(findBearingByPulses(table, count, rate), 0) << c.selected << " -> " << rate;
    }
    // No room for another count: the selection stays.
    EXPECT_EQ(BoxSimulatorPanel::rateFittingNoBearing(table, count, 1344, 1344, 1344), 1344);
}
