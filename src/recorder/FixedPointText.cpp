#include "recorder/FixedPointText.h"

#include <charconv>
#include <cstring>

namespace {

char* writePadded(char* out, const char* begin, const char* end, int width) {
    const int length = static_cast<int>(end - begin);
    if (length < width) {
        std::memset(out, ' ', static_cast<std::size_t>(width - length));
        out += width - length;
    }
    std::memcpy(out, begin, static_cast<std::size_t>(length));
    return out + length;
}

} // namespace

char* writeFixed(char* out, double value, int width, int precision) {
    char buffer[kMaxFixedText];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    return writePadded(out, buffer, result.ptr, width);
}

char* writeSigned(char* out, std::int32_t value, int width) {
    char buffer[16];
    char* begin = buffer + 1;
    const auto result = std::to_chars(begin, buffer + sizeof buffer, value);
    if (value >= 0) {
        begin = buffer;
        *begin = '+';
    }
    return writePadded(out, begin, result.ptr, width);
}

void appendFixed(std::string& out, double value, int width, int precision) {
    char buffer[kMaxFixedText + 64];
    out.append(buffer, writeFixed(buffer, value, width, precision));
}

void appendSigned(std::string& out, std::int32_t value, int width) {
    char buffer[64];
    out.append(buffer, writeSigned(buffer, value, width));
}
