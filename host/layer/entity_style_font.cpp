#include "host/layer/entity_style_font.h"

#include <string>

#include "cadhost/db/acdb_all.h"
#include "fonts/font_map.h"

namespace tarsil::layer {

FontType StyleFontType(AcDbObjectId textStyle) {
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, textStyle, AcDb::kForRead) != Acad::eOk) return FontType::Unknown;
    const ACHAR* file = nullptr;
    FontType type = FontType::Unknown;
    if (style->fileName(file) == Acad::eOk && file != nullptr) {
        std::wstring name(file);
        // The extension is what follows the last dot of the final component.
        std::size_t slash = name.find_last_of(L"\\/");
        std::size_t dot = name.rfind(L'.');
        if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
            name.erase(dot);
        type = FindFontType(name);
    }
    style->close();
    return type;
}

}  // namespace tarsil::layer
