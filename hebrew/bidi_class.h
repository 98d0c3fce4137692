// Direction classes of the bytes of the Windows Hebrew layout, numbered as the
// platform's CT_CTYPE2 character types.
#pragma once

#include <cstdint>

namespace tarsil::hebrew {

enum BidiClass : std::uint8_t {
    kNone = 0,  // no direction (control characters)
    kL = 1,     // left-to-right strong
    kR = 2,     // right-to-left strong
    kEN = 3,    // European digit
    kES = 4,    // European number separator
    kET = 5,    // European number terminator
    kAN = 6,    // Arabic number
    kCS = 7,    // common number separator
    kB = 8,     // block (paragraph) separator
    kS = 9,     // segment separator
    kWS = 10,   // white space
    kON = 11,   // other neutral
};

inline constexpr bool IsStrong(std::uint8_t c) {
    return c == kL || c == kR;
}
inline constexpr bool IsNeutral(std::uint8_t c) {
    return c >= kB && c <= kON;
}

// The class of a byte, from the Unicode bidirectional class of the character
// that the byte denotes in code page 1255.
BidiClass ByteBidiClass(unsigned char byte);

}  // namespace tarsil::hebrew
