#pragma once
// The signal view table's rows live beside the table; the main window still
// reaches them by this name.

#include "config/SignalViewRows.h"

namespace signalview_rows = signalviewrow;
