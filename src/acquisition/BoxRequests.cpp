#include "acquisition/BoxRequests.h"

#include "device/DeviceEvents.h"
#include "device/LinkControl.h"

#include <utility>

namespace {

int32_t slotValue(BoxRequest request) {
    switch (request) {
    case BoxRequest::Reset:
        return kResetRequest;
    case BoxRequest::Erase:
        return kEraseRequest;
    case BoxRequest::Write:
        return kWriteRequest;
    }
    return kNoCommand;
}

} // namespace

bool isFinal(RequestAnswer answer) {
    return answer != RequestAnswer::None && answer != RequestAnswer::Waiting &&
           answer != RequestAnswer::Sent;
}

BoxRequests::BoxRequests(LinkControl& link, std::function<int64_t()> clockMs,
                         int64_t answerTimeoutMs)
    : link_(link), clock_(std::move(clockMs)), timeout_(answerTimeoutMs) {}

void BoxRequests::submit(BoxRequest request, Callback done) {
    if (answer_ == RequestAnswer::Waiting || answer_ == RequestAnswer::Sent)
        finish(RequestAnswer::Replaced);
    request_ = request;
    answer_ = RequestAnswer::Waiting;
    done_ = std::move(done);
    link_.pendingCommand.store(slotValue(request));
}

RequestAnswer BoxRequests::poll() {
    if (answer_ == RequestAnswer::Waiting && link_.pendingCommand.load() != slotValue(request_)) {
        // The scheduler cleared the slot: the bytes are out.
        sentAt_ = clock_();
        if (request_ == BoxRequest::Write) {
            finish(RequestAnswer::Done);
            return answer_;
        }
        answer_ = RequestAnswer::Sent;
    }
    if (answer_ == RequestAnswer::Sent && clock_() - sentAt_ >= timeout_)
        finish(RequestAnswer::TimedOut);
    return answer_;
}

void BoxRequests::deviceEvent(int code, int param, const DeviceReadings&) {
    if (answer_ != RequestAnswer::Waiting && answer_ != RequestAnswer::Sent)
        return;
    if (code != kResetResultEvent) {
        poll();
        return;
    }
    // The result line answers the request just sent, whichever it was.
    if (param == kResetError)
        finish(RequestAnswer::Failed);
    else if (param == kFlashErased && request_ == BoxRequest::Erase)
        finish(RequestAnswer::Done);
}

void BoxRequests::boxRestart() {
    // Only the scheduler announces a restart, as it sends a reset or an
    // erase; the notice may come before it has cleared the slot.
    if (answer_ == RequestAnswer::Waiting && request_ != BoxRequest::Write) {
        sentAt_ = clock_();
        answer_ = RequestAnswer::Sent;
    }
    poll();
    if (answer_ != RequestAnswer::Sent)
        return;
    // A two-letter erase announces the restart too, and reports its result
    // afterwards; the one-letter box has no result line.
    if (request_ == BoxRequest::Reset ||
        (request_ == BoxRequest::Erase && !link_.newProtocol.load()))
        finish(RequestAnswer::Restarted);
}

void BoxRequests::linkEnded() {
    if (answer_ == RequestAnswer::Waiting || answer_ == RequestAnswer::Sent)
        finish(RequestAnswer::Failed);
}

void BoxRequests::finish(RequestAnswer answer) {
    answer_ = answer;
    // The callback may submit the next request.
    Callback done = std::exchange(done_, {});
    if (done)
        done(answer);
}
