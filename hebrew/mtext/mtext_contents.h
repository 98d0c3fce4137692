// Whole MText contents and dimension overrides as the editors show them:
// one line per paragraph, lines separated by line feeds, logical order.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "hebrew/mtext/coded_line.h"

namespace tarsil::mtext {

// Contents to editor text: each paragraph decoded, joined by line feeds
// (an empty paragraph is an empty line).
std::wstring DecodeContents(std::wstring_view contents, FontType fontType, StoredRuns* memory);

// Editor text (carriage returns are dropped) to contents: each non-empty
// line encoded with the part of mask that starts at its first character,
// and "\P" after every line feed.  mask has one byte per character of text.
std::wstring EncodeContents(std::wstring_view text, std::span<const unsigned char> mask,
                            FontType fontType, const StoredRuns* memory);

// The dimension editor's two edits.  A stacked text leaves a line feed at
// the end of the upper edit.  An empty override shows the measurement mark
// alone in the upper edit.
struct DimensionEditText {
    std::wstring upper;
    std::wstring lower;
};
DimensionEditText DecodeDimensionText(std::wstring_view text, FontType fontType,
                                      StoredRuns* memory);

// The override: the upper text, then, when the lower text is not empty,
// "\X" and the lower text; measurement marks become "<>".
std::wstring EncodeDimensionText(std::wstring_view upper, std::span<const unsigned char> upperMask,
                                 std::wstring_view lower, std::span<const unsigned char> lowerMask,
                                 FontType fontType, const StoredRuns* memory);

}  // namespace tarsil::mtext
