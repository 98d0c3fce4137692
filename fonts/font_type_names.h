#pragma once

#include <array>
#include <string>
#include <string_view>

#include "fonts/font_type.h"

namespace tarsil {

struct FontTypeEntry {
    FontType type;
    const wchar_t* name;
};

// Display names in their fixed order: 0 to 5, then Unknown.  A user picks
// from the first six; Unknown is never offered.
inline constexpr std::array<FontTypeEntry, 7> kFontTypeNames{{
    {FontType::HebrewNormal, L"Hebrew Normal"},
    {FontType::Hebrew7Bit, L"Hebrew 7 Bit"},
    {FontType::HebrewBackward, L"Hebrew Backward"},
    {FontType::Hebrew7BitBackward, L"Hebrew 7 Bit Backward"},
    {FontType::D2w, L"d2w"},
    {FontType::AsIs, L"As is"},
    {FontType::Unknown, L"Unknown"},
}};
inline constexpr std::size_t kSelectableFontTypeCount = 6;

// The display name; any value without a name of its own shows as
// "Hebrew Normal".
std::wstring FontTypeName(FontType type);

// The value of a display name, compared without regard to case; any other
// text gives HebrewNormal.
FontType FontTypeFromName(std::wstring_view name);

}  // namespace tarsil
