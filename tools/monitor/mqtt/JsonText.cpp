#include "JsonText.h"

#include "display/TextFormat.h"

#include <cmath>

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += formatText("\\u%04x", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string jsonNumber(double value, int decimals) {
    if (!std::isfinite(value))
        return "null";
    return formatText("%.*f", decimals, value);
}
