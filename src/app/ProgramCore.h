#pragma once
// The program's acquisition core. The application makes it before any window
// and hands it to the diagnosis window, the program's flow, the recorder, the
// event log and the wizard; no window owns or offers it.
//
// What the interface search tells the user (the status line, the
// interface-not-found notice) goes to the window that shows it, which comes
// after the core and goes before it: `showSearchIn` names it, `{}` nobody.
//
// User-interface thread only.

#include "acquisition/AcquisitionCore.h"

#include <cstdint>
#include <functional>
#include <string>

struct SearchMessages {
    std::function<void(const std::string&)> statusLine;
    std::function<void()> interfaceNotFound;
};

class ProgramCore {
public:
    // `clockMs` times the box requests, the reference indicator and the
    // status details (empty: the steady clock); tests pass their own.
    explicit ProgramCore(LinkRecords records, std::function<int64_t()> clockMs = {});

    ProgramCore(const ProgramCore&) = delete;
    ProgramCore& operator=(const ProgramCore&) = delete;

    AcquisitionCore& core() { return core_; }
    const AcquisitionCore& core() const { return core_; }
    int64_t now() const { return clock_(); }

    void showSearchIn(SearchMessages messages) { messages_ = std::move(messages); }

private:
    InterfaceSearchHooks searchHooks();

    std::function<int64_t()> clock_;
    SearchMessages messages_;
    // Last: its reader thread ends (in its destructor at the latest) before
    // the messages and the clock it may still use go.
    AcquisitionCore core_;
};
