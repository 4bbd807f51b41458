// Conversions between UTF-16 (what DirectInput reports) and UTF-8 (the narrow encoding here).
#pragma once

#include <string>

namespace quorvel {

// Unpaired surrogates become U+FFFD; `replaced` (optional) tells whether that happened.
std::string Utf16ToUtf8(const char16_t* text, size_t length, bool* replaced = nullptr);
// Assumes valid UTF-8 (checked where the text comes in).
std::u16string Utf8ToUtf16(const std::string& text);
// The longest prefix of `text` of at most `limit` bytes that does not cut a character.
size_t Utf8PrefixLength(const std::string& text, size_t limit);

}  // namespace quorvel
