// Captions and messages of the main diagnosis window.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 34;

const char* const kEnglish[kRows] = {
    "WARNING:\n\nRepeated Teach-In of KAVO measuring system\n\nRepeated teach-in is only "
    "necessary after components have been changed\n in case of malfunction",
    "Are you sure you want to restart the teach-in procedure ?",
    " ",
    "WARNING: The output signals will be interrupted during reset",
    "New Sensor command aborted.\n\nSystem data has not been modified.",
    "No serial data.",
    "Position",
    "System state",
    "Error during reset!",
    "FLASH erased.",
    "Deleting... ",
    "Saving...",
    "done.",
    "Time",
    "Please plug in both sensors\nthen press OK.",
    "Setup",
    "Exit",
    "Help",
    "Record Data\ndata evaluation",
    "Measure Noise\n(stationary shaft)",
    "Ref. Signal",
    "Channel Value",
    "Wait",
    "Amplitude",
    "Signal",
    "Sensor",
    "Speed",
    "Channel",
    "New Sensor",
    "Factor",
    "Save",
    "Delete",
    "Fix Display",
    "DAC-Offset",
};
const char* const kGerman[kRows] = {};
const char* const kFrench[kRows] = {};
const char* const kItalian[kRows] = {};
const char* const kSpanish[kRows] = {};

} // namespace

const TextTableData mainWindowTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
