#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cadhost/geom/gepoint.h"

// The host's own text metrics.  There are no font outlines here: every
// glyph has a fixed advance (a fraction of the text height), capitals reach
// the text height and descenders go a quarter of it below the baseline.
// Deterministic, so that placing and measuring text gives the same numbers
// on every machine.
namespace cadhost::geom {

inline constexpr double kDescent = 0.25;              // below the baseline, of the height
inline constexpr double kMTextLinePitch = 5.0 / 3.0;  // MText line distance, of the height
inline constexpr wchar_t kNoBreakSpace = 0x00A0;      // MText's "\~": a blank no line breaks at

// Advance of one glyph for a text height of 1 and a width factor of 1.
double glyphAdvance(wchar_t c);
// Advance of a single-line text, with its %% control codes read as the host
// draws them (%%d, %%p, %%c one glyph each; %%u, %%o nothing; %%nnn one).
double textAdvance(std::wstring_view text);
bool hasDescender(std::wstring_view text);

// Box of a single-line text relative to its baseline start, unrotated.
struct Box {
    double left = 0, bottom = 0, right = 0, top = 0;
};
Box textBox(std::wstring_view text, double height, double widthFactor);

// Where a text's alignment point sits relative to its baseline start, by
// horizontal mode (0 left .. 5 fit) and vertical mode (0 baseline .. 3 top).
AcGeVector3d alignmentOffset(std::wstring_view text, double height, double widthFactor,
                             int horizontalMode, int verticalMode);

// Turns a vector in the text's own frame (x along the baseline) into world
// coordinates for a rotation in radians.
AcGeVector3d rotated(const AcGeVector3d& v, double rotation);

// The axis-aligned box around a box rotated about an origin.
void rotatedBounds(const Box& box, const AcGePoint3d& origin, double rotation, AcGePoint3d& min,
                   AcGePoint3d& max);

// The paragraphs of MText contents as plain text: formatting codes removed,
// "\P" (and column breaks) splitting paragraphs, "\~" kept as kNoBreakSpace.
std::vector<std::wstring> mtextParagraphs(std::wstring_view contents);

// The lines an MText is drawn in: its paragraphs, each wrapped at blanks to
// the column width (0: no wrapping).
std::vector<std::wstring> mtextLines(std::wstring_view contents, double height, double width);

// Box of an MText relative to its location, unrotated, for attachment 1..9
// and a column width (0: each paragraph one line).
Box mtextBox(std::wstring_view contents, double height, double lineSpacingFactor, int attachment,
             double width = 0);
// The same for lines already made by mtextLines.
Box mtextBox(const std::vector<std::wstring>& lines, double height, double lineSpacingFactor,
             int attachment);

}  // namespace cadhost::geom
