#include "app/ProgramCore.h"

#include "status/StatusList.h"

#include <chrono>

namespace {

int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

ProgramCore::ProgramCore(LinkRecords records, std::function<int64_t()> clockMs)
    : clock_(clockMs ? std::move(clockMs) : steadyMs),
      core_(records, searchHooks(), [this] { return clock_(); }) {}

InterfaceSearchHooks ProgramCore::searchHooks() {
    // The core probes its own port map.
    InterfaceSearchHooks hooks;
    hooks.discardStatusList = [] { statusList.clear(); };
    hooks.showStatusLine = [this](const std::string& line) {
        if (messages_.statusLine)
            messages_.statusLine(line);
    };
    hooks.showInterfaceNotFound = [this] {
        if (messages_.interfaceNotFound)
            messages_.interfaceNotFound();
    };
    return hooks;
}
