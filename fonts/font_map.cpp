#include "fonts/font_map.h"

#include "fonts/font_name_text.h"
#include "fonts/font_type_names.h"
#include "fonts/ini_file.h"
#include "fonts/wh_config.h"
#include "fonts/wide_text.h"

namespace tarsil {

FontMap& CurrentFontMap() {
    static FontMap map;
    return map;
}

FontMap& DefaultFontMap() {
    static FontMap map;
    return map;
}

bool LoadFontMap(const std::filesystem::path& path, FontMap& map) {
    map.clear();
    HIniEx ini;
    if (!ini.Open(path, true, true, true, false)) return false;
    const std::wstring fallback = FontTypeName(FontType::HebrewNormal);
    for (const std::wstring& key : ini.GetKeys(kFontMappingSection)) {
        const std::wstring value = ini.GetValue(kFontMappingSection, key, fallback);
        // emplace keeps the first insertion of a name repeated in the file
        map.emplace(FontNameFromFileText(key), static_cast<FontType>(ParseIntLikeAtoi(value)));
    }
    return true;
}

void LoadFontMaps() {
    const CWhConfig& config = CWhConfig::Instance();
    LoadFontMap(config.GetCurrentFontMapPath(), CurrentFontMap());
    LoadFontMap(config.GetDefaultFontMapPath(), DefaultFontMap());
}

FontType FindFontTypeIn(const FontMap& map, std::wstring_view name) {
    for (const auto& [font, type] : map) {
        if (EqualsIgnoreCase(font, name)) return type;
    }
    return FontType::Unknown;
}

FontType FindFontType(std::wstring_view name) {
    return FindFontTypeIn(CurrentFontMap(), name);
}

FontType FindDefaultFontType(std::wstring_view name) {
    return FindFontTypeIn(DefaultFontMap(), name);
}

}  // namespace tarsil
