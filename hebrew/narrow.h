// Narrowing and widening between wide strings and bytes: the one-to-one
// mapping of U+0000..U+00FF to 0x00..0xFF, shared by the engine's sources.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarsil::hebrew::detail {

inline bool Narrowable(wchar_t c) {
    return static_cast<std::uint32_t>(c) <= 0xFF;
}

// Number of leading characters that narrow to bytes, at most limit: the text
// ends at its NUL or at the first character above U+00FF.
inline std::size_t NarrowLength(const wchar_t* text, std::size_t limit = SIZE_MAX) {
    std::size_t n = 0;
    while (n < limit && text[n] != 0 && Narrowable(text[n])) ++n;
    return n;
}

}  // namespace tarsil::hebrew::detail
