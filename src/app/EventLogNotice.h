#pragma once
// The program's event log tells the user once when it cannot write: a full
// disk or a log folder that cannot be written is shown over the window in
// front, not only noted on the terminal.

#include "eventlog/EventLog.h"

// The options of the program's own log: the default folder and limits, and a
// notice on the first failure (posted to the user-interface thread).
EventLogOptions eventLogOptionsWithNotice();
