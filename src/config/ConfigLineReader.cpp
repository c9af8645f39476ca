#include "config/ConfigLineReader.h"

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Characters that the line reader skips before the first one it keeps.
bool isLeadingFiller(unsigned char c) {
    return c < '*' || c >= 128;
}

} // namespace

bool readConfigLine(std::string_view& input, std::string& line) {
    line.clear();
    std::size_t i = 0;
    const std::size_t n = input.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(input[i]);
        if (c == '\n' || c == '\r' || !isLeadingFiller(c)) {
            break;
        }
        ++i;
    }
    bool ended = false;
    while (i < n) {
        const char c = input[i++];
        if (c == '\n' || c == '\r') {
            if (c == '\r' && i < n && input[i] == '\n') {
                ++i;
            }
            line += '\n';
            ended = true;
            break;
        }
        if (c == '\0') {
            continue;
        }
        if (line.size() < kMaxConfigLine - 1) {
            line += c;
        }
    }
    input.remove_prefix(i);
    return ended;
}

bool ConfigTextReader::next(std::string& line) {
    if (full_) {
        return false;
    }
    const std::string_view before = input_;
    if (!readConfigLine(input_, line)) {
        input_ = before;
        return false;
    }
    if (total_ + line.size() > kMaxConfigText) {
        full_ = true;
        input_ = before;
        line.clear();
        return false;
    }
    total_ += line.size();
    return true;
}

bool isConfigComment(std::string_view line) {
    return !line.empty() && (line.front() == ';' || line.front() == '*');
}

void ConfigLineScanner::skipSpace() {
    while (pos_ < line_.size() && isSpace(line_[pos_])) {
        ++pos_;
    }
}

bool ConfigLineScanner::word(std::string_view& out) {
    skipSpace();
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !isSpace(line_[pos_])) {
        ++pos_;
    }
    if (pos_ == start) {
        return false;
    }
    lastWordStart_ = start;
    out = line_.substr(start, pos_ - start);
    return true;
}

bool ConfigLineScanner::number(int32_t& out) {
    skipSpace();
    std::size_t p = pos_;
    bool negative = false;
    if (p < line_.size() && (line_[p] == '+' || line_[p] == '-')) {
        negative = line_[p] == '-';
        ++p;
    }
    const std::size_t digitsStart = p;
    int64_t value = 0;
    while (p < line_.size() && line_[p] >= '0' && line_[p] <= '9') {
        if (value <= INT32_MAX) { // beyond that the result is held at the limit anyway
            value = value * 10 + (line_[p] - '0');
        }
        ++p;
    }
    if (p == digitsStart) {
        return false;
    }
    pos_ = p;
    if (negative) {
        value = -value;
    }
    if (value > INT32_MAX) {
        value = INT32_MAX;
    } else if (value < INT32_MIN) {
        value = INT32_MIN;
    }
    out = static_cast<int32_t>(value);
    return true;
}
