#pragma once
// The one door through which the user-interface thread asks the box for a
// reset, an erase or a write, and learns the box's answer.
//
//   door.submit(BoxRequest::Erase, [](RequestAnswer a) { ... });   // once
//   ... Waiting (in the scheduler's slot) -> Sent -> Done / Failed / Restarted,
//       or TimedOut when the box does not answer in time.
//
// A request waits in the slot while the box identifies itself after a reset
// of the readings (the scheduler sends nothing else then), so the time-out
// runs only from the turn that sent it. A write has no answer line: it is
// done once sent. A second request replaces one that has not been answered;
// the first is told Replaced.
//
// Writers of LinkControl::pendingCommand: this door (reset, erase, write) and
// the noise measurement (interference) on the user-interface thread; the
// scheduler clears it on the reader thread.
//
// The door is a receiver of AcquisitionCore; poll() (from a window's timer)
// notices that the request went out and ends it with a time-out.

#include "acquisition/DeviceReceiver.h"
#include "device/BoxRequest.h"

#include <cstdint>
#include <functional>

struct LinkControl;

enum class RequestAnswer {
    None,      // no request
    Waiting,   // in the scheduler's slot
    Sent,      // sent; the answer is awaited
    Done,      // erase: "flash erased"; write: sent
    Failed,    // the box reported a reset error, or the link ended
    Restarted, // reset (or a one-letter erase): the box announced its restart
    TimedOut,  // no answer within the time-out after sending
    Replaced,  // another request took its place before an answer came
};

// An answer after which nothing more comes for that request.
bool isFinal(RequestAnswer answer);

class BoxRequests : public DeviceReceiver {
public:
    static constexpr int64_t kAnswerTimeoutMs = 5000;

    using Callback = std::function<void(RequestAnswer)>;

    BoxRequests(LinkControl& link, std::function<int64_t()> clockMs,
                int64_t answerTimeoutMs = kAnswerTimeoutMs);

    // Leaves the request for the scheduler's next turn. `done` is called
    // once with the final answer (not for Waiting and Sent).
    void submit(BoxRequest request, Callback done = {});

    // Notices that the request was sent and ends an overdue one; returns the
    // current answer.
    RequestAnswer poll();

    RequestAnswer answer() const { return answer_; }
    BoxRequest request() const { return request_; }
    // The request has not left the slot yet.
    bool waiting() const { return answer_ == RequestAnswer::Waiting; }

    // DeviceReceiver
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void boxRestart() override;
    void linkEnded() override;

private:
    void finish(RequestAnswer answer);

    LinkControl& link_;
    std::function<int64_t()> clock_;
    int64_t timeout_;
    BoxRequest request_ = BoxRequest::Reset;
    RequestAnswer answer_ = RequestAnswer::None;
    int64_t sentAt_ = 0;
    Callback done_;
};
