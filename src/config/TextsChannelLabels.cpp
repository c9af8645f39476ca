// Prefixes of the detail texts in the main window's status line. The short
// signal names are the same in every language.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 8;

const char* const kLabels[kRows] = {
    "", "SIG.WH: ", "SEN.WH: ", "SPD.WH: ", "SIG.YE: ", "SEN.YE: ", "SPD.YE: ", "Pict.: ",
};

} // namespace

const TextTableData channelLabelsTexts = {kRows, {kLabels, kLabels, kLabels, kLabels, kLabels}};
