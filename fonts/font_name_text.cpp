#include "fonts/font_name_text.h"

#include <algorithm>
#include <optional>

namespace tarsil {

namespace {

bool FitsInBytes(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](wchar_t c) { return static_cast<unsigned long>(c) <= 0xFF; });
}

void AppendUtf8(std::wstring& out, char32_t c) {
    auto byte = [&](unsigned value) { out += static_cast<wchar_t>(value & 0xFF); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

// The characters that bytes spell in UTF-8 when they hold at least one
// multi-byte sequence and nothing malformed (no overlong forms, no
// surrogates, nothing above U+10FFFF); nothing otherwise.
std::optional<std::wstring> ReadMultiByteUtf8(std::wstring_view bytes) {
    std::wstring out;
    bool multi_byte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned lead = static_cast<unsigned>(bytes[i]);
        if (lead > 0xFF) return std::nullopt;
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        std::size_t length;
        char32_t c;
        char32_t lowest;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F, lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F, lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07, lowest = 0x10000;
        } else {
            return std::nullopt;
        }
        if (bytes.size() - i < length) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned next = static_cast<unsigned>(bytes[i + k]);
            if ((next & 0xC0) != 0x80 || next > 0xFF) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        out += static_cast<wchar_t>(c);
        multi_byte = true;
        i += length;
    }
    if (!multi_byte) return std::nullopt;
    return out;
}

}  // namespace

std::wstring FontNameToFileText(std::wstring_view name) {
    if (FitsInBytes(name) && !ReadMultiByteUtf8(name)) return std::wstring(name);
    std::wstring bytes;
    for (const wchar_t c : name) AppendUtf8(bytes, static_cast<char32_t>(c));
    return bytes;
}

std::wstring FontNameFromFileText(std::wstring_view text) {
    if (auto name = ReadMultiByteUtf8(text)) return *name;
    return std::wstring(text);
}

}  // namespace tarsil
