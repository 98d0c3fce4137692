// Conversions between byte strings and the engine's wide strings for tests.
#pragma once

#include <string>

namespace tarsil::hebrew::testing {

// Every byte b becomes the character U+00bb.
inline std::wstring Wide(const std::string& bytes) {
    std::wstring w;
    for (unsigned char b : bytes) w.push_back(static_cast<wchar_t>(b));
    return w;
}

// The inverse of Wide; characters above U+00FF become '?'.
inline std::string Bytes(const std::wstring& wide) {
    std::string s;
    for (wchar_t c : wide)
        s.push_back(static_cast<unsigned>(c) <= 0xFF ? static_cast<char>(c) : '?');
    return s;
}

}  // namespace tarsil::hebrew::testing
