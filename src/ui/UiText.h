#pragma once
// Text rows for the windows: the tables hold UTF-8, the controls take QString.

#include "config/Texts.h"

#include <QString>

// Row `row` of `table` in the current language.
inline QString uiText(TextTable table, int row) {
    return QString::fromUtf8(text(table, row));
}

// Row `row` of `table` in `language` (0..4).
inline QString uiTextIn(TextTable table, int row, int language) {
    return QString::fromUtf8(textIn(table, row, language));
}
