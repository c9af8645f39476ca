#include "config/Latin1.h"

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence that starts with `lead`; 1 for a byte that
// cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

// Length of a well-formed sequence at `pos`, or 0.
std::size_t validSequence(std::string_view s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        return 1;
    }
    const std::size_t n = sequenceLength(lead);
    if (n == 1 || pos + n > s.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (!isContinuation(static_cast<unsigned char>(s[pos + i]))) {
            return 0;
        }
    }
    return n;
}

} // namespace

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t n = validSequence(utf8, pos);
        if (n == 0) {
            out += '?';
            ++pos;
            continue;
        }
        if (n == 1) {
            out += utf8[pos];
        } else if (n == 2) {
            const unsigned code = ((static_cast<unsigned char>(utf8[pos]) & 0x1Fu) << 6) |
                                  (static_cast<unsigned char>(utf8[pos + 1]) & 0x3Fu);
            out += code <= 0xFF ? static_cast<char>(code) : '?';
        } else {
            out += '?';
        }
        pos += n;
    }
    return out;
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t n = validSequence(utf8, pos);
        pos += n == 0 ? 1 : n;
        ++count;
    }
    return count;
}

std::string utf8Prefix(std::string_view utf8, std::size_t characters) {
    std::size_t pos = 0;
    std::size_t count = 0;
    while (pos < utf8.size() && count < characters) {
        const std::size_t n = validSequence(utf8, pos);
        pos += n == 0 ? 1 : n;
        ++count;
    }
    return std::string(utf8.substr(0, pos));
}
