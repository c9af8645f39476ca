// Gallery shots of the setup dialog, the start menu and the message windows.

#include "Gallery.h"

#include "acquisition/BoxRequests.h"
#include "device/LinkControl.h"
#include "status/widgets/CMessagebox.h"
#include "ui/CMessagebox2.h"
#include "ui/CSelectDlg.h"
#include "ui/CSetup.h"
#include "ui/Help.h"
#include "ui/Messagebox3.h"

#include <QComboBox>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace {

// A hidden owner for windows that need one; the gallery deletes it.
QWidget* owner() {
    return new QWidget;
}

// The newest standard message box opened on `parent`.
QWidget* lastMessageBox(QWidget* parent) {
    const auto boxes = parent->findChildren<QMessageBox*>();
    return boxes.isEmpty() ? nullptr : boxes.last();
}

LinkControl galleryLink;
BoxRequests galleryRequests{galleryLink, [] { return int64_t(0); }};
bool interfaceNoticeShown = false;

} // namespace

ORVATIX_GALLERY_SHOT(setup) {
    return new CSetup(SetupRecords::globals());
}

ORVATIX_GALLERY_SHOT(setup_user_defined) {
    auto* dialog = new CSetup(SetupRecords::globals());
    auto* bearings = dialog->findChild<QComboBox*>(QStringLiteral("1041"));
    bearings->setCurrentIndex(bearings->count() - 1);
    return dialog;
}

ORVATIX_GALLERY_SHOT(start_menu) {
    return new CSelectDlg(SetupRecords::globals());
}

ORVATIX_GALLERY_SHOT(new_sensor_question) {
    return CMessagebox::open(owner(), galleryRequests, {});
}

ORVATIX_GALLERY_SHOT(new_sensor_aborted) {
    QWidget* parent = owner();
    CMessagebox::open(parent, galleryRequests, {})->reject();
    return lastMessageBox(parent);
}

ORVATIX_GALLERY_SHOT(new_sensor_timeout) {
    QWidget* parent = owner();
    galleryLink.noData = true;
    requestNewSensor(parent, galleryLink, galleryRequests, DeviceReadings{}, false, false, {});
    galleryLink.noData = false;
    return lastMessageBox(parent);
}

ORVATIX_GALLERY_SHOT(teach_in_question) {
    return CMessagebox2::open(owner(), {}, {});
}

ORVATIX_GALLERY_SHOT(interface_not_found) {
    interfaceNoticeShown = false;
    return Messagebox3::openOnce(owner(), interfaceNoticeShown);
}

ORVATIX_GALLERY_SHOT(help_no_viewer) {
    QWidget* parent = owner();
    const HelpDesktop real = helpDesktop();
    helpDesktop().askPdfViewer = [](QObject*, const PdfViewerAnswer& answer) { answer(false); };
    openManual(parent);
    helpDesktop() = real;
    return lastMessageBox(parent);
}

ORVATIX_GALLERY_SHOT(help_manual_missing) {
    QWidget* parent = owner();
    const HelpDesktop real = helpDesktop();
    helpDesktop().askPdfViewer = [](QObject*, const PdfViewerAnswer& answer) { answer(true); };
    helpDesktop().manualFolders = [] { return QStringList{QStringLiteral("/opt/orvatix")}; };
    openManual(parent);
    helpDesktop() = real;
    return lastMessageBox(parent);
}
