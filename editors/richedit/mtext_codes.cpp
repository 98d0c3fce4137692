#include <algorithm>

#include "editors/richedit/rich_edit_heb.h"

namespace tarsil::editors {

std::vector<std::wstring> SplitDigitRuns(std::wstring_view text) {
    std::vector<std::wstring> runs;
    auto is_digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    std::size_t start = 0;
    while (start < text.size()) {
        const bool digits = is_digit(text[start]);
        std::size_t end = start + 1;
        while (end < text.size() && is_digit(text[end]) == digits) ++end;
        runs.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return runs;
}

std::vector<TextRange> MTextCodeRanges(std::wstring_view text) {
    std::vector<TextRange> ranges;
    const long n = static_cast<long>(text.size());
    long open = -1;  // backslash of a code waiting for its ';'
    long i = 0;
    while (i < n) {
        const wchar_t c = text[static_cast<std::size_t>(i)];
        if (open >= 0) {
            if (c == L';') {
                ranges.push_back({open, i + 1});
                open = -1;
                ++i;
                continue;
            }
            // These cannot be part of a code's argument: the code was not one.
            if (c == L'{' || c == L'}' || c == L'\\' || c == L'L' || c == L'O') open = -1;
        }
        if (c == L'{' || c == L'}') {
            ranges.push_back({i, i + 1});
            ++i;
        } else if (c == L'\\') {
            const wchar_t next = i + 1 < n ? text[static_cast<std::size_t>(i + 1)] : L'\0';
            if (next == L'L' || next == L'O' || next == L'l' || next == L'o') {
                ranges.push_back({i, i + 2});  // underline and overline toggles
                i += 2;
            } else if (next == L'{' || next == L'}' || next == L'\\') {
                ranges.push_back({i, i + 1});  // an escape: the character itself shows
                i += 2;
            } else {
                open = i;  // a code with an argument, such as \fArial;
                ++i;
            }
        } else {
            ++i;
        }
    }
    return ranges;
}

}  // namespace tarsil::editors
