#pragma once
// The evaluation table's rows live beside the table; the main window still
// reaches them by this name.

#include "config/EvaluationRows.h"

namespace evaluation_rows = evaluationrow;
