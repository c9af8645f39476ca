// The demo's box panel: its figures reach the simulated box in the box's
// units, it shows how far the teach-in has come, and it speaks the program's
// language.

#include "boxsim/widgets/BoxSimulatorPanel.h"
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
