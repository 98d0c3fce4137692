#include "hebrew/mtext/coded_line.h"

#include <algorithm>
#include <vector>

#include "hebrew/codec/drawing_text_codec.h"
#include "hebrew/mtext/mtext_codes.h"

namespace tarsil::mtext {
namespace {

bool HasLetterIn(std::wstring_view text, wchar_t first, wchar_t last) {
    return std::any_of(text.begin(), text.end(),
                       [&](wchar_t c) { return c >= first && c <= last; });
}

// Whether the stored line lists a right-to-left line from its left end,
// so that its pieces run backwards against logical order.
bool StoredBackwards(const std::vector<Piece>& pieces, FontType fontType, bool stored) {
    wchar_t first = 0, last = 0;
    if (fontType == FontType::HebrewNormal) {
        // Stored DOS letters, logical Windows letters.
        first = stored ? 0x80 : 0xE0;
        last = stored ? 0x9A : 0xFA;
    } else if (fontType == FontType::D2w) {
        first = 0xE0;
        last = 0xFA;
    } else {
        return false;
    }
    return std::any_of(pieces.begin(), pieces.end(),
                       [&](const Piece& p) { return !p.code && HasLetterIn(p.text, first, last); });
}

// Reverses the order of the pieces between column breaks: each column is
// a line of its own, laid out from its own left end.
template <typename T>
void ReverseWithinColumns(std::vector<T>& items, const std::vector<bool>& isBreak) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= items.size(); ++i) {
        if (i < items.size() && !isBreak[i]) continue;
        std::reverse(items.begin() + static_cast<std::ptrdiff_t>(start),
                     items.begin() + static_cast<std::ptrdiff_t>(i));
        start = i + 1;
    }
}

std::vector<bool> ColumnBreaks(const std::vector<Piece>& pieces) {
    std::vector<bool> breaks;
    for (const Piece& p : pieces) breaks.push_back(p.code && p.text == L"\\N");
    return breaks;
}

}  // namespace

void StoredRuns::Remember(const std::wstring& logical, std::wstring_view stored) {
    runs_.emplace(logical, std::wstring(stored));
}

const std::wstring* StoredRuns::Find(const std::wstring& logical) const {
    auto it = runs_.find(logical);
    return it == runs_.end() ? nullptr : &it->second;
}

std::wstring DecodeCodedLine(std::wstring_view stored, const LineOptions& options,
                             StoredRuns* memory) {
    std::vector<Piece> pieces = SplitCodes(stored, options.measurement);
    if (StoredBackwards(pieces, options.fontType, true))
        ReverseWithinColumns(pieces, ColumnBreaks(pieces));
    std::wstring logical;
    for (const Piece& piece : pieces) {
        if (piece.code) {
            logical += options.measurement && piece.text == L"<>"
                           ? std::wstring(1, kMeasurementMark)
                           : std::wstring(piece.text);
            continue;
        }
        std::wstring run(piece.text);
        hebrew::DecodeDrawingText(run, options.fontType);
        if (memory != nullptr) memory->Remember(run, piece.text);
        logical += run;
    }
    return logical;
}

std::wstring EncodeCodedLine(std::wstring_view logical, std::span<const unsigned char> mask,
                             const LineOptions& options, const StoredRuns* memory) {
    // The mark the user sees for the measurement is a code of its own.
    std::wstring line(logical);
    if (options.measurement) std::replace(line.begin(), line.end(), kMeasurementMark, L'\x01');
    std::vector<Piece> pieces = SplitCodes(line, false);
    std::vector<std::wstring> out;
    std::vector<bool> isBreak;
    out.reserve(pieces.size());
    for (const Piece& piece : pieces) {
        std::wstring text(piece.text);
        if (piece.code) {
            isBreak.push_back(text == L"\\N");
            out.push_back(std::move(text));
            continue;
        }
        // Within a run, each measurement mark stands alone too.
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t mark = text.find(L'\x01', start);
            if (mark == std::wstring::npos) mark = text.size();
            if (mark > start) {
                std::wstring run = text.substr(start, mark - start);
                const std::wstring* kept = memory != nullptr ? memory->Find(run) : nullptr;
                if (kept != nullptr) {
                    run = *kept;
                } else {
                    const std::size_t at = piece.offset + start;
                    const auto slice =
                        at < mask.size() ? mask.subspan(at) : std::span<const unsigned char>();
                    hebrew::EncodeDrawingText(run, options.fontType, slice);
                }
                out.push_back(std::move(run));
                isBreak.push_back(false);
            }
            if (mark < text.size()) {
                out.push_back(L"<>");
                isBreak.push_back(false);
            }
            start = mark + 1;
        }
    }
    // Backwards fonts: the pieces are stored in reverse order (see decoding).
    std::vector<Piece> logicalPieces = SplitCodes(logical, options.measurement);
    if (StoredBackwards(logicalPieces, options.fontType, false)) ReverseWithinColumns(out, isBreak);
    std::wstring stored;
    for (const std::wstring& s : out) stored += s;
    return stored;
}

}  // namespace tarsil::mtext
