#pragma once
// The texts of the event log's entries, one line each after the date and time:
// a word for what happened, padded to a column, then the details.
//
//     2026-12-07 12:48:03  connected    COM1 (/dev/ttyUSB0), QTBX02 (1Ref), firmware 2.10, ...
//     2026-12-07 12:48:09  status          2.  W-Sig ,W-Hi
//     2026-12-07 12:50:12  request      erase
//     2026-12-07 12:50:14  result       erase: flash erased

// The same requests the box's request door takes.
#include "device/BoxRequest.h"

#include <string>
#include <string_view>

struct BoxConnection {
    std::string port;         // the program's name, "COM1"
    std::string device;       // what it stands for, "/dev/ttyUSB0"
    std::string boxType;      // boxTypeText
    std::string firmware;     // versionText
    std::string serialNumber; // the two serial number texts, blank-separated
};

// The status list's own line for the entry, as the list shows it.
std::string statusEntryText(std::string_view statusListLine);
std::string connectedText(const BoxConnection& c);
std::string noDataText();
std::string cableLostText();
// The same during a recording, which keeps its samples and goes on once the
// box is back.
std::string cableLostWhileRecordingText();
std::string boxRestartedText();
std::string requestedText(BoxRequest r);
// detail: what the box or the program said ("flash erased", "reset error").
std::string requestResultText(BoxRequest r, bool ok, std::string_view detail);
// A request the box's protocol does not have: nothing was sent, and why.
std::string requestNotSentText(BoxRequest r, std::string_view why);
std::string teachInResultText(bool ok, std::string_view detail);
std::string recordingSavedText(std::string_view ampPath, std::string_view refPath);
// A recording that could be written nowhere when the program was told to end.
std::string recordingLostText(std::string_view reason);
// The user chose the box's port (its program name and device), or went back
// to the automatic search.
std::string portChosenText(std::string_view port, std::string_view device);
std::string automaticSearchText();
// Where one run of the program begins and ends in the day's file.
std::string programStartedText(std::string_view version);
std::string programEndedText();
