#pragma once
// Feeds the signal view on each position event while it shows: a display
// receiver of the core beside the diagnosis window.

#include "acquisition/DeviceReceiver.h"
#include "signalview/widgets/CSignalViewDlg.h"

#include <QPointer>

#include <cstdint>
#include <functional>

struct SignalViewFeed : DeviceReceiver {
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    bool displayReceiver() const override { return true; }
    QPointer<CSignalViewDlg> view;
    std::function<int64_t()> clock;
};
