#pragma once
// The two record files, tab-separated text with one line per sample and no
// header, decimal point in every language:
//   "_amp.txt" position samples: time (s), position (degrees), white and
//     yellow amplitude (%), refA .. refF, refDistance, five DAC offsets,
//     five channel values;
//   "_ref.txt" reference-mark samples: the same first eleven columns.
// Texts here end their lines with '\n'; the file writer turns them into CR LF.

#include "recorder/RecordSample.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Appends the line of one sample, '\n' included, in the format of its kind.
void appendRecordLine(std::string& out, const RecordSample& sample);

struct RecordFileTexts {
    std::string amp; // position samples, empty when there are none
    std::string ref; // reference-mark samples, empty when there are none
};

RecordFileTexts recordFileTexts(const std::vector<RecordSample>& samples);

// Columns of a line of each file.
inline constexpr int kAmpColumns = 21;
inline constexpr int kRefColumns = 11;

// Longest line accepted when a file is read back. Lines the recorder writes
// stay far below it (about 150 characters).
inline constexpr std::size_t kMaxRecordLine = 1024;

// The largest magnitude of a reference value a box can report: its widest
// field is a 32-bit count in quarter steps.
inline constexpr double kMaxReferenceValue = 2147483648.0 * 0.25;

// Reads one line (without its line end) back into a sample of the given
// kind. False when the line is not of that format or holds a value a
// recording cannot hold (not a number, infinite, a position outside
// 0..360 degrees, a negative time or amplitude, a reference value beyond
// kMaxReferenceValue, a distance beyond 32 bits).
bool parseRecordLine(std::string_view line, bool isReference, RecordSample& sample);
