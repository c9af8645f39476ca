#include "teachin/WizardPositionTexts.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"

#include <cctype>

namespace {

std::string row(int r) {
    return text(TextTable::TeachIn, r);
}

// `given` without blanks at either end.
std::string trimmed(std::string_view given) {
    const std::size_t first = given.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = given.find_last_not_of(' ');
    return std::string(given.substr(first, last - first + 1));
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The number of `given` with one decimal, and where its further decimals end.
std::string shortenedNumber(const std::string& given, std::size_t* rest) {
    const std::size_t point = given.find('.');
    if (point == std::string::npos || point + 1 >= given.size()) {
        *rest = given.size();
        return given;
    }
    const std::size_t end = point + 2;
    *rest = end;
    while (*rest < given.size() && isDigit(given[*rest]))
        ++*rest;
    return given.substr(0, end);
}

} // namespace

std::string wizardPositionText(std::string_view given) {
    const std::string position = trimmed(given);
    std::size_t rest = 0;
    const std::string number = shortenedNumber(position, &rest);
    return row(teachinrow::kPos) + number + position.substr(rest) + "    ";
}

std::string wizardSpeedText(std::string_view given) {
    const std::string speed = trimmed(given);
    std::size_t rest = 0;
    std::string number = shortenedNumber(speed, &rest);
    // Only the number: the unit is in the caption.
    const std::size_t blank = number.find(' ');
    if (blank != std::string::npos)
        number.resize(blank);
    return row(teachinrow::kRpm) + ": " + number + "    ";
}
