#pragma once
// The receivers of AcquisitionCore in subscription order. A receiver may subscribe
// or unsubscribe from inside a notice (a window that closes on an event): one
// that leaves is not called again, even later in the same notice; one that
// joins is called from the next notice on.

#include <functional>
#include <vector>

class DeviceReceiver;

class ReceiverList {
public:
    // Adding a receiver twice keeps its first place.
    void subscribe(DeviceReceiver* receiver);
    void unsubscribe(DeviceReceiver* receiver);
    bool contains(const DeviceReceiver* receiver) const;
    int size() const;

    void forEach(const std::function<void(DeviceReceiver&)>& call);

private:
    void compact();

    std::vector<DeviceReceiver*> receivers_; // a null entry left during a notice
    int depth_ = 0;                          // notices being delivered (nested ones too)
};
