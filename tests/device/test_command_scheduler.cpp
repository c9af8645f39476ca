#include "device/CommandScheduler.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/ReadingsReset.h"
#include "support/ParserRig.h"
#include "support/RecordingLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SchedulerRig {
    SchedulerRig() : channel(transcript), notifier(&transcript) {
        link.notificationsSuppressed = false;
        link.awaitingIdentification = false;
        link.newProtocol = true;
    }
    Transcript turn() {
        transcript.clear();
        scheduler.runCommandScheduler();
        return transcript;
    }

    Transcript transcript;
    LinkControl link;
    DeviceReadings readings;
    std::mutex mutex;
    RecordingChannel channel;
    RecordingNotifier notifier;
    CommandScheduler scheduler{link, readings, mutex, channel, notifier};
};

Transcript sends(std::initializer_list<const char*> commands) {
    Transcript out;
    for (const char* c : commands) {
        out.push_back(std::string("send ") + c);
    }
    return out;
}

TEST(PollCycle, TwentyCommandsEverySecondOneThePosition) {
    SchedulerRig rig;
    Transcript all;
    for (int i = 0; i < 21; ++i) {
        const Transcript t = rig.turn();
        all.insert(all.end(), t.begin(), t.end());
    }
    EXPECT_EQ(all, sends({"M*\\r", "M2\\r", "M*\\r", "M3\\r", "M*\\r", "M4\\r", "M*\\r",
                          "M5\\r", "M*\\r", "M6\\r", "M*\\r", "M7\\r", "M*\\r", "M*\\r",
                          "M*\\r", "M9\\r", "M*\\r", "MA\\r", "M*\\r", "M*\\r", "M*\\r"}));
    EXPECT_EQ(rig.scheduler.pollStep(), 1);
}

TEST(PollCycle, NoiseButtonAsksForInterferenceAtStepFourteen) {
    SchedulerRig rig;
    rig.scheduler.setNoiseButtonPressed(true);
    for (int i = 1; i <= 13; ++i) {
        rig.turn();
    }
    EXPECT_EQ(rig.turn(), sends({"M8\\r"}));
    rig.scheduler.setNoiseButtonPressed(false);
    for (int i = 15; i <= 33; ++i) {
        rig.turn();
    }
    EXPECT_EQ(rig.turn(), sends({"M*\\r"})); // step 14 of the next cycle
    EXPECT_EQ(rig.link.pendingCommand, 0);
}

TEST(PollCycle, SilenceRestartsTheStatusSequence) {
    SchedulerRig rig;
    rig.turn();
    EXPECT_FALSE(rig.link.statusRestart);
    rig.link.noData = true;
    rig.turn();
    EXPECT_TRUE(rig.link.statusRestart);

    SchedulerRig old;
    old.link.newProtocol = false;
    old.link.noData = true;
    EXPECT_EQ(old.turn(), sends({"3"}));
    EXPECT_TRUE(old.link.statusRestart);
}

TEST(Identification, AsksBothDialectsAndKeepsRequestsPending) {
    SchedulerRig rig;
    rig.link.awaitingIdentification = true;
    rig.link.pendingCommand = kWriteRequest;
    for (int i = 0; i < 5; ++i) {
        rig.turn();
    }
    rig.link.statusRestart = false;
    EXPECT_EQ(rig.turn(), (Transcript{"send 3", "send M9\\r", "wait 0.050", "send 3"}));
    EXPECT_TRUE(rig.link.statusRestart);
    EXPECT_EQ(rig.link.pendingCommand, kWriteRequest);
    EXPECT_EQ(rig.scheduler.pollStep(), 0);
}

TEST(Identification, StopDuringTheWaitEndsTheTurn) {
    SchedulerRig rig;
    rig.link.awaitingIdentification = true;
    rig.channel.stopAtWait = 1;
    EXPECT_EQ(rig.turn(), (Transcript{"send 3", "send M9\\r", "wait 0.050"}));
}

TEST(Identification, RequestMadeWithAResetIsSentAfterTheNewIdentification) {
    // The scheduler and a real parser, as the reader thread runs them.
    SchedulerRig rig;
    ParserRig parser;
    rig.link.awaitingIdentification = true;
    rig.link.pendingCommand = kEraseRequest;
    LineParser lineParser(parser.readings, parser.readingsMutex, rig.link, parser.config,
                          parser.minRate, parser.maxRate, rig.scheduler.pollStep(),
                          parser.notifier);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.turn().front(), "send 3");
        lineParser.parseLine("ST 0000000000000011", i); // no identification: dropped
    }
    lineParser.parseLine("FW 1.60 01000010 123", 4);
    EXPECT_TRUE(rig.link.newProtocol);
    EXPECT_EQ(rig.turn(), (Transcript{"deleting", "send MR\\r", "boxRestart", "send M0\\r"}));
    EXPECT_EQ(rig.link.pendingCommand, kNoCommand);
    EXPECT_EQ(rig.turn(), sends({"M*\\r"}));
}

// A reset of the readings from a window, as the reader thread then sees it:
// the line it had already read arrives after the reset, the input is drained,
// and only then comes the identification turn.
TEST(Identification, ALineInTransitAtAResetIsNoIdentification) {
    SchedulerRig rig;
    ParserRig parser;
    LineParser lineParser(parser.readings, rig.mutex, rig.link, parser.config, parser.minRate,
                          parser.maxRate, rig.scheduler.pollStep(), parser.notifier);
    rig.turn();
    {
        std::lock_guard<std::mutex> lock(rig.mutex);
        resetDeviceReadings(parser.readings, rig.link);
    }
    rig.link.pendingCommand = kResetRequest;
    lineParser.parseLine("PA 1598379 12 34", 1); // the answer to the last poll
    EXPECT_STREQ(parser.readings.versionText, "");
    EXPECT_TRUE(rig.link.awaitingIdentification);
    rig.link.purgeRequest = false; // the reader thread drained the input

    EXPECT_EQ(rig.turn().front(), "send 3");
    lineParser.parseLine("FW 2.10 01000010 4711", 2);
    EXPECT_STREQ(parser.readings.versionText, "2.10");
    EXPECT_EQ(rig.turn(), (Transcript{"boxRestart", "send ME\\r"}));
}

