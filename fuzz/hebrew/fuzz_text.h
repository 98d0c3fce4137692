// Turning fuzzer bytes into engine text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarsil::hebrew::fuzzing {

// One character per byte; with `wide`, a byte 0xFF followed by another byte
// makes a character above U+00FF, which the engine must treat as an end.
inline std::wstring ToWide(const std::uint8_t* data, std::size_t size, bool wide) {
    std::wstring w;
    for (std::size_t i = 0; i < size; ++i) {
        if (wide && data[i] == 0xFF && i + 1 < size) {
            w.push_back(static_cast<wchar_t>(0x100 + data[++i] * 0x101));
        } else {
            w.push_back(static_cast<wchar_t>(data[i]));
        }
    }
    return w;
}

// The bytes the engine narrows the text to: up to a NUL or a character
// above U+00FF.
inline std::string Narrowed(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) {
        if (c == 0 || static_cast<std::uint32_t>(c) > 0xFF) break;
        s.push_back(static_cast<char>(c));
    }
    return s;
}

[[noreturn]] inline void Fail() {
    __builtin_trap();
}

}  // namespace tarsil::hebrew::fuzzing
