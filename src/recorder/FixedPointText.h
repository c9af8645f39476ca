#pragma once
// Fast appenders for the number columns of the record files. They give the
// same characters as printf's "%W.Plf" and "%+Wli" (the files are read by
// other tools and compared byte for byte), at a fraction of printf's cost:
// saving a long recording formats several million numbers.

#include <cstdint>
#include <string>

// As printf("%<width>.<precision>lf", value): right-aligned with blanks.
void appendFixed(std::string& out, double value, int width, int precision);

// As printf("%+<width>li", value): the sign always, right-aligned with blanks.
void appendSigned(std::string& out, std::int32_t value, int width);
