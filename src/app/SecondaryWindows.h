#pragma once
// The diagnosis window's secondary windows, each at most once: the extended
// display (docked under it, reopened with it while extDisplayOn is set), the
// status list and the signal view (which hides with it and stays hidden).
// The extended display and the signal view's feed are receivers of the core
// while they have something to show.

#include "app/SignalViewFeed.h"
#include "signalview/widgets/CSignalViewDlg.h"
#include "status/widgets/CAdditionalMonitor.h"
#include "status/widgets/CErrorDialog.h"

#include <QPointer>

#include <mutex>

class AcquisitionCore;
class QWidget;
struct ConfigData;
struct DeviceReadings;
struct LinkControl;

class SecondaryWindows {
public:
    SecondaryWindows(QWidget& owner, ProgramServices& services, AcquisitionCore& core,
                     DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
                     ConfigData& config);
    ~SecondaryWindows();

    // Closed when open, else opened (the signal view: hidden when shown).
    void toggleExtendedDisplay();
    void toggleStatusList();
    void toggleSignalView();

    CAdditionalMonitor* extendedDisplay() const { return extendedDisplay_; }
    CErrorDialog* statusList() const { return statusList_; }
    CSignalViewDlg* signalView() const { return signalView_; }
    bool signalViewOpen() const;
    // Subscribed by the owner after its own receiver.
    SignalViewFeed& signalFeed() { return signalFeed_; }

    // Captions in the current language.
    void refreshCaptions();
    // Every view of an open extended display redrawn.
    void refreshExtendedDisplay();

    // The owner was shown (the extended display comes back, beneath the
    // wizard in the teach-in), hidden by the program, moved, or restored
    // from the minimised state (the status list with it).
    void ownerShown(bool teachIn);
    void ownerHidden();
    void ownerMoved();
    void ownerRestored();

private:
    void openExtendedDisplay();

    QWidget& owner_;
    ProgramServices& services_;
    AcquisitionCore& core_;
    DeviceReadings& readings_;
    std::mutex& readingsMutex_;
    LinkControl& link_;
    ConfigData& config_;
    QPointer<CAdditionalMonitor> extendedDisplay_;
    QPointer<CErrorDialog> statusList_;
    QPointer<CSignalViewDlg> signalView_;
    SignalViewFeed signalFeed_;
};
