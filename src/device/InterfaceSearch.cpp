#include "device/InterfaceSearch.h"

#include "config/ConfigData.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/LinkControl.h"
#include "device/PortMap.h"

InterfaceSearch::InterfaceSearch(LinkControl& link, ConfigData& config, InterfaceSearchHooks hooks)
    : link_(link), config_(config), hooks_(std::move(hooks)) {}

void InterfaceSearch::advancePort() {
    if (++portNumber_ > portCount_) {
        portNumber_ = 1;
        ++passes_;
    }
}

void InterfaceSearch::searchTick() {
    if (searchActive_) {
        if (portFound_) {
            // Hand the port to the reader thread. The name is written before
            // the request is raised; the thread reads it only after it has
            // seen the request, and the next hand-over is 11 ticks away.
            config_.portName = comPortName(portNumber_);
            link_.reopenRequest = true;
            if (hooks_.discardStatusList)
                hooks_.discardStatusList();
            advancePort();
            portFound_ = false;
            pauseActive_ = true;
            pauseTicks_ = 0;
        } else if (!pauseActive_) {
            if (hooks_.showStatusLine)
                hooks_.showStatusLine(
                    std::string(text(TextTable::StatusMessages, statusrow::kSearchingForCom)) +
                    std::to_string(portNumber_));
            if (!link_.stopRequest) {
                if (hooks_.probePort && hooks_.probePort(portNumber_)) {
                    portFound_ = true;
                } else {
                    advancePort();
                    if (passes_ > kPassesBeforeNotice) {
                        passes_ = 0;
                        if (hooks_.showInterfaceNotFound)
                            hooks_.showInterfaceNotFound();
                    }
                }
            }
        }
    }
    if (pauseActive_ && ++pauseTicks_ > kPauseTicks)
        pauseActive_ = false;
}
