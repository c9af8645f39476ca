// The pieces of the acquisition core that decide without a thread: the
// receiver list, the box-request door and the samples a recording takes.

#include "acquisition/BoxRequests.h"
#include "acquisition/ReceiverList.h"
#include "acquisition/RecordedEvent.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Receiver list

struct NamedReceiver : DeviceReceiver {
    std::string name;
    std::vector<std::string>* log = nullptr;
    std::function<void()> onEvent;
    explicit NamedReceiver(std::string n, std::vector<std::string>* l)
        : name(std::move(n)), log(l) {}
    void deviceEvent(int, int, const DeviceReadings&) override {
        log->push_back(name);
        if (onEvent)
            onEvent();
    }
};

using Names = std::vector<std::string>;

class Receivers : public testing::Test {
protected:
    std::vector<std::string> log;
    NamedReceiver a{"a", &log}, b{"b", &log}, c{"c", &log};
    ReceiverList list;
    DeviceReadings readings;

    Names notice() {
        log.clear();
        list.forEach([&](DeviceReceiver& r) { r.deviceEvent(0, 0, readings); });
        return log;
    }
};

TEST_F(Receivers, CalledInSubscriptionOrderOnceEach) {
    list.subscribe(&b);
    list.subscribe(&a);
    list.subscribe(&b); // keeps its first place
    list.subscribe(nullptr);
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(notice(), (Names{"b", "a"}));
    list.unsubscribe(&b);
    list.unsubscribe(&c); // never subscribed
    EXPECT_EQ(notice(), (Names{"a"}));
    EXPECT_FALSE(list.contains(&b));
}

