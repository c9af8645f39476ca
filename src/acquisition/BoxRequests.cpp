#include "acquisition/BoxRequests.h"

#include "device/DeviceEvents.h"
#include "device/LinkControl.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace {

int32_t slotValue(BoxRequest request) {
    switch (request) {
    case BoxRequest::Reset:
        return kResetRequest;
    case BoxRequest::Erase:
        return kEraseRequest;
    case BoxRequest::Write:
        return kWriteRequest;
    case BoxRequest::Interference:
        return kInterferenceRequest;
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

BoxRequests::~BoxRequests() = default;

bool BoxRequests::active() const {
    return answer_ == RequestAnswer::Waiting || answer_ == RequestAnswer::Sent;
}

bool BoxRequests::slotTaken() const {
    return link_.pendingCommand.load() != kNoCommand;
}

void BoxRequests::submit(BoxRequest request, Callback told) {
    if (besideWaiting_)
        finishBeside(RequestAnswer::Replaced);
    if (request == BoxRequest::Interference && answer_ == RequestAnswer::Sent) {
        // A measurement does not undo a restart under way: the box is still
        // awaited, and the measurement goes out beside it.
        besideWaiting_ = true;
        besideTold_ = std::move(told);
        link_.pendingCommand.store(kInterferenceRequest);
        if (observer)
            observer(request, RequestAnswer::Waiting);
        return;
    }
    if (active())
        finish(RequestAnswer::Replaced);
    request_ = request;
    answer_ = RequestAnswer::Waiting;
    restarted_ = false;
    told_ = std::move(told);
    link_.pendingCommand.store(slotValue(request));
    if (observer)
        observer(request, RequestAnswer::Waiting);
}

RequestAnswer BoxRequests::poll() {
    if (besideWaiting_ && link_.pendingCommand.load() != kInterferenceRequest)
        finishBeside(RequestAnswer::Done);
    // The scheduler clears the slot once the bytes are out (or another
    // request took the slot after them).
    if (answer_ == RequestAnswer::Waiting && link_.pendingCommand.load() != slotValue(request_))
        markSent();
    if (answer_ == RequestAnswer::Sent && clock_() - sentAt_ >= timeout_)
        finish(RequestAnswer::TimedOut);
    return answer_;
}

void BoxRequests::deviceEvent(int code, int param, const DeviceReadings&) {
    if (!active() && !besideWaiting_)
        return;
    poll();
    if (answer_ != RequestAnswer::Sent)
        return;
    if (code == kResetResultEvent && param == kResetError) {
        finish(RequestAnswer::Failed);
    } else if (code == kStatusEvent && param != kStatusNotReady && restarted_) {
        // The parser reports the first status lines after a restart as not
        // ready; a valid one means the box is back and settled.
        finish(RequestAnswer::Back);
    }
}

void BoxRequests::boxRestart() {
    // Only the scheduler announces a restart, as it sends a reset or an
    // erase; the notice may come before it has cleared the slot.
    if (answer_ == RequestAnswer::Waiting &&
        (request_ == BoxRequest::Reset || request_ == BoxRequest::Erase))
        markSent();
    if (answer_ == RequestAnswer::Sent)
        restarted_ = true;
}

void BoxRequests::linkEnded() {
    if (besideWaiting_)
        finishBeside(RequestAnswer::Failed);
    if (active())
        finish(RequestAnswer::Failed);
}

void BoxRequests::markSent() {
    sentAt_ = clock_();
    answer_ = RequestAnswer::Sent;
    if (told_) {
        // A copy: the callback may submit the next request.
        Callback told = told_;
        told(RequestAnswer::Sent);
        if (answer_ != RequestAnswer::Sent)
            return; // replaced from inside the callback
    }
    // The one-letter scheduler takes a write for a poll: nothing went out.
    // (Its dialect is known, as the scheduler holds requests until then.)
    if (request_ == BoxRequest::Write && !link_.newProtocol && !link_.awaitingIdentification)
        finish(RequestAnswer::NotSent);
    else if (request_ == BoxRequest::Write || request_ == BoxRequest::Interference)
        finish(RequestAnswer::Done);
}

void BoxRequests::finish(RequestAnswer answer) {
    answer_ = answer;
    if (observer)
        observer(request_, answer);
    // The callback may submit the next request.
    Callback told = std::exchange(told_, {});
    if (told)
        told(answer);
}

void BoxRequests::finishBeside(RequestAnswer answer) {
    besideWaiting_ = false;
    if (observer)
        observer(BoxRequest::Interference, answer);
    // The callback may submit the next request.
    Callback told = std::exchange(besideTold_, {});
    if (!told)
        return;
    if (answer == RequestAnswer::Done)
        told(RequestAnswer::Sent);
    told(answer);
}
