#pragma once
// Small text helpers of the display: printf-style formatting into a
// std::string (no fixed buffer to overrun) and a safe view of the readings'
// fixed-size text fields.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// printf-style formatting; the result has whatever length the values need.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A text field of DeviceReadings as a view; stops at the end of the array even
// when the closing zero byte is missing.
template <std::size_t N> std::string_view fieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}
