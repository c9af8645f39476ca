#include "status/StatusList.h"

#include "config/ConfigData.h"
#include "config/ShaftGeometry.h"

StatusList statusList;

bool StatusList::append(const StatusListEntry& entry) {
    if (busy_)
        return false;
    if (count_ > 0 && at(count_ - 1).flags == entry.flags)
        return false;
    if (count_ < kCapacity) {
        ring_[static_cast<std::size_t>((first_ + count_) % kCapacity)] = entry;
        ++count_;
    } else {
        ring_[static_cast<std::size_t>(first_)] = entry;
        first_ = (first_ + 1) % kCapacity;
    }
    if (listener_)
        listener_();
    if (entryListener_)
        entryListener_(entry, count_);
    return true;
}

void StatusList::clear() {
    first_ = 0;
    count_ = 0;
}

const StatusListEntry& StatusList::at(int index) const {
    return ring_[static_cast<std::size_t>((first_ + index) % kCapacity)];
}

std::vector<StatusListEntry> StatusList::entries() const {
    std::vector<StatusListEntry> out;
    out.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i)
        out.push_back(at(i));
    return out;
}

double statusPositionDegrees(int32_t positionCounts, int32_t pulseRate) {
    if (pulseRate <= 0)
        return 0.0;
    return positionCounts * 360.0 /
           (static_cast<double>(pulseRate) * static_cast<double>(shaft::kCountsPerPeriod));
}

StatusListEntry makeStatusEntry(int32_t positionCounts, int32_t flags, int32_t pulseRate,
                                const QDateTime& now) {
    StatusListEntry entry;
    entry.time = now.addMSecs(-now.time().msec());
    entry.position = statusPositionDegrees(positionCounts, pulseRate);
    entry.flags = flags;
    return entry;
}

void appendStatusEntry(int32_t positionCounts, int32_t flags) {
    statusList.append(
        makeStatusEntry(positionCounts, flags, configData.pulseRate, QDateTime::currentDateTime()));
}

void StatusListLog::appendStatusEntry(int32_t displayPosition, int32_t errorFlags) {
    list_.append(makeStatusEntry(displayPosition, errorFlags, config_.pulseRate,
                                 QDateTime::currentDateTime()));
}
