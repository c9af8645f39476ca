#pragma once
// Reading ORVAdata.cfg line by line, and taking the fields of one line apart.
// Everything here works on the file's own 8-bit bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Limits of the file format. A longer line keeps its first characters (the
// rest up to the line end is dropped); lines beyond the text limit are not read.
constexpr std::size_t kMaxConfigLine = 255;  // characters of one line, its line end included
constexpr std::size_t kMaxConfigText = 8191; // characters of all lines read from one file
constexpr std::size_t kMaxConfigFileBytes = 1 << 20; // bytes looked at in a file

// Reads the next line from `input` and consumes it. Blanks, tabs, control
// characters and bytes from 128 up before the first character are skipped; a
// line that holds nothing else is the single character '\n'. LF, CR LF and a
// lone CR all end a line and are returned as '\n'; NUL bytes are dropped.
// Returns false at the end of the input: the characters of a last line
// without a line end are left in `line`, and every caller ignores them.
bool readConfigLine(std::string_view& input, std::string& line);

// The lines of one file within the format's limits: readConfigLine plus the
// limit on the whole text.
class ConfigTextReader {
public:
    explicit ConfigTextReader(std::string_view bytes) : input_(bytes) {}
    bool next(std::string& line);
    // Once next() has returned false: the bytes not read, as they are in the
    // file (the lines beyond the text limit, a last line without a line end).
    std::string_view rest() const { return input_; }

private:
    std::string_view input_;
    std::size_t total_ = 0;
    bool full_ = false;
};

// A comment starts with ';' or '*'.
bool isConfigComment(std::string_view line);

// The fields of a line, taken the way "%s" and "%i" scans take them: a word
// runs up to the next blank, tab or line end; a number is decimal with an
// optional sign and is held to the 32-bit range.
class ConfigLineScanner {
public:
    explicit ConfigLineScanner(std::string_view line) : line_(line) {}
    bool word(std::string_view& out);
    bool number(int32_t& out);
    // Where the last word taken starts in the line.
    std::size_t lastWordStart() const { return lastWordStart_; }

private:
    void skipSpace();
    std::string_view line_;
    std::size_t pos_ = 0;
    std::size_t lastWordStart_ = 0;
};
