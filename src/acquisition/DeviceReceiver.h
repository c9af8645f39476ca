#pragma once
// A receiver of the acquisition core: every window or feature that reacts to
// the box. The diagnosis window is one; the teach-in wizard and the data
// recorder are others beside it, and the box requests are the first of all.
// AcquisitionCore calls them on the user-interface thread, in the order they
// subscribed.
//
// While a recording runs (LinkControl::recordingActive), display receivers
// do not get the events a recording mutes (mutedWhileRecording): the box's
// line is then left to the recorder.

struct DeviceReadings;

class DeviceReceiver {
public:
    virtual ~DeviceReceiver() = default;

    // A device event (codes in device/DeviceEvents.h). The reader thread waits
    // until every receiver has returned, so `readings` is read directly here,
    // and nothing here may wait for the reader thread.
    virtual void deviceEvent(int code, int param, const DeviceReadings& readings) = 0;

    // The posted notices: about once a second while no line arrives; the box
    // announced a restart; the reader thread has ended (it may be joined now).
    virtual void noSerialData() {}
    virtual void boxRestart() {}
    virtual void linkEnded() {}

    // The readings have just been reset (AcquisitionCore::resetReadings):
    // whatever a receiver tracks from them starts over.
    virtual void readingsReset() {}
    // The command scheduler sends an erase (the reader thread waits).
    virtual void deletingText() {}
    // The 200 ms tick, after the interface search's step.
    virtual void tick() {}

    // A display receiver is muted by a running recording.
    virtual bool displayReceiver() const { return false; }
};

// The events a recording keeps from display receivers: the values the
// recorder takes and the slow displays that would hold up its samples.
// Positions, the box's identity and its answers still reach them.
bool mutedWhileRecording(int code);
