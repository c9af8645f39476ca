#pragma once
// What the diagnosis window does with the notices of the reader thread: the
// core's receiver for the window. It decides which part of the window each
// device event reaches (with the position and status displays and the
// reference indicator) and has the window draw; the window itself only draws
// and forwards clicks. The extended display and the signal view are receivers
// of their own; a running recording keeps most events from all of them by the
// core's one rule (mutedWhileRecording), and the data recorder, a receiver
// that is no display, takes its samples meanwhile.
//
// Also here: the no-data handling, the box reset handling that follows every
// reset of the readings and every box restart, the bearing chosen by the
// box's pulse rate, and the port problems told in the serial-number line.
//
// Threads: user-interface thread only. Device events arrive while the reader
// thread waits, so their handlers read the readings directly; everything else
// takes readingsMutex.

#include "acquisition/DeviceReceiver.h"
#include "app/ProgramHooks.h"
#include "app/ReferenceIndicator.h"
#include "display/PositionDisplay.h"
#include "display/StatusDisplay.h"
#include "status/StatusList.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

class AcquisitionCore;
class CORVATIXDlg;
struct ConfigData;
struct DeviceReadings;
struct LinkControl;
struct PortProblemText;

class MainWindowEvents : public DeviceReceiver {
public:
    MainWindowEvents(CORVATIXDlg& window, DeviceReadings& readings, std::mutex& readingsMutex,
                     LinkControl& link, ConfigData& config, AcquisitionCore& core,
                     std::function<int64_t()> clock);

    // DeviceReceiver
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void noSerialData() override;
    void boxRestart() override { boxResetHandling(); }
    void linkEnded() override;
    void deletingText() override;
    void readingsReset() override;
    void tick() override;
    bool displayReceiver() const override { return true; }

    // The box reset handling: offsets unseen, bars and version line cleared,
    // the box's identity forgotten, captions refreshed.
    void boxResetHandling();

    // The box is at the one port given on the command line: no other port is
    // searched, and a missing or refused device is told at once.
    void setOnlyPort(bool only);
    bool onlyPort() const { return onlyPort_; }
    // Why the port cannot be used, in the serial-number line (the whole
    // advice in its tool tip); unchanged when the same text shows already.
    void showPortProblemText(const PortProblemText& problem);
    bool portProblemShown() const { return !shownPortProblem_.empty(); }

    // The captions were refreshed with the box's rate `detected` (0: none
    // reported): a bearing that fits it ends the warning.
    void captionsRefreshed(int32_t detected);

    // The status decoding, as the teach-in wizard reads it.
    StatusDecoding statusDecoding() const;

    PositionDisplay& position() { return position_; }
    const PositionDisplay& position() const { return position_; }
    StatusDisplay& status() { return status_; }
    const StatusDisplay& status() const { return status_; }
    const ReferenceIndicator& referenceIndicator() const { return indicator_; }

    // "%s Version %s [%s]" with box type, version text and box info.
    static std::string versionLine(const DeviceReadings& readings);
    // "SN %s %s" with serialTextB and serialTextA.
    static std::string serialLine(const DeviceReadings& readings);

private:
    // Code 0: convert and show position, marker and speed.
    void showPosition();
    // Code 2: the bar of a sensor whose offsets are reported for the first
    // time since the box's reset forgets its extremes (not while recording).
    void offsetsReported(int param);
    void showNoiseValues(int param);
    void updateStatusDisplay(bool statusValid);
    void setSerialLine(const std::string& text);
    // Code 17: the box's answer to a reset (error) or erase request.
    void showBoxResetResult(bool resetError);
    // Code 18: select the bearing of the reported pulse rate, refresh the title.
    void selectBearingByPulseRate();

    void applyStatus(const StatusUpdate& update, bool withText = true);
    void showPortProblem();
    void reportOnlyPortProblem();

    CORVATIXDlg& window_;
    DeviceReadings& readings_;
    std::mutex& readingsMutex_;
    LinkControl& link_;
    ConfigData& config_;
    AcquisitionCore& core_;

    StatusListLog statusLog_;
    PositionDisplay position_;
    StatusDisplay status_;
    ReferenceIndicator indicator_;

    std::string shownPortProblem_;
    bool onlyPort_ = false;
    std::string reportedOnlyPortProblem_;
    bool serialLineSilent_ = false; // the serial-number line says the port is silent
    bool pulseRateNoticeShown_ = false;
    std::string pulseRateWarning_; // leads the status line while no bearing fits
    std::string lastStatusText_;   // the status display's own text
};
