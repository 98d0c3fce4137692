#include "hebrew/codepage.h"
#include "hebrew/narrow.h"

namespace tarsil::hebrew {
namespace {

// An MText "\U+" escape counts as Hebrew whatever the letters' layout.
bool HasUnicodeEscape(const wchar_t* text, std::size_t n) {
    for (std::size_t i = 0; i + 2 < n; ++i)
        if (text[i] == L'\\' && text[i + 1] == L'U' && text[i + 2] == L'+') return true;
    return false;
}

int ContainsRange(const wchar_t* text, wchar_t first, wchar_t last) {
    if (text == nullptr) return 0;
    const std::size_t n = detail::NarrowLength(text);
    if (HasUnicodeEscape(text, n)) return 1;
    for (std::size_t i = 0; i < n; ++i)
        if (text[i] >= first && text[i] <= last) return 1;
    return 0;
}

}  // namespace

int ContainsDosHebrew(const wchar_t* text) {
    return ContainsRange(text, 0x80, 0x9A);
}

int ContainsWindowsHebrew(const wchar_t* text) {
    return ContainsRange(text, 0xE0, 0xFA);
}

}  // namespace tarsil::hebrew
