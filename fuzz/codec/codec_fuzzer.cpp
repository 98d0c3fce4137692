// Runs every codec operation for every font type on arbitrary text and
// mask bytes.  Encoding keeps the length, decoding and the target
// conversion never make a text longer, and none loses or changes a
// character above U+00FF.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "hebrew/codec/drawing_text_codec.h"

using namespace tarsil;
using namespace tarsil::hebrew;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // First byte: ltr flag and target; then text bytes up to a 0xFF
    // separator (0xFE and a byte b make U+2300 + b), then mask bytes.
    const bool ltr = (data[0] & 1) != 0;
    const wchar_t* target = (data[0] & 2) != 0 ? L"w" : L"d";
    std::wstring text;
    std::vector<unsigned char> mask;
    std::size_t i = 1;
    for (; i < size && data[i] != 0xFF; ++i) {
        if (data[i] == 0xFE && i + 1 < size) {
            text += static_cast<wchar_t>(0x2300 + data[++i]);
            continue;
        }
        text += static_cast<wchar_t>(data[i]);
    }
    for (++i; i < size; ++i) mask.push_back(data[i] % 3);

    const std::size_t length = std::wcslen(text.c_str());
    const auto wide = [](const std::wstring& s) {
        std::wstring w;
        for (wchar_t c : s.substr(0, std::wcslen(s.c_str())))
            if (c > 0xFF) w += c;
        std::sort(w.begin(), w.end());
        return w;
    };
    const std::wstring kept = wide(text);
    for (int type : {0, 1, 2, 3, 4, 5, 255, 6, -1}) {
        std::wstring decoded = text;
        DecodeDrawingText(decoded, static_cast<FontType>(type));
        if (std::wcslen(decoded.c_str()) > length) __builtin_trap();
        if (wide(decoded) != kept) __builtin_trap();

        std::wstring encoded = text;
        EncodeDrawingText(encoded, static_cast<FontType>(type), mask);
        if (encoded.size() != text.size() && encoded.size() != length) __builtin_trap();
        if (wide(encoded) != kept) __builtin_trap();
    }
    std::wstring converted = text;
    ConvertForTarget(converted, target, ltr ? 1 : 0);
    if (converted.size() > length) __builtin_trap();
    if (wide(converted) != kept) __builtin_trap();
    return 0;
}
