#include "recorder/FixedPointText.h"

#include <charconv>

namespace {

void appendPadded(std::string& out, const char* begin, const char* end, int width) {
    const int length = static_cast<int>(end - begin);
    if (length < width) {
        out.append(static_cast<std::size_t>(width - length), ' ');
    }
    out.append(begin, end);
}

} // namespace

void appendFixed(std::string& out, double value, int width, int precision) {
    // The largest double written out in full has 309 digits before the point.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    appendPadded(out, buffer, result.ptr, width);
}

void appendSigned(std::string& out, std::int32_t value, int width) {
    char buffer[16];
    char* begin = buffer + 1;
    const auto result = std::to_chars(begin, buffer + sizeof buffer, value);
    if (value >= 0) {
        begin = buffer;
        *begin = '+';
    }
    appendPadded(out, begin, result.ptr, width);
}
