#include "host/entity_ops/editor_text.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "hebrew/codec/drawing_text_codec.h"
#include "hebrew/codec/wide_characters.h"
#include "hebrew/codepage.h"
#include "hebrew/reorder.h"
#include "host/entity_ops/messages.h"
#include "host/layer/entity_host.h"
#include "host/layer/entity_style_font.h"

namespace tarsil {
namespace {

constexpr std::int32_t kLeftToRight = 1;

// The engine writes its NUL where the text ends; take the length from it.
void FitToNul(std::wstring& text) {
    text.resize(std::wcslen(text.c_str()));
}

void Reverse(std::wstring& text) {
    std::reverse(text.begin(), text.end());
}

void ToVisualLeftToRight(std::wstring& text) {
    std::vector<wchar_t> out(text.size() + 1, L'\0');
    hebrew::LogicalToVisual(text.c_str(), text.size(), out.data(), nullptr, kLeftToRight);
    text.assign(out.data());
}

void StoredBytesForEditing(std::wstring& text, FontType fontType) {
    switch (fontType) {
        case FontType::D2w:
            ToVisualLeftToRight(text);
            hebrew::ConvertForTarget(text, L"d", 1);
            hebrew::ConvertForTarget(text, L"w", 0);
            break;
        case FontType::Hebrew7Bit:
        case FontType::Hebrew7BitBackward:
            hebrew::ConvertCodeTable(text.c_str(), text.data(), hebrew::k7BitToDos);
            FitToNul(text);
            hebrew::ConvertForTarget(text, L"w", 0);
            break;
        default:
            hebrew::ConvertForTarget(text, L"w", 0);
            break;
    }
    FitToNul(text);
}

void EditingBytesForStorage(std::wstring& text, FontType fontType) {
    switch (fontType) {
        case FontType::D2w:
            hebrew::ConvertForTarget(text, L"d", 0);
            FitToNul(text);
            hebrew::DosToWinReversed(text.c_str(), text.data());
            FitToNul(text);
            Reverse(text);
            break;
        case FontType::Hebrew7Bit:
        case FontType::Hebrew7BitBackward:
            hebrew::ConvertForTarget(text, L"d", 0);
            FitToNul(text);
            hebrew::ConvertCodeTable(text.c_str(), text.data(), hebrew::kDosTo7Bit);
            break;
        case FontType::HebrewNormal:
        case FontType::HebrewBackward:
            hebrew::ConvertForTarget(text, L"d", 0);
            break;
        default:
            break;
    }
    FitToNul(text);
}

// Both directions read or write the DOS layout; characters above U+00FF
// stay in their places (hebrew/codec/wide_characters.h).
void KeepingWideCharacters(std::wstring& text, FontType fontType,
                           void (*convert)(std::wstring&, FontType)) {
    FitToNul(text);
    if (!hebrew::HasWideCharacters(text)) return convert(text, fontType);
    hebrew::ConvertKeepingWideCharacters(text, hebrew::StandInSet::kDosLayout,
                                         [&](std::wstring& t) { convert(t, fontType); });
}

}  // namespace

void ConvertStoredForEditing(std::wstring& text, FontType fontType) {
    KeepingWideCharacters(text, fontType, StoredBytesForEditing);
}

void ConvertEditingForStorage(std::wstring& text, FontType fontType) {
    KeepingWideCharacters(text, fontType, EditingBytesForStorage);
}

std::optional<std::wstring> LoadEditorText(AcDbObjectId id) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) {
        layer::Alert(kCannotOpenTextObject);
        return std::nullopt;
    }
    std::wstring value = text->textStringConst();
    FontType fontType = layer::StyleFontType(text->textStyle());
    text->close();
    ConvertStoredForEditing(value, fontType);
    return value;
}

bool StoreEditorText(AcDbObjectId id, std::wstring& editable) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    ConvertEditingForStorage(editable, layer::StyleFontType(text->textStyle()));
    text->setTextString(editable.c_str());
    if (!text->isDefaultAlignment()) text->adjustAlignment(layer::WorkingDatabase());
    text->draw();
    text->close();
    layer::RepaintDocumentWindow();
    return true;
}

}  // namespace tarsil
