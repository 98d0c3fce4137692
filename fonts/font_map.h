#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "fonts/font_type.h"

namespace tarsil {

// Font name (the font file's name without extension, as the map file gives
// it) to its font type, ordered by exact comparison of the names.
using FontMap = std::map<std::wstring, FontType>;

inline constexpr wchar_t kFontMappingSection[] = L"FontMapping";

// The two maps that live while the module is loaded.
FontMap& CurrentFontMap();
FontMap& DefaultFontMap();

// Empties map and fills it from the "FontMapping" section of the file at
// path, opened as the system opens its files (auto-save, create-if-missing
// and ignore-case on, backups off): a missing file is created empty.
// Returns false, leaving map empty, when the file can't be opened.
bool LoadFontMap(const std::filesystem::path& path, FontMap& map);

// Refills the current map from the current font map file, then the default
// map from the default font map file, both paths from the configuration.
void LoadFontMaps();

// The type of the first name in map order that equals name without regard
// to case; Unknown when there is none.  The whole name is compared.
FontType FindFontTypeIn(const FontMap& map, std::wstring_view name);
FontType FindFontType(std::wstring_view name);         // in the current map
FontType FindDefaultFontType(std::wstring_view name);  // in the default map

}  // namespace tarsil
