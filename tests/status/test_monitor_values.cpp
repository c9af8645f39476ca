// The extended display's figures: formats, limits, panels and refresh events.

#include "device/DeviceReadings.h"
#include "status/MonitorValues.h"

#include <gtest/gtest.h>

namespace {

TEST(MonitorValues, FormatsAndLimits) {
    const struct {
        double value;
        ValueKind kind;
        const char* text;
        bool over;
    } cases[] = {
        {100.0, ValueKind::Percent, "100.0%", false},
        {-100.04, ValueKind::Percent, "-100.0%", true},
        {106.66, ValueKind::Percent, "106.7%", true},
        {504.9, ValueKind::Signal, "504.9", false},
        {-505.0, ValueKind::Signal, "-505.0", true},
        {505.0, ValueKind::Signal, "505.0", true},
        {1234.5, ValueKind::Tenth, "1234.5", false},
        {1.0, ValueKind::Factor, "1.0000", false},
        {-12.0, ValueKind::Integer, "-12", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatMonitorValue(c.value, c.kind), (MonitorValue{c.text, c.over})) << c.value;
    }
    for (ValueKind kind : {ValueKind::Percent, ValueKind::Signal, ValueKind::Tenth,
                           ValueKind::Factor, ValueKind::Integer})
        EXPECT_EQ(formatMonitorValue(0.0, kind).text, " 0 ");
}

const MonitorBox& channelBox(const std::vector<MonitorBox>& boxes, int channel) {
    // Panel order: WH A, WH B, YE A, YE B, R.
    return boxes.at(static_cast<std::size_t>(channel));
}

TEST(MonitorValues, ChannelPanelByMode) {
    DeviceReadings r;
    r.dacOffsets[0] = 150.0;
    r.dacOffsets[1] = 160.0;
    r.dacOffsets[4] = 100.0;
    r.channelValues[2] = -505.0;
    r.channelFactors[3] = 1.0;

    const auto offsets = monitorBoxes(MonitorPanel::Channels, r, kModeOffsets);
    ASSERT_EQ(offsets.size(), 5u);
    EXPECT_EQ(channelBox(offsets, 0).value, (MonitorValue{"100.0%", false}));
    EXPECT_EQ(channelBox(offsets, 1).value, (MonitorValue{"106.7%", true}));
    EXPECT_EQ(channelBox(offsets, 2).value.text, " 0 ");
    EXPECT_EQ(channelBox(offsets, 4).value.text, "40.0%");
    EXPECT_EQ(channelBox(offsets, 0).background, BoxBackground::White);
    EXPECT_EQ(channelBox(offsets, 4).background, BoxBackground::LightYellow);
    EXPECT_EQ(channelBox(offsets, 4).label, "R");

    const auto values = monitorBoxes(MonitorPanel::Channels, r, kModeChannelValues);
    EXPECT_EQ(channelBox(values, 2).value, (MonitorValue{"-505.0", true}));
    const auto factors = monitorBoxes(MonitorPanel::Channels, r, kModeFactors);
    EXPECT_EQ(channelBox(factors, 3).value.text, "1.0000");
}

TEST(MonitorValues, ReferencePanel) {
    DeviceReadings r;
    r.refDistance = 12345;
    r.refValues[0] = 2500.0; // half a period
    r.refValues[4] = 100.0;
    r.refValues[5] = -100.0;
    r.zeroValueB = -3;
    const auto ref = monitorBoxes(MonitorPanel::RefSignal, r, kModeOffsets);
    ASSERT_EQ(ref.size(), 8u);
    EXPECT_EQ(ref[0].label, "+");
    EXPECT_EQ(ref[0].value.text, "100.0");
    EXPECT_EQ(ref[1].value.text, "-100.0");
    EXPECT_EQ(ref[6].label, "D");
    EXPECT_EQ(ref[6].value.text, "2");
    EXPECT_EQ(ref[7].value.text, "180.0");
    const auto zero = monitorBoxes(MonitorPanel::DacOffset, r, kModeOffsets);
    ASSERT_EQ(zero.size(), 2u);
    EXPECT_EQ(zero[1].value.text, "-3");
    // Every box lies inside the window's 638 x 168 units.
    for (auto panel : {MonitorPanel::RefSignal, MonitorPanel::DacOffset, MonitorPanel::Channels})
        for (const MonitorBox& b : monitorBoxes(panel, r, kModeOffsets)) {
            const double right = b.x + (b.label.empty() ? 0 : kLabelWidth) + kBoxWidth;
            EXPECT_LE(right, kUnitsWide);
            EXPECT_LE(b.y + kBoxHeight, kUnitsHigh);
        }
}

TEST(MonitorValues, PanelsRedrawnByEvent) {
    using P = std::vector<MonitorPanel>;
    EXPECT_EQ(panelsForEvent(2, kModeOffsets), P{MonitorPanel::Channels});
    EXPECT_EQ(panelsForEvent(2, kModeFactors), P{});
    EXPECT_EQ(panelsForEvent(3, kModeChannelValues), P{MonitorPanel::Channels});
    EXPECT_EQ(panelsForEvent(4, kModeFactors), P{MonitorPanel::Channels});
    EXPECT_EQ(panelsForEvent(16, kModeFactors), P{MonitorPanel::DacOffset});
    for (int event : {12, 19, 20})
        EXPECT_EQ(panelsForEvent(event, kModeOffsets), P{MonitorPanel::RefSignal});
    EXPECT_EQ(panelsForEvent(22, kModeOffsets).size(), 3u);
    EXPECT_EQ(panelsForEvent(5, kModeOffsets), P{});
}

} // namespace
