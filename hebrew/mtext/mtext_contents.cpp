#include "hebrew/mtext/mtext_contents.h"

#include <vector>

#include "hebrew/mtext/mtext_codes.h"

namespace tarsil::mtext {
namespace {

std::wstring DecodeLines(const std::vector<std::wstring>& pieces, const LineOptions& options,
                         StoredRuns* memory) {
    std::wstring text;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) text += L'\n';
        text += DecodeCodedLine(pieces[i], options, memory);
    }
    return text;
}

std::wstring EncodeLines(std::wstring_view text, std::span<const unsigned char> mask,
                         const LineOptions& options, const StoredRuns* memory) {
    // Carriage returns are not characters of the text: they leave the mask too.
    std::wstring plain;
    std::vector<unsigned char> plainMask;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') continue;
        plain += text[i];
        plainMask.push_back(i < mask.size() ? mask[i] : 1);
    }
    std::wstring out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = plain.find(L'\n', start);
        const std::size_t stop = end == std::wstring::npos ? plain.size() : end;
        if (stop > start) {
            out += EncodeCodedLine(std::wstring_view(plain).substr(start, stop - start),
                                   std::span<const unsigned char>(plainMask).subspan(start),
                                   options, memory);
        }
        if (end == std::wstring::npos) break;
        out += L"\\P";
        start = end + 1;
    }
    return out;
}

}  // namespace

std::wstring DecodeContents(std::wstring_view contents, FontType fontType, StoredRuns* memory) {
    return DecodeLines(SplitParagraphs(contents), {fontType, false}, memory);
}

std::wstring EncodeContents(std::wstring_view text, std::span<const unsigned char> mask,
                            FontType fontType, const StoredRuns* memory) {
    return EncodeLines(text, mask, {fontType, false}, memory);
}

DimensionEditText DecodeDimensionText(std::wstring_view text, FontType fontType,
                                      StoredRuns* memory) {
    if (text.empty()) return {std::wstring(1, kMeasurementMark), {}};
    const DimensionPieces pieces = SplitDimensionText(text);
    const LineOptions options{fontType, true};
    DimensionEditText out;
    out.upper = DecodeLines(pieces.upper, options, memory);
    if (pieces.stacked) {
        out.upper += L'\n';
        out.lower = DecodeLines(pieces.lower, options, memory);
    }
    return out;
}

std::wstring EncodeDimensionText(std::wstring_view upper, std::span<const unsigned char> upperMask,
                                 std::wstring_view lower, std::span<const unsigned char> lowerMask,
                                 FontType fontType, const StoredRuns* memory) {
    const LineOptions options{fontType, true};
    std::wstring out = EncodeLines(upper, upperMask, options, memory);
    const std::wstring below = EncodeLines(lower, lowerMask, options, memory);
    if (!below.empty()) out += L"\\X" + below;
    return out;
}

}  // namespace tarsil::mtext
