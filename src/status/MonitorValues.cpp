#include "status/MonitorValues.h"

#include "config/ShaftGeometry.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "display/TextFormat.h"

#include <cmath>

MonitorValue formatMonitorValue(double value, ValueKind kind) {
    if (value == 0.0)
        return {" 0 ", false};
    const double magnitude = std::fabs(value);
    switch (kind) {
    case ValueKind::Percent:
        return {formatText("%.1lf%%", value), magnitude > 100.0};
    case ValueKind::Signal:
        return {formatText("%.1lf", value), magnitude >= 505.0};
    case ValueKind::Tenth:
        return {formatText("%.1lf", value), false};
    case ValueKind::Factor:
        return {formatText("%.4lf", value), false};
    case ValueKind::Integer:
        return {formatText("%.0lf", value), false};
    }
    return {};
}

namespace {

MonitorBox box(double x, double y, const char* label, double value, ValueKind kind,
               BoxBackground background) {
    return {x, y, label, formatMonitorValue(value, kind), background};
}

// The channel's figure in the mode, and its kind.
double channelFigure(const DeviceReadings& r, int channel, int mode, ValueKind& kind) {
    switch (mode) {
    case kModeChannelValues:
        kind = ValueKind::Signal;
        return r.channelValues[channel];
    case kModeFactors:
        kind = ValueKind::Factor;
        return r.channelFactors[channel];
    default:
        // DAC offsets in percent of their range.
        kind = ValueKind::Percent;
        return channel < 4 ? r.dacOffsets[channel] * 2.0 / 3.0 : r.dacOffsets[channel] * 0.4;
    }
}

} // namespace

std::vector<MonitorBox> monitorBoxes(MonitorPanel panel, const DeviceReadings& r, int mode) {
    using enum BoxBackground;
    std::vector<MonitorBox> boxes;
    switch (panel) {
    case MonitorPanel::RefSignal:
        boxes.push_back(box(30, 20, "+", r.refValues[4], ValueKind::Tenth, White));
        boxes.push_back(box(30, 40, "-", r.refValues[5], ValueKind::Tenth, White));
        boxes.push_back(box(30, 60, "A", r.refValues[6], ValueKind::Tenth, White));
        boxes.push_back(box(180, 20, "", r.refValues[1], ValueKind::Tenth, White));
        boxes.push_back(box(180, 40, "", r.refValues[2], ValueKind::Tenth, White));
        boxes.push_back(box(180, 60, "", r.refValues[3], ValueKind::Tenth, White));
        // Whole signal periods between the reference marks.
        boxes.push_back(box(30, 80, "D",
                            static_cast<int32_t>(r.refDistance / shaft::kCountsPerPeriod),
                            ValueKind::Integer, White));
        // The reference phase in degrees of a period.
        boxes.push_back(box(180, 80, "", r.refValues[0] * 0.072, ValueKind::Tenth, White));
        break;
    case MonitorPanel::DacOffset:
        boxes.push_back(box(30, 130, "A", r.zeroValueA, ValueKind::Integer, White));
        boxes.push_back(box(160, 130, "B", r.zeroValueB, ValueKind::Integer, White));
        break;
    case MonitorPanel::Channels: {
        struct Slot {
            double x, y;
            const char* label;
            int channel;
            BoxBackground background;
        };
        static constexpr Slot kSlots[] = {
            {470, 60, "A", 0, White},       {470, 90, "B", 1, White},
            {320, 30, "A", 2, LightYellow}, {320, 60, "B", 3, LightYellow},
            {320, 90, "R", 4, LightYellow},
        };
        for (const Slot& s : kSlots) {
            ValueKind kind = ValueKind::Percent;
            const double figure = channelFigure(r, s.channel, mode, kind);
            boxes.push_back(box(s.x, s.y, s.label, figure, kind, s.background));
        }
        break;
    }
    }
    return boxes;
}

std::vector<MonitorPanel> panelsForEvent(int event, int mode) {
    switch (event) {
    case kDacOffsetsEvent:
        return mode == kModeOffsets ? std::vector{MonitorPanel::Channels}
                                    : std::vector<MonitorPanel>{};
    case kChannelValuesEvent:
        return mode == kModeChannelValues ? std::vector{MonitorPanel::Channels}
                                          : std::vector<MonitorPanel>{};
    case kChannelFactorsEvent:
        return mode == kModeFactors ? std::vector{MonitorPanel::Channels}
                                    : std::vector<MonitorPanel>{};
    case kZeroValueBEvent:
        return {MonitorPanel::DacOffset};
    case kReferencePhaseEvent:
    case kReferenceAnalysisEvent:
    case kReferenceMarkEvent:
        return {MonitorPanel::RefSignal};
    case 22: // after a box reset
        return {MonitorPanel::Channels, MonitorPanel::DacOffset, MonitorPanel::RefSignal};
    default:
        return {};
    }
}
