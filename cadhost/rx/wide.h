#pragma once

// Conversions between the host's wide strings and UTF-8 text on the
// program's input and output; independent of the process locale.
#include <cstddef>
#include <string>
#include <string_view>

namespace cadhost {
// The UTF-8 sequence at s[i]: its length and character, or 0 when the bytes
// there are no well-formed character (overlong forms and surrogates too).
std::size_t utf8SequenceAt(std::string_view s, std::size_t i, char32_t& cp);
// Appends one character; one that UTF-8 cannot carry becomes U+FFFD.
void appendUtf8(std::string& out, char32_t cp);
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);
// Upper case of ASCII letters only, as command and option names are compared.
std::wstring asciiUpper(std::wstring_view text);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring trim(std::wstring_view text);
}  // namespace cadhost
