#pragma once
// CErrorDialog: the status list window.
//
// The status list window (template 253 x 218 dialog units): the numbered
// changes of the box's flag word, the long description, time and position of
// the selected one, and Save, Delete and Fix Display. A modeless tool window
// of the main window; the list itself is process-wide and outlives it.
//
// Main window (command 32774 and button 1068):
//
//     if (statusList_) statusList_->close();     // deletes itself
//     else {
//         statusList_ = new CErrorDialog(this, statusList, deviceReadings, readingsMutex,
//                                        logFolder);
//         statusList_->present();
//     }
//
// and refreshCaptions() on an open window after a language change. Entries
// come in through StatusListLog / appendStatusEntry; the window refills
// itself when one is added (unless frozen).

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>
#include <mutex>
#include <vector>

#include "status/StatusList.h"
#include "status/widgets/FolderDesktop.h"
#include "ui/DialogUnits.h"

class QLabel;
class QListWidget;

class QPushButton;
struct DeviceReadings;

class CErrorDialog : public QDialog {
    Q_OBJECT
public:
    enum Id {
        kList = 1067,
        kDescription = 1082,
        kSave = 1077,
        kDelete = 1071,
        kFixDisplay = 1079,
        kOk = 1,
        kTime = 1010,
        kPosition = 1008,
        kTimeCaption = 1072,
        kPositionCaption = 1073,
        kOpenLogFolder = 1090,
    };

    // `readings` (under `readingsMutex`) gives the firmware version that names
    // the flags; "Open log folder" opens `logFolder` (the event log's; empty:
    // the button does nothing). The window deletes itself when it closes.
    CErrorDialog(QWidget* owner, StatusList& list, const DeviceReadings& readings,
                 std::mutex& readingsMutex, QString logFolder);
    ~CErrorDialog() override;

    // Shows the window beside its owner and brings it to the top.
    void present();

    // Captions in the current language.
    void refreshCaptions();

    // Fills the list box from the list, selects the newest line and shows its
    // details.
    void refill();

    // Save: asks for a file name, then saveTo().
    void save();
    // Writes the list to `chosen` (".txt" added when the name has none). A
    // file that cannot be written shows "Can't open file !" and keeps the list.
    bool saveTo(const QString& chosen);
    // Delete: asks first when there are entries (No is the default), then
    // empties the list and the list box.
    void deleteAll();
    // Fix Display: the list box stops following new entries, or catches up.
    void toggleFixDisplay();

    // Open log folder: the event log's folder in the system's file manager.
    // When there is none, or it cannot be opened, a notice says so and gives
    // the folder's path to copy.
    void openLogFolder();
    // The desktop that shows the folder (systemFolderDesktop() at first).
    FolderDesktop folderDesktop;
    // The notice of the last failed opening while it is open.
    QMessageBox* logFolderNotice() const { return logFolderNotice_; }

    // Details of line `row` (0 the oldest; -1 the oldest as well).
    void showDetails(int row);

private:
    double firmwareVersion() const;
    bool confirmDelete();
    void showLogFolderNotice(int row, const QString& folder);

    StatusList& list_;
    const DeviceReadings& readings_;
    std::mutex& readingsMutex_;
    DialogTemplate template_;
    QListWidget* lines_ = nullptr;
    QLabel* description_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* fixButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QString logFolder_;
    QPushButton* logFolderButton_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* timeCaption_ = nullptr;
    QLabel* positionCaption_ = nullptr;
    // The entries as the list box shows them: while frozen, or after the list
    // was emptied by the no-data notice, the details still belong to the line
    // that is shown.
    std::vector<StatusListEntry> shown_;
    QPointer<QMessageBox> logFolderNotice_;
};
