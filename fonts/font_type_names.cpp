#include "fonts/font_type_names.h"

#include "fonts/wide_text.h"

namespace tarsil {

std::wstring FontTypeName(FontType type) {
    for (const auto& entry : kFontTypeNames) {
        if (entry.type == type) return entry.name;
    }
    return kFontTypeNames[0].name;
}

FontType FontTypeFromName(std::wstring_view name) {
    for (const auto& entry : kFontTypeNames) {
        if (EqualsIgnoreCase(name, entry.name)) return entry.type;
    }
    return FontType::HebrewNormal;
}

}  // namespace tarsil