TEST(Requests, OldEraseAfterAResetKeepsTheVersionLastSeen) {
    // The one-letter box repeats its version only now and then; the reset
    // made with the erase must not turn 1.52 into five erase bytes.
    SchedulerRig rig;
    rig.link.newProtocol = false;
    rig.readings.firmwareVersion = 1.52;
    rig.turn();
    resetDeviceReadings(rig.readings, rig.link);
    rig.link.purgeRequest = false;
    rig.link.pendingCommand = kEraseRequest;
    EXPECT_EQ(rig.turn().front(), "send 3"); // identification first
    rig.link.awaitingIdentification = false; // a "P" line identified the box
    EXPECT_EQ(rig.turn(), (Transcript{"deleting", "wait 0.050", "send \\xAA", "wait 0.050",
                                      "send \\xAA", "boxRestart"}));
}

struct RequestCase {
    const char* what;
    bool newProtocol;
    int32_t request;
    double firmwareVersion;
    bool suppressed;
    Transcript expected;
    bool purge;
};

TEST(Requests, EachRequestSendsItsBytesOnceInBothDialects) {
    const RequestCase cases[] = {
        {"reset", true, kResetRequest, 0, false, {"boxRestart", "send ME\\r"}, true},
        {"reset, suppressed", true, kResetRequest, 0, true, {"send ME\\r"}, true},
        {"interference", true, kInterferenceRequest, 0, false, {"send M8\\r"}, false},
        {"erase",
         true,
         kEraseRequest,
         0,
         false,
         {"deleting", "send MR\\r", "boxRestart", "send M0\\r"},
         true},
        {"erase, suppressed",
         true,
         kEraseRequest,
         0,
         true,
         {"deleting", "send MR\\r", "send M0\\r"},
         true},
        {"write", true, kWriteRequest, 0, false, {"send MW\\r"}, false},
        {"unknown", true, 9, 0, false, {"send M0\\r"}, false},
        {"negative", true, -1, 0, false, {"send M0\\r"}, false},

        {"old reset", false, kResetRequest, 0, false, {"send \\xA0", "boxRestart"}, true},
        {"old reset, suppressed", false, kResetRequest, 0, true, {"send \\xA0"}, true},
        {"old interference", false, kInterferenceRequest, 0, false, {"send \\xA0"}, false},
        {"old write polls", false, kWriteRequest, 0, false, {"send 3"}, false},
        {"old erase, new firmware",
         false,
         kEraseRequest,
         1.52,
         false,
         {"deleting", "wait 0.050", "send \\xAA", "wait 0.050", "send \\xAA", "boxRestart"},
         true},
        {"old erase, older firmware",
         false,
         kEraseRequest,
         1.51,
         false,
         {"deleting", "wait 0.050", "send \\xAA", "wait 0.050", "send \\xAA", "wait 0.050",
          "send \\xAA", "wait 0.050", "send \\xAA", "wait 0.050", "send \\xAA", "boxRestart"},
         true},
        {"old unknown", false, 9, 0, false, {}, false},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.what);
        SchedulerRig rig;
        rig.link.newProtocol = c.newProtocol;
        rig.link.notificationsSuppressed = c.suppressed;
        rig.readings.firmwareVersion = c.firmwareVersion;
        rig.turn(); // poll step 1
        rig.link.pendingCommand = c.request;
        EXPECT_EQ(rig.turn(), c.expected);
        EXPECT_EQ(rig.link.pendingCommand, kNoCommand);
        EXPECT_EQ(rig.link.purgeRequest, c.purge);
        // Once sent, the request is gone and polling goes on; only a reset
        // or an erase starts the cycle again.
        const char* next = !c.newProtocol ? "3" : c.purge ? "M*\\r" : "M2\\r";
        EXPECT_EQ(rig.turn(), sends({next}));
    }
}

TEST(Requests, StopDuringTheOldEraseLeavesTheRequest) {
    SchedulerRig rig;
    rig.link.newProtocol = false;
    rig.link.pendingCommand = kEraseRequest;
    rig.channel.stopAtWait = 2;
    EXPECT_EQ(rig.turn(), (Transcript{"deleting", "wait 0.050", "send \\xAA", "wait 0.050"}));
    EXPECT_FALSE(rig.link.purgeRequest);
    EXPECT_EQ(rig.link.pendingCommand, kEraseRequest);
}

TEST(Requests, ARequestMadeWhileAnotherIsSentIsNotLost) {
    SchedulerRig rig;
    rig.link.pendingCommand = kInterferenceRequest;
    rig.channel.onSend = [&](std::string_view) {
        rig.link.pendingCommand = kWriteRequest; // the window asks again meanwhile
        rig.channel.onSend = nullptr;
    };
    EXPECT_EQ(rig.turn(), sends({"M8\\r"}));
    EXPECT_EQ(rig.link.pendingCommand, kWriteRequest);
    EXPECT_EQ(rig.turn(), sends({"MW\\r"}));
    EXPECT_EQ(rig.link.pendingCommand, kNoCommand);
}

} // namespace
