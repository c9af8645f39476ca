// The pieces of the acquisition core that decide without a thread: the
// receiver list, the box-request door and the samples a recording takes.

#include "acquisition/BoxRequests.h"
#include "acquisition/ReceiverList.h"
#include "acquisition/RecordedEvent.h"
#include "config/ConfigData.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PositionTracker.h"

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
    Poll,        // the core's tick
    ResetError,  // result line "1"
    FlashErased, // result line "2" (the older box after an erase)
    Restart,     // the box's restart notice
    NotReady,    // a status line while the box starts
    Settled,     // a valid status line
    Position,    // any other event
    Late,        // the time-out passes
    AlmostLate,  // just before the time-out
    LinkEnded,
};

class Door : public testing::Test {
protected:
    // A two-letter box unless a test says otherwise: it knows every request.
    Door() { link.newProtocol = true; }

    LinkControl link;
    DeviceReadings readings;
    int64_t now = 10'000;
    BoxRequests requests{link, [this] { return now; }, 5000};
    std::vector<RequestAnswer> told;

    void apply(Step step) {
        switch (step) {
        case Step::Sent:
            link.pendingCommand = kNoCommand;
            break;
        case Step::Poll:
            requests.poll();
            break;
        case Step::ResetError:
            requests.deviceEvent(kResetResultEvent, kResetError, readings);
            break;
        case Step::FlashErased:
            requests.deviceEvent(kResetResultEvent, kFlashErased, readings);
            break;
        case Step::Restart:
            requests.boxRestart();
            break;
        case Step::NotReady:
            requests.deviceEvent(kStatusEvent, kStatusNotReady, readings);
            break;
        case Step::Settled:
            requests.deviceEvent(kStatusEvent, kStatusValidTwoLetter, readings);
            break;
        case Step::Position:
            requests.deviceEvent(kPositionEvent, 0, readings);
            break;
        case Step::Late:
            now += 5000;
            requests.poll();
            break;
        case Step::AlmostLate:
            now += 4999;
            requests.poll();
            break;
        case Step::LinkEnded:
            requests.linkEnded();
            break;
        }
    }
};

TEST_F(Door, SubmitFillsTheSchedulersSlot) {
    const std::pair<BoxRequest, int32_t> slots[] = {
        {BoxRequest::Reset, kResetRequest},
        {BoxRequest::Erase, kEraseRequest},
        {BoxRequest::Write, kWriteRequest},
        {BoxRequest::Interference, kInterferenceRequest}};
    for (auto [request, slot] : slots) {
        requests.submit(request);
        EXPECT_EQ(link.pendingCommand.load(), slot);
        EXPECT_TRUE(requests.waiting());
        EXPECT_EQ(requests.request(), request);
    }
}

