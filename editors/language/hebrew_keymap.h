// The standard Israeli keyboard (SI-1452) on a Latin keyboard: with the
// Hebrew layout active, the key that types `latin` on a US keyboard types
// the character given here.  Letters become Hebrew letters (t -> alef,
// c -> bet, ..., a -> shin, ',' -> tav, with the five final forms on
// i, o, l, ';' and '.'); a few punctuation keys move (q -> '/', w -> '\'',
// '`' -> ';', '\'' -> ',', '/' -> '.'); paired delimiters are typed
// mirrored, because a right-to-left paragraph mirrors them back; digits,
// capitals (Shift gives Latin capitals) and everything else stay.
#pragma once

namespace tarsil::editors {

// Real Hebrew letters as widgets show them: alef U+05D0 .. tav U+05EA.
inline constexpr char32_t kFirstHebrewLetter = U'\u05D0';
inline constexpr char32_t kLastHebrewLetter = U'\u05EA';

inline constexpr bool IsHebrewLetter(char32_t c) {
    return c >= kFirstHebrewLetter && c <= kLastHebrewLetter;
}

// What the Hebrew layout types on the key that types latin on a US keyboard.
// A character that no US key types (a Hebrew letter from a keyboard whose
// own layout is Hebrew, an accented letter, ...) comes back unchanged.
char32_t HebrewLayoutCharacter(char32_t latin);

}  // namespace tarsil::editors
