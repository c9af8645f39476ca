// Box states, error texts and serial port messages. Most rows end in blanks
// because they are strung together in the status line.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 47;

const char* const kEnglish[kRows] = {
    "",
    "Error.  ",
    "No error.  ",
    "Signal error.  ",
    "High amplitude.  ",
    "No Offset found.  ",
    "No Sensor present.  ",
    "Unexpected reference.  ",
    "Speed error !  ",
    "No Offset calculation.  ",
    "A/D conversion timeout.  ",
    "Output cal. failed.  ",
    "Hardware error.  ",
    "No reference found.  ",
    "Do teach-in !  ",
    "Ready.  ",
    "...  ",
    "Box reset ",
    ": No Offset.  ",
    ": No Ref.  ",
    ": No Abs.Pos.  ",
    ": Restart Teach-In !  ",
    "Position Overrun.  ",
    "RS232 transmission stopped.  ",
    "Warning: Sensor distance !  ",
    "Sensor too close !  ",
    "Sensor too far !  ",
    "Sensor not connected ! ",
    "\n\nPC serial port not activated. ",
    "\n\nSerial port not present. ",
    "\n\nSerial port is used by another application. ",
    "\n\nSerial Port Error. ",
    "Serial Port Error ! ",
    "Error code ",
    "The detected pulse rate (lines) does not correspond with the selected bearing ! ",
    "Selected bearing: ",
    "Detected bearing: ",
    "Settings will be changed to the detected bearing. ",
    "No data.  ",
    "Timeout: Communication not possible. ",
    "Can't open file! ",
    "Disk is write protected. ",
    "Teach-In failed: No reference marker found. ",
    "Teach-In failed: No absolute position. ",
    "ORVATIX AUTOMATIC INTERFACE SEARCH ",
    "ATTENTION:\n\nInterface not found.\n\nIs the driver for the converter installed via serial "
    "port/USB port (see USB flash drive)?\n\nYou may have to complete an installation for each "
    "USB port.",
    "Searching for COM",
};
const char* const kGerman[kRows] = {};
const char* const kFrench[kRows] = {};
const char* const kItalian[kRows] = {};
const char* const kSpanish[kRows] = {};

} // namespace

const TextTableData statusMessagesTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
