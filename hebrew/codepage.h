// Byte layouts of the Hebrew letters and the conversions between them.
//
// A byte b of any layout travels in a wide string as the character U+00bb.
// Hebrew letter k (alef = 0 .. tav = 26) is 0xE0 + k in the Windows layout,
// 0x80 + k in the DOS layout and a Latin key letter in the 7-bit layout.
//
// Narrowing a wide string to bytes is the one-to-one mapping of
// U+0000..U+00FF to 0x00..0xFF.  A character above U+00FF cannot be narrowed:
// the narrowed text ends just before it, as if it were the terminating NUL.
// No operation here touches the C locale.
//
// Every pointer argument may be null: an operation then does nothing and
// returns its failure value (0 where it returns a status).
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarsil::hebrew {

// DOS letters 0x80..0x9A become Windows letters 0xE0..0xFA; any other byte is
// returned unchanged.
unsigned char DosToWin(unsigned char byte);
// Windows letters 0xE0..0xFA become DOS letters 0x80..0x9A; any other byte is
// returned unchanged.
unsigned char WinToDos(unsigned char byte);

// String forms: map the NUL-terminated src into dst position by position, the
// NUL included.  dst holds at least as many bytes as src and may equal src.
void DosToWin(const char* src, char* dst);
void WinToDos(const char* src, char* dst);

// Narrow in, map every byte with DosToWin (WinToDos), reverse, widen into out.
// out holds at least wcslen(in) + 1 characters and may equal in.  Returns 1,
// or 0 (out untouched) when a pointer is null.
int DosToWinReversed(const wchar_t* in, wchar_t* out);
int WinToDosReversed(const wchar_t* in, wchar_t* out);
// Byte-string form of DosToWinReversed: map then reverse; out may equal in.
int DosToWinReversed(const char* in, char* out);

// Modes of ConvertCodeTable.
enum CodeTableMode : int {
    kWindowsTo7Bit = 0,
    k7BitToDos = 1,
    kDosTo7Bit = 2,
    // Any other value only reverses the text.
};

// Reverses the text and maps its bytes through the table of the mode.  A
// final line feed (when the text is longer than that one byte) stays at the
// end.  out holds at least wcslen(in) + 1 characters and may equal in.
// Always returns 0 (also when a pointer is null, then nothing is written).
std::int32_t ConvertCodeTable(const wchar_t* in, wchar_t* out, int mode);

// 1 when the text holds the escape "\U+" or a DOS letter 0x80..0x9A
// (Windows letter 0xE0..0xFA); 0 otherwise, for an empty text and for null.
int ContainsDosHebrew(const wchar_t* text);
int ContainsWindowsHebrew(const wchar_t* text);

// Replaces, in place, every "%%" followed by exactly three decimal digits of
// value 128..154 by the character of that code, and lowers length by 4 for
// each.  Only the first `length` characters are scanned; a length beyond the
// terminating NUL is first cut to the text's own length.  When something was
// replaced, the text is terminated at the new length.  Returns 1, or 0 when
// text is null (length then untouched).
int DecodeDosEscapes(wchar_t* text, std::size_t& length);

}  // namespace tarsil::hebrew
