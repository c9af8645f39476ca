// The line reader and the field scanner of ORVAdata.cfg.

#include "config/ConfigLineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// All complete lines of `input`, and what was left of an unterminated one.
std::vector<std::string> lines(std::string_view input) {
    std::vector<std::string> out;
    std::string line;
    while (readConfigLine(input, line)) {
        out.push_back(line);
    }
    if (!line.empty()) {
        out.push_back("<unterminated:" + line + ">");
    }
    return out;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(ReadConfigLine, SplitsAndNormalisesLines) {
    struct Case {
        std::string input;
        Lines expected;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\nc\rd\n", {"a\n", "b\n", "c\n", "d\n"}},
        {"\r\n\n\r", {"\n", "\n", "\n"}},
        {"  \t user EXT\n", {"user EXT\n"}},     // leading blanks vanish
        {"\x01\x1F(user\n", {"user\n"}},         // so do characters below '*'
        {"\xE4\xFC*x\n", {"*x\n"}},              // and bytes from 128 up
        {"a \xE4 b\n", {"a \xE4 b\n"}},          // inside a line they stay
        {"   \n", {"\n"}},                       // a blank line is empty
        {"key val", {"<unterminated:key val>"}}, // no line end, no line
        {"a\nb", {"a\n", "<unterminated:b>"}},
        {std::string("u\0s\0er\n", 7), {"user\n"}}, // NUL bytes dropped
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lines(c.input), c.expected) << "input: " << c.input;
    }
}

TEST(ReadConfigLine, CutsLongLinesAndKeepsReadingAfterThem) {
    const std::string input = std::string(1000, 'a') + "\nnext\n";
    const Lines got = lines(input);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], std::string(kMaxConfigLine - 1, 'a') + "\n");
    EXPECT_EQ(got[1], "next\n");
}

TEST(ConfigLineScanner, TakesWordsAndNumbersLikeTheScans) {
    ConfigLineScanner scan("display \t  -12abc  word\n");
    std::string_view w;
    int32_t n = 0;
    ASSERT_TRUE(scan.word(w));
    EXPECT_EQ(w, "display");
    ASSERT_TRUE(scan.number(n));
    EXPECT_EQ(n, -12);
    ASSERT_TRUE(scan.word(w));
    EXPECT_EQ(w, "abc");
    ASSERT_TRUE(scan.word(w));
    EXPECT_EQ(w, "word");
    EXPECT_EQ(scan.lastWordStart(), 19u);
    EXPECT_FALSE(scan.word(w));
    EXPECT_FALSE(scan.number(n));
}

TEST(ConfigLineScanner, NumbersAreDecimalAndHeldToThirtyTwoBits) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"+7", true, 7},
        {"0100", true, 100},
        {"2147483647", true, INT32_MAX},
        {"2147483648", true, INT32_MAX},
        {"-99999999999999999999", true, INT32_MIN},
        {"x1", false, 0},
        {"-", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        ConfigLineScanner scan(c.text);
        int32_t n = 0;
        EXPECT_EQ(scan.number(n), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(n, c.value) << c.text;
        }
    }
}
