#pragma once
// The status list: every change of the box's flag word with its time and the
// shaft position, oldest first, at most 256 entries (a noisy box cannot grow
// it without limit). The list is process-wide and outlives its window.
//
// User-interface thread only: the status update adds entries, the status list
// window reads, saves and deletes them.

#include "display/StatusDisplay.h"

#include <QDateTime>

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

struct ConfigData;

struct StatusListEntry {
    QDateTime time;        // local time, whole seconds
    double position = 0.0; // degrees
    int32_t flags = 0;     // errorFlags, 16 bits used
    bool operator==(const StatusListEntry&) const = default;
};

class StatusList {
public:
    static constexpr int kCapacity = 256;

    // Appends the entry unless its flags equal the newest entry's (only
    // changes are recorded) or the list is busy. A full list drops its oldest
    // entry. Returns true when the entry was added.
    bool append(const StatusListEntry& entry);

    // Removes every entry.
    void clear();

    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // Entry `index`, 0 the oldest; index must be below count().
    const StatusListEntry& at(int index) const;
    // A copy of all entries, oldest first.
    std::vector<StatusListEntry> entries() const;

    // Set while the list is being deleted or saved: no entry is added then.
    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }

    // Fix Display: new entries are still recorded, but an open window keeps
    // showing what it showed.
    bool frozen() const { return frozen_; }
    void setFrozen(bool frozen) { frozen_ = frozen; }

    // Called after every entry added (the open window refills, unless
    // frozen). Clearing the list calls nothing: after the no-data notice an
    // open window keeps its lines until it next refills. Set an empty function
    // to stop listening.
    void setAppendListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // Hears each entry added, with its number in the list (1 the oldest);
    // beside the window's listener, for the event log.
    void setEntryListener(std::function<void(const StatusListEntry&, int number)> listener) {
        entryListener_ = std::move(listener);
    }

private:
    std::array<StatusListEntry, kCapacity> ring_{};
    int first_ = 0;
    int count_ = 0;
    bool busy_ = false;
    bool frozen_ = false;
    std::function<void()> listener_;
    std::function<void(const StatusListEntry&, int)> entryListener_;
};

extern StatusList statusList;

// Degrees of a position in counts for a bearing of `pulseRate` lines.
double statusPositionDegrees(int32_t positionCounts, int32_t pulseRate);

// The entry for a status line: now (whole seconds), the position in degrees.
StatusListEntry makeStatusEntry(int32_t positionCounts, int32_t flags, int32_t pulseRate,
                                const QDateTime& now);

// Records the flag word of a status line in the process-wide list, with the
// current time and the position `positionCounts` (displayPosition) in degrees.
void appendStatusEntry(int32_t positionCounts, int32_t flags);

// The status update's way into a status list (StatusDisplay's hook).
class StatusListLog : public StatusListHook {
public:
    StatusListLog(StatusList& list, const ConfigData& config) : list_(list), config_(config) {}
    bool statusListBusy() const override { return list_.busy(); }
    void appendStatusEntry(int32_t displayPosition, int32_t errorFlags) override;

private:
    StatusList& list_;
    const ConfigData& config_;
};
