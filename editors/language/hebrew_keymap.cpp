#include "editors/language/hebrew_keymap.h"

namespace tarsil::editors {

namespace {

// The unshifted keys from '\'' (0x27) to '`' (0x60) and 'a'..'z' that
// change; zero where the key types the same character in both layouts.
struct KeyPair {
    char latin;
    char32_t hebrew;
};

constexpr KeyPair kChangedKeys[] = {
    // letters, row by row as on the keyboard
    {'q', U'/'},
    {'w', U'\''},
    {'e', U'\u05E7'},
    {'r', U'\u05E8'},
    {'t', U'\u05D0'},
    {'y', U'\u05D8'},
    {'u', U'\u05D5'},
    {'i', U'\u05DF'},
    {'o', U'\u05DD'},
    {'p', U'\u05E4'},
    {'a', U'\u05E9'},
    {'s', U'\u05D3'},
    {'d', U'\u05D2'},
    {'f', U'\u05DB'},
    {'g', U'\u05E2'},
    {'h', U'\u05D9'},
    {'j', U'\u05D7'},
    {'k', U'\u05DC'},
    {'l', U'\u05DA'},
    {';', U'\u05E3'},
    {'z', U'\u05D6'},
    {'x', U'\u05E1'},
    {'c', U'\u05D1'},
    {'v', U'\u05D4'},
    {'b', U'\u05E0'},
    {'n', U'\u05DE'},
    {'m', U'\u05E6'},
    {',', U'\u05EA'},
    {'.', U'\u05E5'},
    // punctuation that moves
    {'`', U';'},
    {'\'', U','},
    {'/', U'.'},
    // paired delimiters, typed mirrored
    {'(', U')'},
    {')', U'('},
    {'[', U']'},
    {']', U'['},
    {'{', U'}'},
    {'}', U'{'},
    {'<', U'>'},
    {'>', U'<'},
};

}  // namespace

char32_t HebrewLayoutCharacter(char32_t latin) {
    for (const KeyPair& pair : kChangedKeys) {
        if (static_cast<char32_t>(pair.latin) == latin) return pair.hebrew;
    }
    return latin;
}

}  // namespace tarsil::editors
