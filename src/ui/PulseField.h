#pragma once
// Reading the pulse-rate field of the setup dialog.

#include <cstdint>
#include <string_view>

// The field's number: its leading digits as a signed integer, 0 for none.
// A number too long for any pulse rate saturates instead of overflowing, so
// that the clamp to 2..20000 still gives the largest rate.
int64_t parsePulseField(std::string_view text);
