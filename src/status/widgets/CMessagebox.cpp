#include "status/widgets/CMessagebox.h"

#include "config/MainWindowRows.h"
#include "config/StatusMessageRows.h"
#include "config/TeachInRows.h"
#include "status/NewSensorCheck.h"
#include "ui/Notice.h"
#include "ui/TeachInWarning.h"
#include "ui/UiText.h"

namespace {

const MessageTemplate kTemplate{275, 138, QRect(15, 8, 237, 99), QRect(77, 107, 50, 16),
                                QRect(147, 107, 50, 16)};

} // namespace

CMessagebox::CMessagebox(QWidget* owner, BoxRequests& requests, std::function<void()> resetReadings)
    : CMessageWindow(owner, kTemplate), requests_(requests),
      resetReadings_(std::move(resetReadings)) {}

CMessagebox* CMessagebox::open(QWidget* owner, BoxRequests& requests,
                               std::function<void()> resetReadings) {
    auto* box = new CMessagebox(owner, requests, std::move(resetReadings));
    setTeachInWarning(*box);
    box->present();
    return box;
}

void CMessagebox::okPressed() {
    // Reset first: the erase then waits for the new identification.
    if (resetReadings_) {
        resetReadings_();
    }
    requests_.submit(BoxRequest::Erase);
}

void CMessagebox::cancelPressed() {
    showNotice(owner(), QMessageBox::Information, uiText(TextTable::TeachIn, teachinrow::kTitle),
               uiText(TextTable::MainWindow, mainwindowrow::kNewSensorAborted));
}

CMessagebox* requestNewSensor(QWidget* owner, const LinkControl& link, BoxRequests& requests,
                              const DeviceReadings& readings, bool offsetSeenWH, bool offsetSeenYE,
                              std::function<void()> resetReadings) {
    switch (newSensorStep(link.noData, link.statusRestart, readings, offsetSeenWH, offsetSeenYE)) {
    case NewSensorStep::TimeoutNotice:
        showNotice(owner, QMessageBox::Warning,
                   uiText(TextTable::StatusMessages, statusrow::kError),
                   uiText(TextTable::StatusMessages, statusrow::kCommunicationTimeout));
        return nullptr;
    case NewSensorStep::Confirm:
        // One question at a time: two open ones could both send the erase
        // request. A second press brings the open one to the front.
        if (owner != nullptr) {
            for (CMessagebox* open : owner->findChildren<CMessagebox*>()) {
                if (open->isVisible()) {
                    open->raise();
                    open->activateWindow();
                    return open;
                }
            }
        }
        return CMessagebox::open(owner, requests, std::move(resetReadings));
    case NewSensorStep::Nothing:
        break;
    }
    return nullptr;
}
