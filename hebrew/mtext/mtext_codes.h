// The formatting codes of MText contents, as the host writes them: a
// backslash code ("\L", "\C1;", "\fArial|b1;", "\U+05D0"), a brace, or a
// character the engine can't narrow (above U+00FF).  Everything between
// codes is plain text that the codec may convert; the codes themselves are
// never converted and keep their bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarsil::mtext {

struct Piece {
    bool code = false;  // a formatting code (kept as it is) or plain text
    std::wstring_view text;
    std::size_t offset = 0;  // of text in the line it was cut from
};

// The line as codes and text runs, in order; concatenated they give the
// line back.  A "<>" counts as a code when measurement is set (dimension
// text), so that the measured value is never reordered or converted.
std::vector<Piece> SplitCodes(std::wstring_view line, bool measurement = false);

// Contents cut at every paragraph break "\P"; an escaped backslash ("\\P")
// is not a break.  "" gives one empty paragraph.
std::vector<std::wstring> SplitParagraphs(std::wstring_view contents);

// Contents of an MText whose columns are separate entities (drawings
// R2007 to R2013), cut into `columns` pieces after each column break "\N"
// (which stays with the piece it ends).  Missing pieces are empty; pieces
// beyond the last column join the last one.
std::vector<std::wstring> SplitColumns(std::wstring_view contents, std::size_t columns);

// A dimension override cut at "\P" and "\X": what comes before the first
// "\X" is the text above the dimension line, the rest below it.
struct DimensionPieces {
    std::vector<std::wstring> upper;
    std::vector<std::wstring> lower;
    bool stacked = false;  // the text had a "\X"
};
DimensionPieces SplitDimensionText(std::wstring_view text);

}  // namespace tarsil::mtext
