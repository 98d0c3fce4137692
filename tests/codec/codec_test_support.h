#pragma once

#include <string>
#include <vector>

namespace tarsil::hebrew {

// Builds a text from bytes, each byte one character U+00bb.
inline std::wstring Bytes(std::initializer_list<unsigned> bytes) {
    std::wstring text;
    for (unsigned b : bytes) text += static_cast<wchar_t>(b);
    return text;
}

// Hebrew letter k (alef = 0) in the Windows and the DOS layout.
inline wchar_t Win(unsigned k) {
    return static_cast<wchar_t>(0xE0 + k);
}
inline wchar_t Dos(unsigned k) {
    return static_cast<wchar_t>(0x80 + k);
}

// Letters of the Windows layout typed as Hebrew, everything else not.
inline std::vector<unsigned char> TypedMask(const std::wstring& text) {
    std::vector<unsigned char> mask;
    for (wchar_t c : text) mask.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return mask;
}

// "h" typed as Hebrew, any other character not.
inline std::vector<unsigned char> Mask(const std::wstring& typed_as_hebrew) {
    std::vector<unsigned char> mask;
    for (wchar_t c : typed_as_hebrew) mask.push_back(c == L'h' ? 2 : 1);
    return mask;
}

}  // namespace tarsil::hebrew
