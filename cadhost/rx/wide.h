#pragma once

// Conversions between the host's wide strings and UTF-8 text on the
// program's input and output; independent of the process locale.
#include <string>
#include <string_view>

namespace cadhost {
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);
// Upper case of ASCII letters only, as command and option names are compared.
std::wstring asciiUpper(std::wstring_view text);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring trim(std::wstring_view text);
}  // namespace cadhost
