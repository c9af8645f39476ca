#pragma once
// Fast writers for the number columns of the record files. They give the
// same characters as printf's "%W.Plf" and "%+Wli" (the files are read by
// other tools and compared byte for byte), at a fraction of printf's cost:
// saving a long recording formats several million numbers.

#include <cstddef>
#include <cstdint>
#include <string>

// Room one number may need: the largest double written out in full has 309
// digits before the point.
inline constexpr std::size_t kMaxFixedText = 400;

// As printf("%<width>.<precision>lf", value): right-aligned with blanks.
// Writes at `out`, which has room for max(width, kMaxFixedText) characters;
// returns the end of what it wrote.
char* writeFixed(char* out, double value, int width, int precision);

// As printf("%+<width>li", value): the sign always, right-aligned with blanks.
// `out` has room for max(width, 16) characters.
char* writeSigned(char* out, std::int32_t value, int width);

void appendFixed(std::string& out, double value, int width, int precision);
void appendSigned(std::string& out, std::int32_t value, int width);
