#include "device/FieldScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct IntegerCase {
    std::string text;
    bool anyBase;
    bool converts;
    int32_t value;
    std::string rest;
};

TEST(FieldScanner, IntegersReadLikeTheCLibraryAndSaturate) {
    const IntegerCase cases[] = {
        {"42", false, true, 42, ""},
        {" \t-17 x", false, true, -17, " x"},
        {"+5", false, true, 5, ""},
        {"12abc", false, true, 12, "abc"},
        {"0x1A", false, true, 0, "x1A"},
        {"2147483647", false, true, kMax, ""},
        {"2147483648", false, true, kMax, ""},
        {"-2147483648", false, true, kMin, ""},
        {"-2147483649", false, true, kMin, ""},
        {"99999999999999999999999999999999", false, true, kMax, ""},
        {"abc", false, false, 0, "abc"},
        {"-", false, false, 0, "-"},
        {"+-3", false, false, 0, "+-3"},
        {"", false, false, 0, ""},
        {"0x1A", true, true, 26, ""},
        {"0X1a", true, true, 26, ""},
        {"-0x10", true, true, -16, ""},
        {"017", true, true, 15, ""},
        {"09", true, true, 0, "9"},
        {"0x", true, true, 0, "x"},
        {"0xg", true, true, 0, "xg"},
        {"0xFFFFFFFF", true, true, kMax, ""},
        {"-0x80000001", true, true, kMin, ""},
        {"1728", true, true, 1728, ""},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE((c.anyBase ? "%i " : "%d ") + c.text);
        FieldScanner scanner(c.text);
        int32_t value = -12345;
        const bool ok = c.anyBase ? scanner.anyBase(value) : scanner.decimal(value);
        EXPECT_EQ(ok, c.converts);
        if (c.converts) {
            EXPECT_EQ(value, c.value);
        } else {
            EXPECT_EQ(value, -12345);
        }
        EXPECT_EQ(std::string(scanner.rest()), c.rest);
    }
}

struct RealCase {
    std::string text;
    bool converts;
    double value; // NaN: expect NaN
    std::string rest;
};

TEST(FieldScanner, RealsReadDecimalInfinityAndNaN) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RealCase cases[] = {
        {"1.5", true, 1.5, ""},
        {" .5", true, 0.5, ""},
        {"5.", true, 5.0, ""},
        {"-2e3", true, -2000.0, ""},
        {"+1.25E-2x", true, 0.0125, "x"},
        {"1e", true, 1.0, "e"},
        {"1e+", true, 1.0, "e+"},
        {"1,5", true, 1.0, ",5"},
        {"0x1p3", true, 0.0, "x1p3"},
        {"inf", true, inf, ""},
        {"-Infinity!", true, -inf, "!"},
        {"INFx", true, inf, "x"},
        {"nan", true, nan, ""},
        {"-NaN(12_ab) 3", true, nan, " 3"},
        {"nan(", true, nan, "("},
        {"1e999", true, inf, ""},
        {"-123456789e400", true, -inf, ""},
        {"1e-999", true, 0.0, ""},
        {"0.000001e-330", true, 0.0, ""},
        {std::string(400, '9'), true, inf, ""},
        {"abc", false, 0.0, "abc"},
        {".", false, 0.0, "."},
        {"-.e5", false, 0.0, "-.e5"},
        {"", false, 0.0, ""},
    };
    for (const RealCase& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        FieldScanner scanner(c.text);
        double value = -7.0;
        EXPECT_EQ(scanner.real(value), c.converts);
        if (!c.converts) {
            EXPECT_EQ(value, -7.0);
        } else if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isnan(value));
        } else {
            EXPECT_DOUBLE_EQ(value, c.value);
        }
        EXPECT_EQ(std::string(scanner.rest()), c.rest);
    }
}

TEST(FieldScanner, TokensStopAtCLocaleWhiteSpaceOnly) {
    FieldScanner scanner(" \t\v\fabc\rdef \xE4\xF6\xA0x");
    std::string_view a, b, c, d;
    EXPECT_TRUE(scanner.token(a));
    EXPECT_TRUE(scanner.token(b));
    EXPECT_TRUE(scanner.token(c));
    EXPECT_FALSE(scanner.token(d));
    EXPECT_EQ(a, "abc");
    EXPECT_EQ(b, "def");
    EXPECT_EQ(c, "\xE4\xF6\xA0x"); // bytes above 0x7F are no blanks
}

TEST(FieldScanner, ScanCountsFieldsUntilTheFirstFailure) {
    std::string_view name;
    int32_t a = -1, b = -1, c = -1;
    double r = -1.0;
    AnyBaseInt h;

    EXPECT_EQ(FieldScanner::scan("PA 1 2 3", name, a, b, c), 4);
    EXPECT_EQ(name, "PA");
    EXPECT_EQ(c, 3);

    a = b = c = -1;
    EXPECT_EQ(FieldScanner::scan("PA 1 x 3", name, a, b, c), 2);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -1);
    EXPECT_EQ(c, -1); // fields after a failure stay untouched

    EXPECT_EQ(FieldScanner::scan("PA 7", name, a, b), 2); // input ends: what was read counts
    EXPECT_EQ(FieldScanner::scan("  \t ", name), -1);     // nothing at all: EOF
    EXPECT_EQ(FieldScanner::scan("", name, a), -1);
    EXPECT_EQ(FieldScanner::scan("x", a, name), 0);
    EXPECT_EQ(FieldScanner::scan("1.5 2.5", r, a), 2); // "%lf %d" takes 1.5 and 2
    EXPECT_EQ(FieldScanner::scan("AP1 0x6C0", name, h), 2);
    EXPECT_EQ(h.value, 1728);
    // No blank needed between fields, as with sscanf.
    EXPECT_EQ(FieldScanner::scan("3-4", a, b), 2);
    EXPECT_EQ(b, -4);
}

TEST(FieldScanner, WholeTextValuesGiveZeroWithoutANumber) {
    EXPECT_EQ(leadingInteger("  123abc"), 123);
    EXPECT_EQ(leadingInteger("-0"), 0);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("abc 12"), 0);
    EXPECT_EQ(leadingInteger("1.9"), 1);
    EXPECT_EQ(leadingInteger("-99999999999"), kMin);
    EXPECT_DOUBLE_EQ(leadingReal("  1.52xyz"), 1.52);
    EXPECT_DOUBLE_EQ(leadingReal("V1.60"), 0.0);
    EXPECT_DOUBLE_EQ(leadingReal(""), 0.0);
}

} // namespace
