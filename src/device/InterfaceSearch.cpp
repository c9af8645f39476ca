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

void InterfaceSearch::handOver(const std::string& name) {
    // The name is written before the request is raised; the thread reads it
    // only after it has seen the request, and the next hand-over is 11 ticks
    // away.
    config_.portName = name;
    if (comPortNumber(name) > 0)
        config_.savedPortName = name;
    link_.reopenRequest = true;
    if (hooks_.discardStatusList)
        hooks_.discardStatusList();
    portFound_ = false;
    pauseActive_ = true;
    pauseTicks_ = 0;
}

void InterfaceSearch::choosePort(const std::string& name) {
    if (name.empty()) {
        chooseAutomaticSearch();
        return;
    }
    chosen_ = name;
    passes_ = 0;
    // Until positions come from it: a port that cannot be opened now is
    // handed over again once it is there.
    searchActive_ = true;
    handOverChosen();
    if (hooks_.choiceChanged)
        hooks_.choiceChanged(chosen_);
}

void InterfaceSearch::chooseAutomaticSearch() {
    if (chosen_.empty())
        return;
    // The search goes on after the chosen port, as after any port in use.
    if (const int n = comPortNumber(chosen_); n >= 1 && n <= portCount_)
        portNumber_ = n == portCount_ ? 1 : n + 1;
    chosen_.clear();
    handOverPending_ = false;
    portFound_ = false;
    passes_ = 0;
    if (hooks_.choiceChanged)
        hooks_.choiceChanged(chosen_);
}

int InterfaceSearch::shownPortNumber() const {
    const int chosen = comPortNumber(chosen_);
    return chosen > 0 ? chosen : portNumber_;
}

void InterfaceSearch::searchTickForChosenPort() {
    if (!pauseActive_ && hooks_.showStatusLine) {
        // "Searching for COM" followed by the number, or by the device when
        // the port has no number.
        std::string line = text(TextTable::StatusMessages, statusrow::kSearchingForCom);
        if (const int n = comPortNumber(chosen_); n > 0) {
            line += std::to_string(n);
        } else {
            if (line.size() >= 3 && line.compare(line.size() - 3, 3, "COM") == 0)
                line.erase(line.size() - 3);
            line += chosen_;
        }
        hooks_.showStatusLine(line);
    }
    if (link_.stopRequest || !hooks_.probeChosenPort)
        return;
    // Looked at in the pause too: once the port has gone (its cable is out)
    // the open it was handed over for is lost, and there is no other port to
    // try, so it is handed over on the very tick it is back.
    if (!hooks_.probeChosenPort(chosen_)) {
        pauseActive_ = false;
        return;
    }
    if (!pauseActive_)
        handOverChosen();
}

void InterfaceSearch::handOverChosen() {
    // The reader thread copies portName when it takes up reopenRequest. A
    // choice comes at any time, not 11 ticks after the last hand-over: the
    // name is written only once the thread has taken the last one.
    handOverPending_ = link_.reopenRequest;
    if (!handOverPending_)
        handOver(chosen_);
}

bool InterfaceSearch::lostPortBack() const {
    if (!link_.portLost || pauseActive_ || link_.reopenRequest || link_.stopRequest)
        return false;
    if (hooks_.probeChosenPort)
        return hooks_.probeChosenPort(config_.portName);
    const int n = comPortNumber(config_.portName);
    return n > 0 && hooks_.probePort && hooks_.probePort(n);
}

void InterfaceSearch::searchTick() {
    if (handOverPending_) {
        // Whether the search is active or not: the user chose another port.
        handOverChosen();
    } else if (searchActive_ && !chosen_.empty()) {
        searchTickForChosenPort();
    } else if (searchActive_ && lostPortBack()) {
        // The port in use went away and is there again (a cable plugged back
        // in): it goes first, not after a pass over every other port.
        handOver(config_.portName);
    } else if (searchActive_) {
        if (portFound_) {
            // Eleven ticks after the last hand-over the thread has long taken
            // it; right after a chosen port it may not have, and a name
            // written under it would be lost with the request.
            if (!link_.reopenRequest) {
                handOver(comPortName(portNumber_));
                advancePort();
            }
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
