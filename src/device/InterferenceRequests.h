#pragma once
// How the noise measurement asks the box for an interference measurement: its
// owner connects both to the box-request door (BoxRequest::Interference), so
// the measurement needs no part of the acquisition core and the core none of
// the display.

#include <functional>

struct InterferenceRequests {
    std::function<void()> request;   // one measurement, sent on the scheduler's next turn
    std::function<bool()> slotTaken; // a request, whoever's, has not left the slot yet
};
