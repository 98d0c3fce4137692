#include "fonts/style_font/font_type_of_style.h"

#include "cadhost/db/acdb_all.h"
#include "cadhost/dxf/codepage.h"
#include "fonts/font_map.h"

namespace tarsil {
namespace {

// The host keeps a drawing's 8-bit strings as their bytes, and a
// character beyond its code page as a "\U+XXXX" escape, so a font file
// named in Hebrew letters reaches us as bytes or escapes while the map
// holds the name as the file system spells it.  The name with the bytes
// read in the drawing's code page and the escapes undone.
int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

std::wstring InCodePage(const std::wstring& name, const AcDbDatabase* db) {
    const char16_t* upper = db != nullptr ? cadhost::dxf::upperHalf(db->codePage()) : nullptr;
    std::wstring turned;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (c == L'\\' && i + 7 <= name.size() && name.compare(i + 1, 2, L"U+") == 0) {
            int value = 0;
            for (std::size_t k = i + 3; k < i + 7 && value >= 0; ++k) {
                const int digit = HexDigit(name[k]);
                value = digit < 0 ? -1 : value * 16 + digit;
            }
            if (value > 0) {
                turned += static_cast<wchar_t>(value);
                i += 6;
                continue;
            }
        }
        if (upper != nullptr && c >= 0x80 && c <= 0xFF && upper[c - 0x80] != 0) {
            turned += static_cast<wchar_t>(upper[c - 0x80]);
        } else {
            turned += c;
        }
    }
    return turned;
}

}  // namespace

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
    return FontTypeOfStyleIn(CurrentFontMap(), styleId);
}

FontType FontTypeOfStyleIn(const FontMap& map, AcDbObjectId styleId) {
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, styleId, AcDb::kForRead) != Acad::eOk) return FontType::Unknown;
    const ACHAR* fileName = nullptr;
    FontType type = FontType::Unknown;
    if (style->fileName(fileName) == Acad::eOk && fileName != nullptr) {
        const std::wstring name = RemoveFontExtension(fileName);
        type = FindFontTypeIn(map, name);
        if (type == FontType::Unknown) {
            const std::wstring turned = InCodePage(name, style->database());
            if (turned != name) type = FindFontTypeIn(map, turned);
        }
    }
    style->close();
    return type;
}

}  // namespace tarsil
