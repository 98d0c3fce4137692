#include "editors/language/keyboard_layouts.h"

namespace tarsil::editors {

std::wstring LayoutTextForm(LayoutId id) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text(8, L'0');
    for (int i = 7; i >= 0; --i, id >>= 4) text[static_cast<std::size_t>(i)] = kDigits[id & 0xF];
    return text;
}

std::optional<LayoutId> LayoutFromTextForm(std::wstring_view text) {
    if (text.size() != 8) return std::nullopt;
    LayoutId id = 0;
    for (const wchar_t c : text) {
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = static_cast<unsigned>(c - L'0');
        } else if (c >= L'A' && c <= L'F') {
            digit = static_cast<unsigned>(c - L'A' + 10);
        } else if (c >= L'a' && c <= L'f') {
            digit = static_cast<unsigned>(c - L'a' + 10);
        } else {
            return std::nullopt;
        }
        id = (id << 4) | digit;
    }
    return id;
}

int CharsetOfLayout(LayoutId id) {
    // The primary language is the low ten bits of the layout's language.
    return (id & 0x3FF) == (kHebrewLayout & 0x3FF) ? kHebrewCharset : kAnsiCharset;
}

}  // namespace tarsil::editors
