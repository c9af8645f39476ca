#pragma once
// The pieces of the plant's JSON messages: strings escaped, numbers with the
// decimal point whatever the locale, and no number that JSON cannot hold.

#include <string>

std::string jsonString(const std::string& s);
// A finite number with `decimals` places; null for infinity or NaN.
std::string jsonNumber(double value, int decimals = 3);