TEST_F(Door, TellsWhenARequestWentOutAndWhatBecameOfIt) {
    using S = Step;
    using A = RequestAnswer;
    using Told = std::vector<RequestAnswer>;
    struct Case {
        const char* what;
        BoxRequest request;
        std::vector<Step> steps;
        A answer;
        Told told;
    };
    const std::vector<Case> cases = {
        {"reset: back",
         BoxRequest::Reset,
         {S::Sent, S::Poll, S::Restart, S::NotReady, S::NotReady, S::Settled},
         A::Back,
         {A::Sent, A::Back}},
        {"reset: the restart notice before the slot is cleared",
         BoxRequest::Reset,
         {S::Restart, S::Settled},
         A::Back,
         {A::Sent, A::Back}},
        {"reset: a status before the restart is the old box's",
         BoxRequest::Reset,
         {S::Sent, S::Poll, S::Settled},
         A::Sent,
         {A::Sent}},
        {"reset: error line",
         BoxRequest::Reset,
         {S::Sent, S::Position, S::ResetError},
         A::Failed,
         {A::Sent, A::Failed}},
        {"reset: flash erased is not its answer",
         BoxRequest::Reset,
         {S::Sent, S::Poll, S::FlashErased},
         A::Sent,
         {A::Sent}},
        {"reset: no answer",
         BoxRequest::Reset,
         {S::Sent, S::Poll, S::Late},
         A::TimedOut,
         {A::Sent, A::TimedOut}},
        {"reset: restarted but never settled",
         BoxRequest::Reset,
         {S::Sent, S::Restart, S::NotReady, S::Late},
         A::TimedOut,
         {A::Sent, A::TimedOut}},
        {"reset: not late yet",
         BoxRequest::Reset,
         {S::Sent, S::Poll, S::AlmostLate},
         A::Sent,
         {A::Sent}},
        {"reset: waits in the slot without a time-out",
         BoxRequest::Reset,
         {S::Late, S::Late, S::Late},
         A::Waiting,
         {}},
        {"erase, two-letter: back",
         BoxRequest::Erase,
         {S::Sent, S::Restart, S::Settled},
         A::Back,
         {A::Sent, A::Back}},
        {"erase, one-letter: erased, then back",
         BoxRequest::Erase,
         {S::Restart, S::Sent, S::FlashErased, S::NotReady, S::Settled},
         A::Back,
         {A::Sent, A::Back}},
        {"erase: error",
         BoxRequest::Erase,
         {S::Sent, S::Restart, S::ResetError},
         A::Failed,
         {A::Sent, A::Failed}},
        {"write: done once sent",
         BoxRequest::Write,
         {S::Sent, S::Poll},
         A::Done,
         {A::Sent, A::Done}},
        {"write: noticed by any event",
         BoxRequest::Write,
         {S::Sent, S::Position},
         A::Done,
         {A::Sent, A::Done}},
        {"write: a restart is not its answer", BoxRequest::Write, {S::Restart}, A::Waiting, {}},
        {"interference: done once sent",
         BoxRequest::Interference,
         {S::Sent, S::Position},
         A::Done,
         {A::Sent, A::Done}},
        {"interference: a restart is not its answer",
         BoxRequest::Interference,
         {S::Restart, S::Late},
         A::Waiting,
         {}},
        {"link ended while waiting", BoxRequest::Reset, {S::LinkEnded}, A::Failed, {A::Failed}},
        {"link ended after the answer",
         BoxRequest::Write,
         {S::Sent, S::Poll, S::LinkEnded},
         A::Done,
         {A::Sent, A::Done}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        told.clear();
        link.pendingCommand = kNoCommand;
        requests.submit(test.request, [this](RequestAnswer a) { told.push_back(a); });
        for (Step step : test.steps)
            apply(step);
        EXPECT_EQ(requests.answer(), test.answer);
        EXPECT_EQ(told, test.told);
        EXPECT_EQ(requests.active(), !isFinal(test.answer));
        requests.linkEnded(); // leaves no request behind for the next case
    }
}

TEST_F(Door, ASecondRequestReplacesOneNotAnswered) {
    std::vector<RequestAnswer> first;
    requests.submit(BoxRequest::Erase, [&](RequestAnswer a) { first.push_back(a); });
    requests.submit(BoxRequest::Reset, [this](RequestAnswer a) { told.push_back(a); });
    EXPECT_EQ(first, std::vector<RequestAnswer>{RequestAnswer::Replaced});
    EXPECT_EQ(link.pendingCommand.load(), kResetRequest);
    for (Step step : {Step::Restart, Step::Settled})
        apply(step);
    EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Sent, RequestAnswer::Back}));
    EXPECT_EQ(first.size(), 1u);
}

TEST_F(Door, TheAnswerMaySubmitTheNextRequest) {
    // The wizard erases once the box is back from a reset.
    requests.submit(BoxRequest::Reset, [this](RequestAnswer a) {
        told.push_back(a);
        if (a == RequestAnswer::Back)
            requests.submit(BoxRequest::Erase, [this](RequestAnswer b) { told.push_back(b); });
    });
    for (Step step : {Step::Sent, Step::Restart, Step::Settled})
        apply(step);
    EXPECT_EQ(requests.request(), BoxRequest::Erase);
    EXPECT_EQ(link.pendingCommand.load(), kEraseRequest);
    for (Step step : {Step::Sent, Step::Restart, Step::Settled})
        apply(step);
    using A = RequestAnswer;
    EXPECT_EQ(told, (std::vector<A>{A::Sent, A::Back, A::Sent, A::Back}));
}

