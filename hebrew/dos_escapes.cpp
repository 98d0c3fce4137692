#include <cwchar>

#include "hebrew/codepage.h"

namespace tarsil::hebrew {
namespace {

constexpr int kFirstCode = 128, kLastCode = 154;
constexpr std::size_t kEscapeLength = 5;  // "%%" and three digits

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

}  // namespace

int DecodeDosEscapes(wchar_t* text, std::size_t& length) {
    if (text == nullptr) return 0;
    std::size_t len = 0;
    while (len < length && text[len] != 0) ++len;

    bool pendingPercent = false;  // the previous character opened with "%"
    bool inEscape = false;
    std::size_t start = 0;  // position of the escape's first "%"
    int digits = 0, value = 0;
    std::size_t i = 0;
    while (i < len) {
        const wchar_t c = text[i];
        if (!inEscape) {
            if (c != L'%') {
                pendingPercent = false;
            } else if (pendingPercent) {
                inEscape = true;
                pendingPercent = false;
                start = i - 1;
                digits = value = 0;
            } else {
                pendingPercent = true;
            }
            ++i;
            continue;
        }
        if (!IsDigit(c)) {
            // Any other character ends the escape; a "%" after digits may
            // open the next one.
            inEscape = false;
            pendingPercent = c == L'%' && digits > 0;
            ++i;
            continue;
        }
        value = value * 10 + (c - L'0');
        if (++digits < 3) {
            ++i;
            continue;
        }
        inEscape = false;
        if (value < kFirstCode || value > kLastCode) {
            ++i;
            continue;
        }
        text[start] = static_cast<wchar_t>(value);
        const std::size_t shift = kEscapeLength - 1;
        for (std::size_t from = start + kEscapeLength; from < len; ++from)
            text[from - shift] = text[from];
        len -= shift;
        text[len] = 0;
        i = start + 1;
    }
    length = len;
    return 1;
}

}  // namespace tarsil::hebrew
