#pragma once
// What the main window does with each device event of the reader thread.
// The decisions (which part of the window gets the event, the reference
// indicator) live here; MainWindowEvents implements DeviceEventTarget to carry
// them out with the window. The extended display is a receiver of its own. A running recording
// keeps most events from the window by the core's one rule (mutedWhileRecording); the samples go to
// the data recorder, a receiver of its own (acquisition/RecordedEvent.h).

#include "app/ReferenceIndicator.h"
#include "device/Head.h"

#include <cstdint>
#include <string>

struct DeviceReadings;
struct LinkControl;

class DeviceEventTarget {
public:
    virtual ~DeviceEventTarget() = default;

    // Code 0: convert and show position, marker and speed.
    virtual void showPosition() = 0;
    // The shown position in degrees (updated by showPosition).
    virtual double displayAngle() const = 0;

    // Sets the once-flag offsetSeenWH ('W') or offsetSeenYE ('Y'); returns
    // true when it was clear before.
    virtual bool markOffsetSeen(Head head) = 0;

    // Amplitude bars: drawAmplitude with 'R', 'P', 'W', 'Y' and 87 (WH) or
    // 89 (YE) or the amplitude.
    virtual bool amplitudeBusy() const = 0;
    virtual void drawAmplitude(char command, double value) = 0;

    virtual bool statusDisplayBusy() const = 0;
    virtual void updateStatusDisplay(bool statusValid) = 0;

    // Noise display: the button 1034 state, the display with two values,
    // and the stop form (display cleared, 1033 hidden, 1036 emptied).
    virtual bool noiseButtonPressed() const = 0;
    virtual void showNoise(double a, double b) = 0;
    virtual void stopNoiseDisplay() = 0;

    virtual void setVersionLine(const std::string& text) = 0;
    virtual void setSerialLine(const std::string& text) = 0;

    // Code 17: the box's answer to a reset (error) or erase request.
    virtual void showBoxResetResult(bool resetError) = 0;
    // Code 18: select the bearing of the reported pulse rate, refresh the title.
    virtual void selectBearingByPulseRate() = 0;

    virtual void setReferenceImage(ReferenceIndicator::Image image) = 0;
};

class DeviceEventDispatcher {
public:
    // `readings` is read while the reader thread waits for the event.
    DeviceEventDispatcher(const DeviceReadings& readings, const LinkControl& link,
                          ReferenceIndicator& indicator, DeviceEventTarget& target);

    void dispatch(int code, int param);

    // "%s Version %s [%s]" with box type, version text and box info.
    static std::string versionLine(const DeviceReadings& readings);
    // "SN %s %s" with serialTextB and serialTextA.
    static std::string serialLine(const DeviceReadings& readings);

private:
    void offsetsChanged(int param, bool recording);

    const DeviceReadings& readings_;
    const LinkControl& link_;
    ReferenceIndicator& indicator_;
    DeviceEventTarget& target_;
};
