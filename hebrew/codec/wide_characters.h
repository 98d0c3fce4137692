// Characters above U+00FF through the byte-wide engine.
//
// The engine works on one byte per character and ends a text at the first
// character it cannot narrow.  A drawing's text may still hold such
// characters (a diameter sign, a Greek letter, a Hebrew letter pasted from
// elsewhere), and cutting the line there would lose the user's text.  So
// each of them stands in as a byte that the conversion neither changes nor
// produces from another byte, and that the reordering reads as any other
// neutral; after the conversion the characters are put back where their
// stand-ins went.  A character above U+00FF is therefore placed as a
// neutral: it goes with the direction of its neighbours.
#pragma once

#include <functional>
#include <span>
#include <string>

namespace tarsil::hebrew {

// Which layouts a conversion reads or writes.  The Windows letters
// 0xE0..0xFA and the ASCII keys are never stand-ins; the DOS letters
// 0x80..0x9A (and the "%%nnn" escapes that make them) only when the DOS
// layout is not involved.
enum class StandInSet {
    kDosLayout,      // the DOS layout is read or written (and maybe others)
    kWindowsLayout,  // only the Windows layout
};

// The stand-in bytes of a set, ascending, at least 74 of them.
std::span<const unsigned char> StandInBytes(StandInSet set);

// True when the text, up to its first NUL, holds a character above U+00FF.
bool HasWideCharacters(const std::wstring& text);

// Runs convert on the text, up to its first NUL, with every character above
// U+00FF kept.  convert must treat the stand-ins of the set as said above
// and end its result at its first NUL.  A text with many different wide
// characters is converted more than once, with a different numbering of
// its characters in stand-ins each time: k stand-ins tell k^r characters
// apart in r runs.
void ConvertKeepingWideCharacters(std::wstring& text, StandInSet set,
                                  const std::function<void(std::wstring&)>& convert);

}  // namespace tarsil::hebrew
