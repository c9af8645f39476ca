#pragma once
// CMessagebox: the "New Sensor" confirmation window.
//
// The confirmation of the extended display's "New Sensor" command: erase the
// box's stored operating parameters so that a new teach-in can start.

#include "acquisition/BoxRequests.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "ui/MessageWindow.h"

#include <functional>

class CMessagebox : public CMessageWindow {
    Q_OBJECT
public:
    // `resetReadings` is the main window's reset of the readings; the erase
    // goes to the box through `requests`.
    CMessagebox(QWidget* owner, BoxRequests& requests, std::function<void()> resetReadings);

    // Creates the window with the texts of the current language and shows it.
    static CMessagebox* open(QWidget* owner, BoxRequests& requests,
                             std::function<void()> resetReadings);

protected:
    void okPressed() override;
    void cancelPressed() override;

private:
    BoxRequests& requests_;
    std::function<void()> resetReadings_;
};

// The "New Sensor" button: a silent box gets the timeout notice, a box with
// teach-in data the confirmation window, a blank box nothing. While a
// confirmation is open, another press raises it. Returns the confirmation
// window when one is open.
CMessagebox* requestNewSensor(QWidget* owner, const LinkControl& link, BoxRequests& requests,
                              const DeviceReadings& readings, bool offsetSeenWH, bool offsetSeenYE,
                              std::function<void()> resetReadings);