TEST_F(Door, AnInterferenceRequestReplacesOnlyARequestStillInTheSlot) {
    using A = RequestAnswer;
    std::vector<std::pair<BoxRequest, A>> seen;
    requests.observer = [&](BoxRequest r, A a) { seen.emplace_back(r, a); };

    // Not sent yet: the measurement takes the slot, the erase is told so.
    requests.submit(BoxRequest::Erase, [this](A a) { told.push_back(a); });
    requests.submit(BoxRequest::Interference);
    EXPECT_EQ(told, std::vector<A>{A::Replaced});
    EXPECT_EQ(link.pendingCommand.load(), kInterferenceRequest);
    EXPECT_TRUE(requests.slotTaken());
    apply(Step::Sent);
    EXPECT_FALSE(requests.slotTaken());
    EXPECT_EQ(requests.poll(), A::Done);

    // Sent and awaiting the box: the reset stays awaited, the measurement
    // goes out beside it and is answered once it has left the slot.
    told.clear();
    seen.clear();
    requests.submit(BoxRequest::Reset, [this](A a) { told.push_back(a); });
    for (Step step : {Step::Sent, Step::Restart})
        apply(step);
    std::vector<A> measurement;
    requests.submit(BoxRequest::Interference, [&](A a) { measurement.push_back(a); });
    EXPECT_EQ(link.pendingCommand.load(), kInterferenceRequest);
    EXPECT_EQ(requests.request(), BoxRequest::Reset);
    apply(Step::NotReady);
    EXPECT_TRUE(measurement.empty()) << "still in the slot";
    apply(Step::Sent);
    apply(Step::Settled);
    EXPECT_EQ(measurement, (std::vector<A>{A::Sent, A::Done}));
    EXPECT_EQ(told, (std::vector<A>{A::Sent, A::Back}));
    EXPECT_EQ(seen, (std::vector<std::pair<BoxRequest, A>>{{BoxRequest::Reset, A::Waiting},
                                                           {BoxRequest::Interference, A::Waiting},
                                                           {BoxRequest::Interference, A::Done},
                                                           {BoxRequest::Reset, A::Back}}));

    // A reset submitted while the measurement waits beside one takes the slot.
    requests.submit(BoxRequest::Erase);
    for (Step step : {Step::Sent, Step::Restart})
        apply(step);
    measurement.clear();
    requests.submit(BoxRequest::Interference, [&](A a) { measurement.push_back(a); });
    requests.submit(BoxRequest::Reset);
    EXPECT_EQ(measurement, std::vector<A>{A::Replaced});
    EXPECT_EQ(link.pendingCommand.load(), kResetRequest);
}

TEST_F(Door, AWriteToAOneLetterBoxIsNotSent) {
    // Its scheduler takes the write for a poll.
    link.newProtocol = false;
    requests.submit(BoxRequest::Write, [this](RequestAnswer a) { told.push_back(a); });
    apply(Step::Sent);
    apply(Step::Poll);
    EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Sent, RequestAnswer::NotSent}));
    EXPECT_TRUE(isFinal(requests.answer()));
}

TEST_F(Door, ASlotTakenByAnotherRequestCountsAsSent) {
    // Something else wrote the slot (only the door does in the program); the
    // door's request went out before it.
    requests.submit(BoxRequest::Write, [this](RequestAnswer a) { told.push_back(a); });
    link.pendingCommand = kInterferenceRequest;
    requests.poll();
    EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Sent, RequestAnswer::Done}));
}

// ---------------------------------------------------------------------------
// Samples of a recording

TEST(RecordedEvents, PositionAndReferenceSamplesOnly) {
    DeviceReadings readings;
    ConfigData config;
    LinkControl link;
    link.newProtocol = true;
    PositionTracker positions(config, link);
    readings.rawPosition = 1234;
    positions.positionEvent(readings);
    // An absolute box's mark, shifted as its positions are.
    readings.absolutePositionMode = true;
    readings.refRawPosition = 20000 - 777 + 1728 * 5000;
    positions.referenceMarkEvent(readings);
    readings.amplitudeWH = 61.5;
    readings.amplitudeYE = 72.25;
    EXPECT_EQ(recordedEvent(kAmplitudeWhiteEvent, readings, positions),
              (RecordedEvent{1234, 61.5, 72.25, false}));
    EXPECT_EQ(recordedEvent(kReferenceMarkEvent, readings, positions),
              (RecordedEvent{-777, 61.5, 72.25, true}));
    for (int code = 0; code <= kSerialNumbersEvent + 1; ++code) {
        if (code == kAmplitudeWhiteEvent || code == kReferenceMarkEvent)
            continue;
        EXPECT_EQ(recordedEvent(code, readings, positions), std::nullopt) << code;
    }
}

} // namespace
