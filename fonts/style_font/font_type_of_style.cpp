#include "fonts/style_font/font_type_of_style.h"

#include "cadhost/db/acdb_all.h"
#include "fonts/font_map.h"

namespace tarsil {

std::wstring RemoveFontExtension(const std::wstring& fileName) {
    std::size_t dot = std::wstring::npos;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        const wchar_t c = fileName[i];
        if (c == L'.')
            dot = i;
        else if (c == L'\\' || c == L'/' || c == L' ')
            dot = std::wstring::npos;
    }
    return dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
}

FontType FontTypeOfStyle(AcDbObjectId styleId) {
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, styleId, AcDb::kForRead) != Acad::eOk) return FontType::Unknown;
    const ACHAR* fileName = nullptr;
    FontType type = FontType::Unknown;
    if (style->fileName(fileName) == Acad::eOk && fileName != nullptr)
        type = FindFontType(RemoveFontExtension(fileName));
    style->close();
    return type;
}

}  // namespace tarsil
