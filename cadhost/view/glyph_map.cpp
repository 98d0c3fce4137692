#include "cadhost/view/glyph_map.h"

#include <cwctype>

#include "hebrew/codepage.h"

namespace cadhost::view {
namespace {

constexpr char32_t kAlef = 0x05D0;
constexpr unsigned char kDosAlef = 0x80, kDosTav = 0x9A;
constexpr unsigned char kWinAlef = 0xE0, kWinTav = 0xFA;

char32_t fromCodePage(unsigned char b, const char16_t* upper) {
    if (b < 0x80 || upper == nullptr) return b;
    return upper[b - 0x80];
}

// The key of the Hebrew keyboard that a 7-bit font draws as a letter (or as
// the sign the keyboard puts on that key).
char32_t sevenBit(unsigned char b) {
    const wchar_t in[2] = {static_cast<wchar_t>(b), 0};
    wchar_t out[2] = {0, 0};
    tarsil::hebrew::ConvertCodeTable(in, out, tarsil::hebrew::k7BitToDos);
    const auto dos = static_cast<unsigned char>(out[0]);
    if (dos >= kDosAlef && dos <= kDosTav) return kAlef + (dos - kDosAlef);
    return dos;
}

}  // namespace

char32_t glyphOf(wchar_t c, tarsil::FontType type, const char16_t* codePageUpper) {
    if (c < 0 || c > 0xFF) return static_cast<char32_t>(c);
    const auto b = static_cast<unsigned char>(c);
    switch (type) {
        case tarsil::FontType::HebrewNormal:
            if (b >= kDosAlef && b <= kDosTav) return kAlef + (b - kDosAlef);
            break;
        case tarsil::FontType::Hebrew7Bit:
        case tarsil::FontType::Hebrew7BitBackward:
            if (b < 0x80) return sevenBit(b);
            break;
        case tarsil::FontType::HebrewBackward:
        case tarsil::FontType::D2w:
            if (b >= kWinAlef && b <= kWinTav) return kAlef + (b - kWinAlef);
            break;
        default:
            break;
    }
    return fromCodePage(b, codePageUpper);
}

std::vector<Glyph> textGlyphs(std::wstring_view text, tarsil::FontType type,
                              const char16_t* codePageUpper) {
    std::vector<Glyph> out;
    out.reserve(text.size());
    bool under = false, over = false;
    auto add = [&](char32_t shown, wchar_t stored) { out.push_back({shown, stored, under, over}); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'%' && i + 2 < text.size() && text[i + 1] == L'%') {
            const auto k = static_cast<wchar_t>(std::towlower(text[i + 2]));
            // The host measures these signs as an 'o'.
            if (k == L'd' || k == L'p' || k == L'c') {
                add(k == L'd' ? U'\u00B0' : k == L'p' ? U'\u00B1' : U'\u2300', L'o');
                i += 2;
                continue;
            }
            if (k == L'u' || k == L'o') {
                bool& mark = k == L'u' ? under : over;
                mark = !mark;
                i += 2;
                continue;
            }
            if (k == L'%') {
                add(U'%', L'%');
                i += 2;
                continue;
            }
            if (std::iswdigit(k) && i + 4 < text.size() && std::iswdigit(text[i + 3]) &&
                std::iswdigit(text[i + 4])) {
                const auto code = static_cast<wchar_t>(
                    (text[i + 2] - L'0') * 100 + (text[i + 3] - L'0') * 10 + (text[i + 4] - L'0'));
                add(glyphOf(code, type, codePageUpper), code);
                i += 4;
                continue;
            }
        }
        add(glyphOf(c, type, codePageUpper), c);
    }
    return out;
}

bool drawsRightToLeft(tarsil::FontType type) {
    return type == tarsil::FontType::Hebrew7Bit || type == tarsil::FontType::HebrewBackward ||
           type == tarsil::FontType::Hebrew7BitBackward;
}

}  // namespace cadhost::view