TEST_F(Receivers, ChangesFromInsideANotice) {
    struct Case {
        const char* what;
        std::function<void()> duringA; // a is called first
        Names first;
        Names second;
    };
    const std::vector<Case> cases = {
        {"a leaves", [&] { list.unsubscribe(&a); }, {"a", "b", "c"}, {"b", "c"}},
        {"a removes the next one", [&] { list.unsubscribe(&b); }, {"a", "c"}, {"a", "c"}},
        {"a removes the last one", [&] { list.unsubscribe(&c); }, {"a", "b"}, {"a", "b"}},
        {"a removes and adds back b",
         [&] {
             list.unsubscribe(&b);
             list.subscribe(&b);
         },
         {"a", "c"},
         {"a", "c", "b"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        list = ReceiverList();
        for (NamedReceiver* r : {&a, &b, &c})
            list.subscribe(r);
        bool once = true;
        a.onEvent = [&] {
            if (std::exchange(once, false))
                test.duringA();
        };
        EXPECT_EQ(notice(), test.first);
        EXPECT_EQ(notice(), test.second);
        a.onEvent = nullptr;
    }
}

TEST_F(Receivers, OneThatJoinsDuringANoticeHearsTheNextOne) {
    list.subscribe(&a);
    a.onEvent = [&] { list.subscribe(&b); };
    EXPECT_EQ(notice(), (Names{"a"}));
    EXPECT_EQ(notice(), (Names{"a", "b"}));
}

// ---------------------------------------------------------------------------
// Box-request door

// One thing that happens to a request.
enum class Step {
    Sent,        // the scheduler sends it and clears the slot
    Poll,        // a window's timer
    ResetError,  // result line "1"
    FlashErased, // result line "2"
    Restart,     // the box's restart notice
    Position,    // any other event
    Late,        // the time-out passes
    AlmostLate,  // just before the time-out
    LinkEnded,
};

class Door : public testing::Test {
protected:
    LinkControl link;
    DeviceReadings readings;
    int64_t now = 10'000;
    BoxRequests door{link, [this] { return now; }, 5000};
    std::vector<RequestAnswer> told;

    void apply(Step step) {
        switch (step) {
        case Step::Sent:
            link.pendingCommand = kNoCommand;
            break;
        case Step::Poll:
            door.poll();
            break;
        case Step::ResetError:
            door.deviceEvent(kResetResultEvent, kResetError, readings);
            break;
        case Step::FlashErased:
            door.deviceEvent(kResetResultEvent, kFlashErased, readings);
            break;
        case Step::Restart:
            door.boxRestart();
            break;
        case Step::Position:
            door.deviceEvent(kPositionEvent, 0, readings);
            break;
        case Step::Late:
            now += 5000;
            door.poll();
            break;
        case Step::AlmostLate:
            now += 4999;
            door.poll();
            break;
        case Step::LinkEnded:
            door.linkEnded();
            break;
        }
    }
};

TEST_F(Door, SubmitFillsTheSchedulersSlot) {
    const std::pair<BoxRequest, int32_t> slots[] = {{BoxRequest::Reset, kResetRequest},
                                                    {BoxRequest::Erase, kEraseRequest},
                                                    {BoxRequest::Write, kWriteRequest}};
    for (auto [request, slot] : slots) {
        door.submit(request);
        EXPECT_EQ(link.pendingCommand.load(), slot);
        EXPECT_TRUE(door.waiting());
        EXPECT_EQ(door.request(), request);
    }
}

TEST_F(Door, AnswersEachRequestOnce) {
    struct Case {
        const char* what;
        BoxRequest request;
        bool twoLetter;
        std::vector<Step> steps;
        RequestAnswer answer;
    };
    using S = Step;
    using A = RequestAnswer;
    const std::vector<Case> cases = {
        {"reset: restart", BoxRequest::Reset, true, {S::Sent, S::Poll, S::Restart}, A::Restarted},
        {"reset: restart before the slot is cleared",
         BoxRequest::Reset,
         true,
         {S::Restart},
         A::Restarted},
        {"reset: error line",
         BoxRequest::Reset,
         true,
         {S::Sent, S::Position, S::ResetError},
         A::Failed},
        {"reset: flash erased is not its answer",
         BoxRequest::Reset,
         true,
         {S::Sent, S::Poll, S::FlashErased},
         A::Sent},
        {"reset: no answer", BoxRequest::Reset, true, {S::Sent, S::Poll, S::Late}, A::TimedOut},
        {"reset: not late yet",
         BoxRequest::Reset,
         true,
         {S::Sent, S::Poll, S::AlmostLate},
         A::Sent},
        {"reset: waits in the slot without a time-out",
         BoxRequest::Reset,
         true,
         {S::Late, S::Late, S::Late},
         A::Waiting},
        {"erase, two-letter: restart then result",
         BoxRequest::Erase,
         true,
         {S::Sent, S::Restart, S::FlashErased},
         A::Done},
        {"erase, two-letter: restart alone",
         BoxRequest::Erase,
         true,
         {S::Sent, S::Restart},
         A::Sent},
        {"erase, two-letter: error",
         BoxRequest::Erase,
         true,
         {S::Sent, S::Restart, S::ResetError},
         A::Failed},
        {"erase, one-letter: restart",
         BoxRequest::Erase,
         false,
         {S::Sent, S::Restart},
         A::Restarted},
        {"erase: no answer", BoxRequest::Erase, true, {S::Sent, S::Position, S::Late}, A::TimedOut},
        {"write: done once sent", BoxRequest::Write, true, {S::Sent, S::Poll}, A::Done},
        {"write: noticed by any event", BoxRequest::Write, true, {S::Sent, S::Position}, A::Done},
        {"write: a restart is not its answer", BoxRequest::Write, true, {S::Restart}, A::Waiting},
        {"link ended while waiting", BoxRequest::Reset, true, {S::LinkEnded}, A::Failed},
        {"link ended after the answer",
         BoxRequest::Write,
         true,
         {S::Sent, S::Poll, S::LinkEnded},
         A::Done},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        told.clear();
        link.pendingCommand = kNoCommand;
        link.newProtocol = test.twoLetter;
        door.submit(test.request, [this](RequestAnswer a) { told.push_back(a); });
        for (Step step : test.steps)
            apply(step);
        EXPECT_EQ(door.answer(), test.answer);
        if (isFinal(test.answer)) {
            EXPECT_EQ(told, std::vector<RequestAnswer>{test.answer});
        } else {
            EXPECT_TRUE(told.empty());
            door.linkEnded(); // leaves no request behind for the next case
        }
    }
}

TEST_F(Door, ASecondRequestReplacesOneNotAnswered) {
    std::vector<RequestAnswer> first;
    door.submit(BoxRequest::Erase, [&](RequestAnswer a) { first.push_back(a); });
    door.submit(BoxRequest::Reset, [this](RequestAnswer a) { told.push_back(a); });
    EXPECT_EQ(first, std::vector<RequestAnswer>{RequestAnswer::Replaced});
    EXPECT_EQ(link.pendingCommand.load(), kResetRequest);
    apply(Step::Restart);
    EXPECT_EQ(told, std::vector<RequestAnswer>{RequestAnswer::Restarted});
    EXPECT_EQ(first.size(), 1u);
}

TEST_F(Door, TheAnswerMaySubmitTheNextRequest) {
    // The wizard erases after a reset.
    door.submit(BoxRequest::Reset, [this](RequestAnswer a) {
        told.push_back(a);
        door.submit(BoxRequest::Erase, [this](RequestAnswer b) { told.push_back(b); });
    });
    apply(Step::Restart);
    EXPECT_EQ(door.request(), BoxRequest::Erase);
    EXPECT_EQ(link.pendingCommand.load(), kEraseRequest);
    link.newProtocol = true;
    for (Step step : {Step::Sent, Step::Restart, Step::FlashErased})
        apply(step);
    EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Restarted, RequestAnswer::Done}));
}

TEST_F(Door, ASlotTakenByAnotherRequestCountsAsSent) {
    // The noise measurement writes the slot too; the door's request went out
    // before it.
    door.submit(BoxRequest::Write, [this](RequestAnswer a) { told.push_back(a); });
    link.pendingCommand = kInterferenceRequest;
    door.poll();
    EXPECT_EQ(told, std::vector<RequestAnswer>{RequestAnswer::Done});
}

// ---------------------------------------------------------------------------
// Samples of a recording

TEST(RecordedEvents, PositionAndReferenceSamplesOnly) {
    DeviceReadings readings;
    readings.displayPosition = 1234;
    readings.refPosition = -777;
    readings.amplitudeWH = 61.5;
    readings.amplitudeYE = 72.25;
    EXPECT_EQ(recordedEvent(kAmplitudeWhiteEvent, readings),
              (RecordedEvent{1234, 61.5, 72.25, false}));
    EXPECT_EQ(recordedEvent(kReferenceMarkEvent, readings),
              (RecordedEvent{-777, 61.5, 72.25, true}));
    for (int code = 0; code <= kSerialNumbersEvent + 1; ++code) {
        if (code == kAmplitudeWhiteEvent || code == kReferenceMarkEvent)
            continue;
        EXPECT_EQ(recordedEvent(code, readings), std::nullopt) << code;
    }
}

} // namespace
