// Draws text that is already (or is to be put) in visual order, character
// by character, so that no text layout of the platform reorders it again.
// Used by the visual edit control and by other owner-drawn controls.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class QFontMetricsF;
class QPainter;
class QRect;

namespace tarsil::visual {

// Horizontal and vertical placement flags.
inline constexpr int kDrawRight = 2;
inline constexpr int kDrawCenter = 4;
inline constexpr int kDrawBottom = 16;
inline constexpr int kDrawVCenter = 32;

// Returns the number of lines (one more than the line feeds), 0 for an
// empty text, -1 when the reordering fails.  firstLine gets 1 for a text
// that is not empty; longest the most characters of one line.  With
// ltrParagraph clear the lines are listed from their right ends and come in
// reverse order (as the reordering of a right-to-left paragraph gives them).
int DrawVisualText(QPainter& painter, std::wstring_view text, const QRect& rect, int* firstLine,
                   int* longest, int flags, bool ltrParagraph, bool reorder);

// Boundaries of the characters of one visual line: entry k lies between
// characters k - 1 and k, entry 0 at origin (the line's left edge, or its
// right edge when the line is listed from the right), n + 1 entries.
// Character i spans from entry i to entry i + 1.
std::vector<double> CharacterEdges(const QFontMetricsF& metrics, std::wstring_view line,
                                   double origin, bool ltrParagraph);
// Left x of character i of a line with those boundaries.
inline double CharacterLeft(const std::vector<double>& edges, std::size_t i, bool ltrParagraph) {
    return ltrParagraph ? edges[i] : edges[i + 1];
}
double LineWidth(const QFontMetricsF& metrics, std::wstring_view line);
// Where the line starts (its left edge, or its right edge when listed from
// the right) inside [left, right] for the placement flags.
double LineOrigin(double width, double left, double right, int flags, bool ltrParagraph);

}  // namespace tarsil::visual
