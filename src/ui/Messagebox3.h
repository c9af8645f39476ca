#pragma once
// Messagebox3: the "interface not found" notice.
//
// The notice that the automatic interface search found no box. It has no
// visible button and is closed with the close box; at most one is open.

#include "ui/MessageWindow.h"

class Messagebox3 : public CMessageWindow {
    Q_OBJECT
public:
    explicit Messagebox3(QWidget* owner);

    // Opens the notice unless `noticeShown` is set; sets it, and clears it
    // again when the notice is closed. Returns the new window or nullptr.
    // `noticeShown` belongs to `owner` (the window is its child).
    static Messagebox3* openOnce(QWidget* owner, bool& noticeShown);
};
