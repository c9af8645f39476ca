#pragma once
// The two seams of the device link: what it tells the main window, and how the
// command scheduler reaches the line. The reader thread implements
// CommandChannel on the real port; tests implement both to record bytes,
// waits and notifications.

#include <string_view>

// Receiver of everything the link reports. All calls come from the reader
// thread. deviceEvent, showDeletingText and resetReadings are synchronous (the
// caller waits until they are handled); linkEnded, noSerialData and boxRestart
// are notices that the receiver queues.
class LinkNotifier {
public:
    virtual ~LinkNotifier() = default;
    virtual void deviceEvent(int code, int param) = 0;
    virtual void linkEnded() = 0;
    virtual void noSerialData() = 0;
    virtual void boxRestart() = 0;
    // Writes "Deleting... " of the current language into the position field.
    virtual void showDeletingText() = 0;
    // The main window's resetReadings, after every attempt to open the port.
    virtual void resetReadings() = 0;
};

class CommandChannel {
public:
    virtual ~CommandChannel() = default;
    // Writes the bytes as they are. With the port closed it writes nothing and
    // waits 100 ms instead; with no port at all it writes nothing.
    virtual void sendCommand(std::string_view bytes) = 0;
    // Interruptible wait. Returns false when a stop was requested during it;
    // the caller then returns at once so that the thread can end.
    virtual bool linkWait(double seconds) = 0;
};
