// The texts of the typed entries: the word in its column, the details as the
// program passes them, nothing dropped when a detail is missing.

#include "eventlog/EventLogEntries.h"

#include <gtest/gtest.h>

namespace {

struct EntryCase {
    std::string text;
    std::string expected;
};

TEST(EventLogEntries, EachKindReadsAsOneLine) {
    const EntryCase cases[] = {
        {statusEntryText("   2.\t W-Sig ,W-Hi "), "status       "
                                                  "   2.\t W-Sig ,W-Hi "},
        {connectedText({"COM1", "/dev/ttyUSB0", "QTBX02 (1Ref)", "2.10", "0815 ORVA-2041-0042"}),
         "connected    COM1 (/dev/ttyUSB0), box QTBX02 (1Ref), firmware 2.10, serial number 0815 "
         "ORVA-2041-0042"},
        {connectedText({"COM3", "", "", "", ""}),
         "connected    COM3, box -, firmware -, serial number -"},
        {noDataText(), "no data      the box does not answer"},
        {cableLostText(), "cable lost   the port went away"},
        {boxRestartedText(), "restart      the box restarted"},
        {requestedText(BoxRequest::Reset), "request      reset"},
        {requestedText(BoxRequest::Erase), "request      erase"},
        {requestedText(BoxRequest::Write), "request      write"},
        {requestResultText(BoxRequest::Erase, true, "flash erased"),
         "result       erase: done, flash erased"},
        {requestResultText(BoxRequest::Reset, false, "reset error"),
         "result       reset: failed (reset error)"},
        {requestResultText(BoxRequest::Write, true, ""), "result       write: done"},
        {teachInResultText(true, "offsets, reference and absolute position learned"),
         "teach-in     completed: offsets, reference and absolute position learned"},
        {teachInResultText(false, ""), "teach-in     not completed"},
        {recordingSavedText("/home/u/run_amp.txt", "/home/u/run_ref.txt"),
         "recording    saved to /home/u/run_amp.txt and /home/u/run_ref.txt"},
        {programStartedText("3.2"), "program      ORVATIX 3.2 started"},
        {programEndedText(), "program      ended"},
    };
    for (const EntryCase& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

} // namespace
