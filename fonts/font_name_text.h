#pragma once

#include <string>
#include <string_view>

namespace tarsil {

// How a font name stands in a map file, whose text is one byte per
// character.  A name that fits in bytes is written as its bytes, so maps
// stay as they always were; a name with characters above U+00FF (a font
// file named in Hebrew letters, say) is written in UTF-8.  Reading takes
// a name whose bytes form UTF-8 with at least one multi-byte sequence as
// UTF-8.  So that every name comes back as it went out, a name of bytes
// that would read as such UTF-8 is written in UTF-8 as well.

// The file text of name: one character per byte (U+0000..U+00FF).
std::wstring FontNameToFileText(std::wstring_view name);

// The name that file text stands for.
std::wstring FontNameFromFileText(std::wstring_view text);

}  // namespace tarsil
