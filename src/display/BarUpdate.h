#pragma once
// What an amplitude bar of a read head is told: a new amplitude, forget its
// minimum and maximum (its offsets were reported, or the box was reset), or
// be drawn again. The diagnosis window's bars and the wizard's take the same
// updates.

#include "device/Head.h"

struct BarUpdate {
    enum class Kind {
        Amplitude,      // `amplitude` is the head's new value
        ForgetExtremes, // the bar's minimum and maximum start over; nothing is drawn
        Redraw,         // the bar is drawn again (the white one with the scale)
    };
    Kind kind = Kind::Redraw;
    Head head = Head::WH;
    double amplitude = 0.0;

    static BarUpdate newAmplitude(Head head, double amplitude) {
        return {Kind::Amplitude, head, amplitude};
    }
    static BarUpdate forgetExtremes(Head head) { return {Kind::ForgetExtremes, head, 0.0}; }
    static BarUpdate redraw(Head head) { return {Kind::Redraw, head, 0.0}; }

    // The same update in the letters of the wizard's bar rules ('W'/'Y' with
    // the amplitude, 'R' and 'P' with the head's code).
    char command() const {
        switch (kind) {
        case Kind::Amplitude:
            return headLetter(head);
        case Kind::ForgetExtremes:
            return 'R';
        case Kind::Redraw:
            break;
        }
        return 'P';
    }
    double value() const { return kind == Kind::Amplitude ? amplitude : headCode(head); }
};
