#pragma once
// The acquisition core of an end-to-end test with `device` as its only port,
// COM1, opened at once as a hand-over of the search would, and ended in order.

#include "acquisition/AcquisitionCore.h"
#include "device/PortMap.h"
#include "support/Waiting.h"

#include <QByteArray>

#include <memory>
#include <string>

inline std::unique_ptr<AcquisitionCore> coreOnComOne(LinkRecords records,
                                                     const std::string& device) {
    // The core's port map is read from ORVATIX_PORTS when it is made.
    qputenv("ORVATIX_PORTS", QByteArray::fromStdString(device));
    auto core = std::make_unique<AcquisitionCore>(records, InterfaceSearchHooks{});
    qunsetenv("ORVATIX_PORTS");
    return core;
}

inline void openComOne(AcquisitionCore& core) {
    core.records().config.portName = comPortName(1);
    core.records().link.reopenRequest = true;
    core.startLinkThread();
}

inline void endLink(AcquisitionCore& core) {
    core.stopLink();
    waitWithEvents([&core] { return core.linkEnded(); });
    core.joinLinkThread();
}
