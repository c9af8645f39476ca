#pragma once
// The one door through which the user-interface thread asks the box for a
// reset, an erase, a write or an interference measurement, and learns what
// became of it.
//
//   requests.submit(BoxRequest::Erase, [](RequestAnswer a) { ... });
//   Waiting (in the scheduler's slot) -> Sent -> Back (the box restarted and
//   its status has settled) or Failed (reset error), or TimedOut when that
//   takes too long. A write and an interference request are Done once sent;
//   a write to a one-letter box, which knows no write, is NotSent.
//
// The callback hears Sent and then the final answer. A request waits in the
// slot while the box identifies itself after a reset of the readings (the
// scheduler sends nothing else then) and is not lost by it; the time-out runs
// only from the turn that sent it. A second request replaces one that has not
// been answered; the first is told Replaced. An interference request is a
// measurement, not a change of the box: it does not take the place of a reset
// or an erase that went out and awaits the box, but goes out beside it.
//
// This door is pendingCommand's only writer on the user-interface thread; the
// scheduler clears it once sent.
//
// The door is the core's first receiver; poll() (the core's tick) notices
// that the request went out and ends it with a time-out.

#include "acquisition/DeviceReceiver.h"
#include "device/BoxRequest.h"

#include <cstdint>
#include <functional>

struct LinkControl;

enum class RequestAnswer {
    None,     // no request
    Waiting,  // in the scheduler's slot
    Sent,     // sent; for a reset or an erase the box is awaited
    Done,     // a write: sent
    Back,     // reset, erase: the box restarted and reports a settled status
    Failed,   // the box reported a reset error, or the link ended
    TimedOut, // not back within the time-out after sending
    Replaced, // another request took its place before an answer came
    NotSent,  // a write to a one-letter box: it has no such request, the turn polled
};

// An answer after which nothing more comes for that request.
bool isFinal(RequestAnswer answer);

class BoxRequests : public DeviceReceiver {
public:
    // A restart takes a few seconds and the status a few poll cycles more.
    static constexpr int64_t kAnswerTimeoutMs = 15000;

    using Callback = std::function<void(RequestAnswer)>;

    BoxRequests(LinkControl& link, std::function<int64_t()> clockMs,
                int64_t answerTimeoutMs = kAnswerTimeoutMs);
    ~BoxRequests() override;
    BoxRequests(const BoxRequests&) = delete;
    BoxRequests& operator=(const BoxRequests&) = delete;

    // Leaves the request for the scheduler's next turn. `told` hears Sent
    // (not for a replaced request) and then the final answer, once each.
    void submit(BoxRequest request, Callback told = {});

    // Notices that the request was sent and ends an overdue one; returns the
    // current answer.
    RequestAnswer poll();

    RequestAnswer answer() const { return answer_; }
    BoxRequest request() const { return request_; }
    // The request has not left the slot yet.
    bool waiting() const { return answer_ == RequestAnswer::Waiting; }
    // Waiting or Sent.
    bool active() const;
    // A request, whoever made it, has not left the scheduler's slot yet.
    bool slotTaken() const;

    // Hears every request as it is submitted (Waiting) and its final answer,
    // whoever submitted it: the event log's view of the door.
    std::function<void(BoxRequest, RequestAnswer)> observer;

    // DeviceReceiver
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void boxRestart() override;
    void linkEnded() override;

private:
    void markSent();
    void finish(RequestAnswer answer);
    // The interference request that went out beside a sent reset or erase.
    void finishBeside(RequestAnswer answer);

    LinkControl& link_;
    std::function<int64_t()> clock_;
    int64_t timeout_;
    BoxRequest request_ = BoxRequest::Reset;
    RequestAnswer answer_ = RequestAnswer::None;
    int64_t sentAt_ = 0;
    bool restarted_ = false; // the box announced its restart since sending
    Callback told_;
    bool besideWaiting_ = false;
    Callback besideTold_;
};
