#include "hebrew/mtext/mtext_codes.h"

#include <algorithm>

namespace tarsil::mtext {
namespace {

bool IsHex(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// Codes that carry a value up to a ';': font, height, width, colour,
// tracking, oblique, alignment, paragraph and stacking.
bool TakesValue(wchar_t c) {
    return std::wstring_view(L"ACcfFHQTWpS").find(c) != std::wstring_view::npos;
}

// Length of the backslash code starting at line[at] (line[at] == '\').
std::size_t BackslashCodeLength(std::wstring_view line, std::size_t at) {
    const std::size_t rest = line.size() - at;
    if (rest < 2) return 1;
    const wchar_t next = line[at + 1];
    if (TakesValue(next)) {
        const std::size_t semicolon = line.find(L';', at + 2);
        return semicolon == std::wstring_view::npos ? rest : semicolon - at + 1;
    }
    // "\U+XXXX" and "\M+NXXXX": one character written by its number.
    if ((next == L'U' || next == L'M') && rest >= 3 && line[at + 2] == L'+') {
        const std::size_t digits = next == L'U' ? 4 : 5;
        std::size_t n = 0;
        while (n < digits && at + 3 + n < line.size() && IsHex(line[at + 3 + n])) ++n;
        return 3 + n;
    }
    // Toggles, escaped characters and breaks: the backslash and one more.
    return 2;
}

// Cuts text at each separator "\c" (c in seps); escaped backslashes are
// skipped.  Each piece comes with the separator that ended it (0 at the end).
template <typename Emit>
void CutAt(std::wstring_view text, std::wstring_view seps, Emit emit) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != L'\\' || i + 1 >= text.size()) {
            ++i;
            continue;
        }
        const wchar_t next = text[i + 1];
        if (seps.find(next) != std::wstring_view::npos) {
            emit(text.substr(start, i - start), next);
            i += 2;
            start = i;
            continue;
        }
        i += 2;
    }
    emit(text.substr(start), L'\0');
}

}  // namespace

std::vector<Piece> SplitCodes(std::wstring_view line, bool measurement) {
    std::vector<Piece> pieces;
    std::size_t textStart = 0;
    auto flushText = [&](std::size_t end) {
        if (end > textStart)
            pieces.push_back({false, line.substr(textStart, end - textStart), textStart});
    };
    std::size_t i = 0;
    while (i < line.size()) {
        const wchar_t c = line[i];
        std::size_t length = 0;
        if (c == L'\\') {
            length = BackslashCodeLength(line, i);
        } else if (c == L'{' || c == L'}' || static_cast<unsigned long>(c) > 0xFF) {
            length = 1;
        } else if (measurement && c == L'<' && i + 1 < line.size() && line[i + 1] == L'>') {
            length = 2;
        }
        if (length == 0) {
            ++i;
            continue;
        }
        flushText(i);
        pieces.push_back({true, line.substr(i, length), i});
        i += length;
        textStart = i;
    }
    flushText(line.size());
    return pieces;
}

std::vector<std::wstring> SplitParagraphs(std::wstring_view contents) {
    std::vector<std::wstring> paragraphs;
    CutAt(contents, L"P",
          [&](std::wstring_view piece, wchar_t) { paragraphs.emplace_back(piece); });
    return paragraphs;
}

std::vector<std::wstring> SplitColumns(std::wstring_view contents, std::size_t columns) {
    std::vector<std::wstring> out(std::max<std::size_t>(columns, 1));
    std::size_t column = 0;
    CutAt(contents, L"N", [&](std::wstring_view piece, wchar_t separator) {
        out[column] += piece;
        if (separator == L'N') out[column] += L"\\N";
        if (column + 1 < out.size()) ++column;
    });
    return out;
}

DimensionPieces SplitDimensionText(std::wstring_view text) {
    DimensionPieces out;
    CutAt(text, L"PX", [&](std::wstring_view piece, wchar_t separator) {
        (out.stacked ? out.lower : out.upper).emplace_back(piece);
        if (separator == L'X') out.stacked = true;
    });
    return out;
}

}  // namespace tarsil::mtext
