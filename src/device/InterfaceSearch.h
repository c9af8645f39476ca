#pragma once
// The automatic search for the box's serial port, one step per tick of the
// main window's 200 ms timer.
//
// While the search is active it probes COM1..COM65 in turn, one port per tick.
// The first port that exists is handed to the reader thread on the next tick
// (portName and reopenRequest), and the search pauses for 11 ticks while the
// thread opens the port and the box identifies itself. When positions arrive
// the main window clears the search flag. After three passes without success
// it asks the main window to tell the user that the interface was not found.
// A port that went away while in use is handed over again as soon as it is
// back, before the search goes on with the others.
//
// A port chosen by the user (the context menu, or the command line) replaces
// the search for the rest of the run, until the user goes back to the
// automatic search: only that port is probed, it is handed over on the very
// tick it exists, and there are no passes and no not-found notice.
//
// Runs on the user-interface thread only.

#include <functional>
#include <string>

struct LinkControl;
struct ConfigData;

struct InterfaceSearchHooks {
    // Does COMn exist (free or busy)? Usually probePort of PortProbe.h.
    std::function<bool(int n)> probePort;
    // Does the chosen port exist? It is named as portName holds it: "\\.\COMn"
    // or a device path.
    std::function<bool(const std::string& name)> probeChosenPort;
    // Discard all entries of the status list.
    std::function<void()> discardStatusList;
    // Show a text in the main window's status line.
    std::function<void(const std::string&)> showStatusLine;
    // Open the interface-not-found message (it ignores the call while open).
    std::function<void()> showInterfaceNotFound;
    // The user's choice changed: the chosen port's name, empty for the
    // automatic search.
    std::function<void(const std::string& chosen)> choiceChanged;
};

class InterfaceSearch {
public:
    static constexpr int kPortCount = 65;
    static constexpr int kPauseTicks = 10;        // the pause ends when this many are exceeded
    static constexpr int kPassesBeforeNotice = 2; // the notice comes when this is exceeded

    InterfaceSearch(LinkControl& link, ConfigData& config, InterfaceSearchHooks hooks);

    void searchTick();

    // Set by every no-data notice; cleared when a position is shown. A box
    // that answers ends the count of passes: only passes in a row without
    // one bring the not-found notice.
    void setActive(bool active) {
        searchActive_ = active;
        if (!active)
            passes_ = 0;
    }
    bool active() const { return searchActive_; }

    // Search COM1..COMn only (a port given on the command line: n = 1).
    void setPortCount(int n) { portCount_ = n < 1 ? 1 : (n > kPortCount ? kPortCount : n); }

    // Uses the port `name` alone ("\\.\COMn" or a device path) and hands
    // it to the reader thread at once (on the next tick when the thread has
    // not yet taken up the last hand-over); the search is active until
    // positions come from it.
    void choosePort(const std::string& name);
    // Back to the automatic search, from the port after the chosen one.
    void chooseAutomaticSearch();
    // The chosen port's name; empty while the search is automatic.
    const std::string& chosenPort() const { return chosen_; }
    // The hook that hears the user's choices (set by whoever logs them).
    void setChoiceListener(std::function<void(const std::string& chosen)> listener) {
        hooks_.choiceChanged = std::move(listener);
    }

    int searchPortNumber() const { return portNumber_; }
    // The port to name while the box is looked for: the chosen port's number,
    // else the search's next port.
    int shownPortNumber() const;
    bool portFound() const { return portFound_; }
    bool pauseActive() const { return pauseActive_; }
    int passes() const { return passes_; }

private:
    // The port the reader thread lost (LinkControl::portLost) exists again.
    bool lostPortBack() const;
    void advancePort();
    void handOver(const std::string& name);
    void handOverChosen();
    void searchTickForChosenPort();

    LinkControl& link_;
    ConfigData& config_;
    InterfaceSearchHooks hooks_;
    bool searchActive_ = false;
    int portNumber_ = 1;
    bool portFound_ = false;
    bool pauseActive_ = false;
    int pauseTicks_ = 0;
    int passes_ = 0;
    int portCount_ = kPortCount;
    std::string chosen_;
    bool handOverPending_ = false; // chosen while the thread had not taken the last name
};
