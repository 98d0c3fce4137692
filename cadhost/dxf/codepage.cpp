#include "cadhost/dxf/codepage.h"

#include <algorithm>
#include <cstdio>

#include "cadhost/rx/wide.h"

namespace cadhost::dxf {

StringCodec::StringCodec(bool utf8, std::string_view dwgCodePage)
    : utf8_(utf8), upper_(upperHalf(dwgCodePage)) {
    if (upper_ == nullptr) return;
    // Character to byte, the lowest byte first where two bytes share one.
    for (int b = 0; b < 128; ++b)
        bytes_.push_back({upper_[b], static_cast<unsigned char>(0x80 + b)});
    std::sort(bytes_.begin(), bytes_.end());
}

std::wstring StringCodec::decode(std::string_view raw) const {
    // Never more characters than bytes: written in place, then cut.
    std::wstring out(raw.size(), L'\0');
    std::size_t n = 0;
    if (!utf8_) {
        for (char c : raw) out[n++] = static_cast<wchar_t>(static_cast<unsigned char>(c));
        return out;
    }
    for (std::size_t i = 0; i < raw.size();) {
        if (static_cast<unsigned char>(raw[i]) < 0x80) {
            out[n++] = static_cast<wchar_t>(raw[i++]);
            continue;
        }
        char32_t cp = 0;
        std::size_t len = utf8SequenceAt(raw, i, cp);
        if (len == 0) {
            out[n++] = static_cast<wchar_t>(static_cast<unsigned char>(raw[i]));
            ++i;
            continue;
        }
        i += len;
        if (cp >= 0x80 && cp <= 0xFFFF && !bytes_.empty()) {
            const std::pair<char16_t, unsigned char> key{static_cast<char16_t>(cp), 0};
            auto it = std::lower_bound(bytes_.begin(), bytes_.end(), key);
            if (it != bytes_.end() && it->first == cp) cp = it->second;
        }
        out[n++] = static_cast<wchar_t>(cp);
    }
    out.resize(n);
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
