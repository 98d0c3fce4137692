#include "cadhost/dxf/codepage.h"

#include <cstdio>

namespace cadhost::dxf {

StringCodec::StringCodec(bool utf8, std::string_view dwgCodePage)
    : utf8_(utf8), upper_(upperHalf(dwgCodePage)) {}

namespace {

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when invalid.
std::size_t utf8At(std::string_view s, std::size_t i, char32_t& cp) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < n; ++k) {
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d >> 6) != 2) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::wstring StringCodec::decode(std::string_view raw) const {
    std::wstring out;
    out.reserve(raw.size());
    if (!utf8_) {
        for (char c : raw) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
        return out;
    }
    for (std::size_t i = 0; i < raw.size();) {
        char32_t cp = 0;
        std::size_t n = utf8At(raw, i, cp);
        if (n == 0) {
            out += static_cast<wchar_t>(static_cast<unsigned char>(raw[i]));
            ++i;
            continue;
        }
        i += n;
        if (cp >= 0x80 && upper_ != nullptr) {
            for (int b = 0; b < 128; ++b)
                if (upper_[b] == cp) {
                    cp = 0x80 + b;
                    break;
                }
        }
        out += static_cast<wchar_t>(cp);
    }
    return out;
}

std::string StringCodec::encode(std::wstring_view text) const {
    std::string out;
    out.reserve(text.size());
    for (wchar_t w : text) {
        char32_t cp = static_cast<char32_t>(w);
        if (!utf8_) {
            if (cp < 0x100) {
                out += static_cast<char>(cp);
            } else {
                char buf[16];
                std::snprintf(buf, sizeof buf, "\\U+%04X", static_cast<unsigned>(cp));
                out += buf;
            }
            continue;
        }
        if (cp >= 0x80 && cp < 0x100 && upper_ != nullptr && upper_[cp - 0x80] != 0)
            cp = upper_[cp - 0x80];
        appendUtf8(out, cp);
    }
    return out;
}

}  // namespace cadhost::dxf
