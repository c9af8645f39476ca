#pragma once
// Reading numbers and tokens out of a box line.
//
// The box lines were designed around the C library's sscanf/atoi/atof, and the
// results here are what those give for every text a box sends ("%s", "%d",
// "%li", "%i", "%lf", and atoi/atol/atof of a whole text), but without their
// undefined behaviour on hostile input:
//   - an integer that does not fit 32 bits saturates at INT32_MIN/INT32_MAX,
//     the way strtol does with a 32-bit long;
//   - a token is a view into the text, never copied into a fixed buffer;
//   - blanks are the C locale's white space (space, \t, \n, \v, \f, \r),
//     whatever the process locale, and bytes above 0x7F are ordinary characters;
//   - real numbers always use the decimal point.
// Real numbers are decimal ("1.5", ".5", "1.", "-2e3"); "inf", "infinity" and
// "nan" (any case, with a sign, "nan(...)") give infinity and NaN as the C
// library does, so callers that store them must check std::isfinite.
// Hexadecimal floating text is not read: "0x1p3" reads as 0 and stops at 'x'.
// A value too large for a double reads as +-infinity, a too small one as 0.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Target of a "%i" field: decimal, hexadecimal after "0x"/"0X", octal after a
// leading "0".
struct AnyBaseInt {
    int32_t value = 0;
};

class FieldScanner {
public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    // Converts the fields in order, as sscanf with the matching format does:
    //   std::string_view -> "%s", int32_t -> "%d"/"%li", AnyBaseInt -> "%i",
    //   double -> "%lf".
    // Returns the number of fields converted before the first one that fails,
    // or -1 (EOF) when the text holds nothing but blanks before the first field.
    // Fields after the first failure are left unchanged.
    template <typename... Fields> static int scan(std::string_view text, Fields&... fields) {
        FieldScanner scanner(text);
        int count = 0;
        bool failed = false;
        bool ended = false;
        (scanner.scanOne(fields, count, failed, ended), ...);
        return (ended && count == 0) ? -1 : count;
    }

    // "%s": skips blanks, then takes one blank-free token. False at the end.
    bool token(std::string_view& out);
    // "%d" / "%li": optional sign and decimal digits. False when no digit.
    bool decimal(int32_t& out);
    // "%i": like decimal, with "0x" hexadecimal and leading-"0" octal.
    bool anyBase(int32_t& out);
    // "%lf": a decimal real number, infinity or NaN. False when none.
    bool real(double& out);

    // Skips blanks; true when nothing else is left.
    bool atEnd();
    // The text that has not been read yet.
    std::string_view rest() const { return text_.substr(pos_); }

private:
    bool convert(std::string_view& f) { return token(f); }
    bool convert(int32_t& f) { return decimal(f); }
    bool convert(AnyBaseInt& f) { return anyBase(f.value); }
    bool convert(double& f) { return real(f); }

    template <typename Field> void scanOne(Field& field, int& count, bool& failed, bool& ended) {
        if (failed) {
            return;
        }
        if (atEnd()) {
            ended = true;
            failed = true;
            return;
        }
        if (convert(field)) {
            ++count;
        } else {
            failed = true;
        }
    }

    bool integer(int32_t& out, bool anyBase);

    std::string_view text_;
    std::size_t pos_ = 0;
};

// True for the C locale's white space.
constexpr bool isBlankChar(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi/atol of a text: its leading decimal integer, 0 when there is none;
// saturates at the int32 limits.
int32_t leadingInteger(std::string_view text);

// atof of a text: its leading real number, 0 when there is none.
double leadingReal(std::string_view text);
