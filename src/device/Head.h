#pragma once
// The two read heads of the bearing: WH the white head, YE the yellow head.
// The box's lines and the bar commands name a head by its letter ('W', 'Y'),
// a bar command's value by the letter's code (87, 89); the channel values
// number the heads' sensors 0 and 1 (white A, B) and 2 and 3 (yellow A, B).

#include <optional>

enum class Head { WH, YE };

constexpr char headLetter(Head head) {
    return head == Head::WH ? 'W' : 'Y';
}

// The letter as a bar command's value: 87 white, 89 yellow.
constexpr int headCode(Head head) {
    return headLetter(head);
}

// Channel A of the head; channel B is the next one.
constexpr int headFirstChannel(Head head) {
    return head == Head::WH ? 0 : 2;
}

constexpr std::optional<Head> headFromLetter(char letter) {
    if (letter == 'W')
        return Head::WH;
    if (letter == 'Y')
        return Head::YE;
    return std::nullopt;
}

// A bar command's value (a double carrying 87 or 89); nothing for any other.
constexpr std::optional<Head> headFromCode(double code) {
    if (code == headCode(Head::WH))
        return Head::WH;
    if (code == headCode(Head::YE))
        return Head::YE;
    return std::nullopt;
}

// The head whose channel A is `channel`: 0 white, 2 yellow; nothing otherwise.
constexpr std::optional<Head> headWithFirstChannel(int channel) {
    if (channel == headFirstChannel(Head::WH))
        return Head::WH;
    if (channel == headFirstChannel(Head::YE))
        return Head::YE;
    return std::nullopt;
}
