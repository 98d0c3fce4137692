#pragma once

// Which glyph the host draws for each character of a stored text, by the
// font type of the text's style.  The host draws a text glyph after glyph
// in stored order; a Hebrew font shows the bytes of its own layout as
// Hebrew letters, any other font the characters of the drawing's code page.
#include <string_view>
#include <vector>

#include "fonts/font_type.h"

namespace cadhost::view {

// Where the bars of "%%u" and "%%o" lie, in capital heights from the
// baseline, and how thick they are.
inline constexpr double kUnderlineY = -0.2, kOverlineY = 1.2, kBarThickness = 0.07;

struct Glyph {
    char32_t shown;  // the character whose outline is drawn
    wchar_t stored;  // the character the host's metrics measure
    bool underline = false;
    bool overline = false;
};

// What one byte (or wide character) of a text shows under a font of this
// type.  codePageUpper gives the characters of bytes 0x80..0xFF in the
// drawing's code page (null: Latin-1).  Characters above U+00FF are
// Unicode text and show as they are.
char32_t glyphOf(wchar_t c, tarsil::FontType type, const char16_t* codePageUpper);

// The glyphs of a single-line text, with its "%%" codes read as the host
// reads them: "%%d", "%%p", "%%c" degree, plus-minus and diameter signs,
// "%%%" a percent sign, "%%nnn" the character of that decimal code (shown
// by the font like any stored byte); "%%u" and "%%o" show nothing but turn
// underlining and overlining of the glyphs after them on and off.
std::vector<Glyph> textGlyphs(std::wstring_view text, tarsil::FontType type,
                              const char16_t* codePageUpper);

// True for the fonts that write each glyph to the left of the one before:
// their texts are stored listed from the right end of the line (the 7-bit
// fonts) or in logical order (the backward fonts).
bool drawsRightToLeft(tarsil::FontType type);

}  // namespace cadhost::view
