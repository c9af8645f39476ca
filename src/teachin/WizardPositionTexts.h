#pragma once
// The position and speed texts under the wizard's bars, from the texts the
// main window shows: the number shortened to one decimal and what follows it
// kept ("Pos: 123.4°    ", "Rpm: 2.5    "). A text without a decimal point
// is kept whole, so whole speeds and degrees/minutes/seconds still show.

#include <string>
#include <string_view>

std::string wizardPositionText(std::string_view given);
std::string wizardSpeedText(std::string_view given);
