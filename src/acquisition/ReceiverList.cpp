#include "acquisition/ReceiverList.h"

#include <algorithm>

void ReceiverList::subscribe(DeviceReceiver* receiver) {
    if (receiver == nullptr || contains(receiver))
        return;
    receivers_.push_back(receiver);
}

void ReceiverList::unsubscribe(DeviceReceiver* receiver) {
    const auto found = std::find(receivers_.begin(), receivers_.end(), receiver);
    if (found == receivers_.end())
        return;
    // During a notice the places of the others must stay where they are.
    *found = nullptr;
    if (depth_ == 0)
        compact();
}

bool ReceiverList::contains(const DeviceReceiver* receiver) const {
    return receiver != nullptr &&
           std::find(receivers_.begin(), receivers_.end(), receiver) != receivers_.end();
}

int ReceiverList::size() const {
    return static_cast<int>(std::count_if(receivers_.begin(), receivers_.end(),
                                          [](const DeviceReceiver* r) { return r != nullptr; }));
}

void ReceiverList::forEach(const std::function<void(DeviceReceiver&)>& call) {
    ++depth_;
    // Receivers that join during this notice sit behind `count`.
    const std::size_t count = receivers_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (DeviceReceiver* receiver = receivers_[i])
            call(*receiver);
    }
    if (--depth_ == 0)
        compact();
}

void ReceiverList::compact() {
    receivers_.erase(std::remove(receivers_.begin(), receivers_.end(), nullptr), receivers_.end());
}
