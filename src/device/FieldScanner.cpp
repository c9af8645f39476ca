#include "device/FieldScanner.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lower(text[pos + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

// Reads digits of `base` from text[pos] on into a saturated magnitude.
// Returns the number of digits read.
std::size_t readMagnitude(std::string_view text, std::size_t& pos, int base, uint64_t& magnitude) {
    constexpr uint64_t kCap = uint64_t{1} << 40; // far above any int32 magnitude
    std::size_t digits = 0;
    magnitude = 0;
    while (pos < text.size()) {
        const int d = digitValue(text[pos]);
        if (d >= base) {
            break;
        }
        if (magnitude < kCap) {
            magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        }
        ++pos;
        ++digits;
    }
    return digits;
}

// An optional sign at text[pos]: steps over it and tells whether it is a minus.
bool takeSign(std::string_view text, std::size_t& pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        return text[pos++] == '-';
    }
    return false;
}

int32_t saturate(bool negative, uint64_t magnitude) {
    constexpr uint64_t kMaxPositive = std::numeric_limits<int32_t>::max();
    if (negative) {
        if (magnitude > kMaxPositive + 1) {
            return std::numeric_limits<int32_t>::min();
        }
        return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    }
    if (magnitude > kMaxPositive) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(magnitude);
}

// The value of a decimal number text (digits, point, exponent; no sign) that
// std::from_chars finds out of range: infinity when it is large, 0 when small.
double outOfRange(std::string_view number) {
    // Decimal exponent of the first significant digit, then the written exponent.
    long long exponent = 0;
    std::size_t i = 0;
    while (i < number.size() && number[i] == '0') {
        ++i;
    }
    long long integerDigits = 0;
    while (i < number.size() && isDigit(number[i])) {
        ++integerDigits;
        ++i;
    }
    if (integerDigits > 0) {
        exponent = integerDigits - 1;
    }
    if (i < number.size() && number[i] == '.') {
        ++i;
        long long zeros = 0;
        while (i < number.size() && number[i] == '0') {
            ++zeros;
            ++i;
        }
        if (integerDigits == 0) {
            exponent = -(zeros + 1);
        }
        while (i < number.size() && isDigit(number[i])) {
            ++i;
        }
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = takeSign(number, i);
        long long written = 0;
        for (; i < number.size() && isDigit(number[i]); ++i) {
            if (written < 1'000'000'000) {
                written = written * 10 + (number[i] - '0');
            }
        }
        exponent += negative ? -written : written;
    }
    return exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

bool FieldScanner::atEnd() {
    while (pos_ < text_.size() && isBlankChar(text_[pos_])) {
        ++pos_;
    }
    return pos_ >= text_.size();
}

bool FieldScanner::token(std::string_view& out) {
    if (atEnd()) {
        return false;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isBlankChar(text_[pos_])) {
        ++pos_;
    }
    out = text_.substr(start, pos_ - start);
    return true;
}

bool FieldScanner::decimal(int32_t& out) {
    return integer(out, false);
}

bool FieldScanner::anyBase(int32_t& out) {
    return integer(out, true);
}

bool FieldScanner::integer(int32_t& out, bool anyBase) {
    if (atEnd()) {
        return false;
    }
    std::size_t pos = pos_;
    const bool negative = takeSign(text_, pos);
    int base = 10;
    if (anyBase && pos < text_.size() && text_[pos] == '0') {
        // "0x" counts only when a hexadecimal digit follows; otherwise the
        // "0" alone is the number, as strtol reads it.
        if (pos + 2 < text_.size() && (text_[pos + 1] == 'x' || text_[pos + 1] == 'X') &&
            digitValue(text_[pos + 2]) < 16) {
            base = 16;
            pos += 2;
        } else {
            base = 8;
        }
    }
    uint64_t magnitude = 0;
    if (readMagnitude(text_, pos, base, magnitude) == 0) {
        return false;
    }
    pos_ = pos;
    out = saturate(negative, magnitude);
    return true;
}

bool FieldScanner::real(double& out) {
    if (atEnd()) {
        return false;
    }
    std::size_t pos = pos_;
    const bool negative = takeSign(text_, pos);
    if (startsWithNoCase(text_, pos, "inf")) {
        pos += 3;
        if (startsWithNoCase(text_, pos, "inity")) {
            pos += 5;
        }
        pos_ = pos;
        out = negative ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
        return true;
    }
    if (startsWithNoCase(text_, pos, "nan")) {
        pos += 3;
        // "nan(chars)" with letters, digits and '_' inside is one NaN.
        if (pos < text_.size() && text_[pos] == '(') {
            std::size_t close = pos + 1;
            while (close < text_.size() &&
                   (isDigit(text_[close]) ||
                    (lower(text_[close]) >= 'a' && lower(text_[close]) <= 'z') ||
                    text_[close] == '_')) {
                ++close;
            }
            if (close < text_.size() && text_[close] == ')') {
                pos = close + 1;
            }
        }
        pos_ = pos;
        out = negative ? -std::numeric_limits<double>::quiet_NaN()
                       : std::numeric_limits<double>::quiet_NaN();
        return true;
    }

    const std::size_t start = pos;
    std::size_t digits = 0;
    while (pos < text_.size() && isDigit(text_[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text_.size() && text_[pos] == '.') {
        ++pos;
        while (pos < text_.size() && isDigit(text_[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    // An exponent counts only with at least one digit.
    if (pos < text_.size() && (text_[pos] == 'e' || text_[pos] == 'E')) {
        std::size_t e = pos + 1;
        takeSign(text_, e); // from_chars reads the sign itself
        if (e < text_.size() && isDigit(text_[e])) {
            while (e < text_.size() && isDigit(text_[e])) {
                ++e;
            }
            pos = e;
        }
    }
    const std::string_view number = text_.substr(start, pos - start);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = outOfRange(number);
    }
    pos_ = pos;
    out = negative ? -value : value;
    return true;
}

int32_t leadingInteger(std::string_view text) {
    FieldScanner scanner(text);
    int32_t value = 0;
    return scanner.decimal(value) ? value : 0;
}

double leadingReal(std::string_view text) {
    FieldScanner scanner(text);
    double value = 0.0;
    return scanner.real(value) ? value : 0.0;
}
