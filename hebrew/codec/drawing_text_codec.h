// Stored drawing text and editable text.
//
// A text entity stores its string in the byte layout and order that the
// font of its text style expects, as its FontType says.  The editors work
// on logical text in the Windows Hebrew layout.  Decoding turns stored text
// into logical text and encoding turns it back; ConvertForTarget turns text
// into the DOS or the Windows layout for the rows of the multi-line editor
// and for word completion.
//
// Texts are one line, worked on up to their first NUL.  Their characters
// are bytes (U+0000..U+00FF); a character above U+00FF is kept in its
// place and is read as a neutral (wide_characters.h).  Font types that
// leave a text unchanged never touch it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fonts/font_type.h"

namespace tarsil::hebrew {

// Stored text of font_type into logical Windows-layout text, in place.
void DecodeDrawingText(std::wstring& text, FontType font_type);

// Logical Windows-layout text into stored text of font_type, in place.
// direction_mask has one byte per character of text, from its first: 2
// for a character typed as Hebrew, 1 for any other; missing bytes count 1.
void EncodeDrawingText(std::wstring& text, FontType font_type,
                       std::span<const unsigned char> direction_mask);

// Converts the NUL-terminated text in place for the target: "w" (either
// case) gives the Windows layout, anything else the DOS layout.  The text
// never grows.  ltrParagraph != 0 reorders as a left-to-right paragraph.
// Always returns 1.
std::int32_t ConvertForTarget(wchar_t* text, const wchar_t* target, std::int32_t ltrParagraph);
// The same on a string object.
std::int32_t ConvertForTarget(std::wstring& text, const wchar_t* target, std::int32_t ltrParagraph);

}  // namespace tarsil::hebrew
