#pragma once
// The diagnosis window's context menu (a right click in the window or in the
// extended display): the extended display, the status list, the about box,
// the recorder's files and the signal view, each window with a tick while it
// is open; and the about box it opens.

class AcquisitionCore;
class CORVATIXDlg;
class QMenu;
class QPoint;

// The serial port submenu chooses the port of `core`'s interface search.
void fillMainWindowContextMenu(CORVATIXDlg& window, AcquisitionCore& core, QMenu& menu);
// The menu centred on `globalPos`, run until a command is chosen or it closes.
void openMainWindowContextMenu(CORVATIXDlg& window, AcquisitionCore& core, const QPoint& globalPos);

// The about box (dialog 100) of the menu's "Info" command, modal.
void showMainWindowAboutBox(CORVATIXDlg& window);
