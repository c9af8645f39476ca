#include "app/SecondaryWindows.h"

#include "acquisition/AcquisitionCore.h"
#include "config/ConfigData.h"
#include "eventlog/EventLog.h"
#include "status/StatusList.h"

SecondaryWindows::SecondaryWindows(QWidget& owner, ProgramServices& services, AcquisitionCore& core,
                                   DeviceReadings& readings, std::mutex& readingsMutex,
                                   LinkControl& link, ConfigData& config)
    : owner_(owner), services_(services), core_(core), readings_(readings),
      readingsMutex_(readingsMutex), link_(link), config_(config) {}

SecondaryWindows::~SecondaryWindows() {
    core_.unsubscribe(&signalFeed_);
    // The display unsubscribes from the core when it goes: before the core,
    // not with the owner's children after it.
    delete extendedDisplay_.data();
}

void SecondaryWindows::toggleExtendedDisplay() {
    if (extendedDisplay_) {
        extendedDisplay_->close(); // clears extDisplayOn, deletes itself
        return;
    }
    openExtendedDisplay();
}

void SecondaryWindows::openExtendedDisplay() {
    extendedDisplay_ = new CAdditionalMonitor(&owner_, services_, core_.requests(), readings_,
                                              readingsMutex_, link_, config_, extDisplayOn);
    extendedDisplay_->receiveFrom(core_);
    extendedDisplay_->present();
}

void SecondaryWindows::toggleStatusList() {
    if (statusList_) {
        statusList_->close(); // deletes itself
        return;
    }
    statusList_ = new CErrorDialog(&owner_, ::statusList, readings_, readingsMutex_,
                                   EventLog::defaultFolder());
    statusList_->present();
}

bool SecondaryWindows::signalViewOpen() const {
    return signalView_ && signalView_->isVisible();
}

void SecondaryWindows::toggleSignalView() {
    if (signalViewOpen()) {
        signalView_->hide();
        return;
    }
    if (!signalView_) {
        signalView_ = new CSignalViewDlg(&owner_);
        signalFeed_.view = signalView_;
    }
    signalView_->refreshCaptions();
    signalView_->show();
    signalView_->raise();
}

void SecondaryWindows::refreshCaptions() {
    if (extendedDisplay_)
        extendedDisplay_->refreshCaptions();
    if (statusList_)
        statusList_->refreshCaptions();
    if (signalView_)
        signalView_->refreshCaptions();
}

void SecondaryWindows::refreshExtendedDisplay() {
    if (extendedDisplay_)
        extendedDisplay_->refreshExtendedDisplay(CAdditionalMonitor::kFullRefresh);
}

void SecondaryWindows::ownerShown(bool teachIn) {
    if (extDisplayOn && !extendedDisplay_) {
        openExtendedDisplay();
        if (teachIn)
            extendedDisplay_->lower();
    }
}

void SecondaryWindows::ownerHidden() {
    if (extendedDisplay_) {
        // Hiding the main window takes the display along, but it comes back
        // with the window: extDisplayOn stays as it was.
        const bool wasOn = extDisplayOn;
        extendedDisplay_->close();
        extDisplayOn = wasOn;
    }
    // The signal view belongs to the diagnosis: it does not come back.
    if (signalView_)
        signalView_->hide();
}

void SecondaryWindows::ownerMoved() {
    if (extendedDisplay_)
        extendedDisplay_->followMainWindow();
}

void SecondaryWindows::ownerRestored() {
    if (statusList_)
        statusList_->showNormal();
}
