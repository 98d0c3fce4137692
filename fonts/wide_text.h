#pragma once

#include <string>
#include <string_view>

namespace tarsil {

// Small helpers for the system's wide strings, in which each character
// stands for one byte (U+0000..U+00FF), and for the runtime-library
// behaviours the file formats rely on.

// Compares with only 'A'..'Z' folded to lower case, as the C runtime's
// case-insensitive wide comparison does under the default locale.
int CompareIgnoreCase(std::wstring_view a, std::wstring_view b);
inline bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
    return CompareIgnoreCase(a, b) == 0;
}

// Reads a decimal integer the way the C runtime's wide atoi does: leading
// white space, an optional sign, then digits; no digits gives 0, and a
// number out of range is clamped.
int ParseIntLikeAtoi(std::wstring_view text);

// One character per byte; characters above U+00FF become '?'.
std::string NarrowBytes(std::wstring_view text);
std::wstring WidenBytes(std::string_view bytes);

}  // namespace tarsil
