// The demo's box panel: its figures reach the simulated box in the box's units.

#include "app/BoxSimulatorPanel.h"

#include <QDoubleSpinBox>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

TEST(BoxSimulatorPanel, NoiseAndEccentricityReachTheBoxInItsUnits) {
    boxsim::BoxSimulator box;
    box.setInterference(60, 75);
    BoxSimulatorPanel panel(box);
    auto* noiseA = panel.findChild<QDoubleSpinBox*>(QStringLiteral("noiseA"));
    auto* noiseB = panel.findChild<QDoubleSpinBox*>(QStringLiteral("noiseB"));
    auto* eccentricity = panel.findChild<QSpinBox*>(QStringLiteral("eccentricity"));
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

} // namespace
