#pragma once
// Conversions at the file boundary: files the program reads and writes are
// 8-bit Latin-1, strings in memory are UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

// Every byte is one character; bytes 128..255 become two UTF-8 bytes.
std::string latin1ToUtf8(std::string_view latin1);

// Characters beyond Latin-1 and malformed UTF-8 bytes become '?'.
std::string utf8ToLatin1(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text; stray continuation
// bytes count as characters of their own.
std::size_t utf8Length(std::string_view utf8);

// The first `characters` characters of a UTF-8 text, never cutting a
// character in half.
std::string utf8Prefix(std::string_view utf8, std::size_t characters);
