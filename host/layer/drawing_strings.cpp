#include "host/layer/drawing_strings.h"

#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/selection.h"

namespace tarsil::layer {

namespace {

// The string of one entity, released with the host's allocator.
template <class Entity, class Get>
bool ReadString(AcDbObjectId id, Get get, std::wstring& out) {
    Entity* entity = nullptr;
    if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) return false;
    ACHAR* text = (entity->*get)();
    entity->close();
    if (text == nullptr) return false;
    out = text;
    acutDelString(text);
    return true;
}

}  // namespace

std::vector<std::wstring> AllTextStrings(TextKind kind) {
    std::vector<std::wstring> strings;
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<ACHAR*>(kind == TextKind::kMText ? L"MTEXT" : L"TEXT");
    ads_name set = {0, 0};
    if (acedSSGet(L"X", nullptr, nullptr, &filter, set) != RTNORM) return strings;
    std::int32_t length = 0;
    acedSSLength(set, &length);
    for (std::int32_t i = 0; i < length; ++i) {
        ads_name name;
        AcDbObjectId id;
        if (acedSSName(set, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) continue;
        std::wstring text;
        const bool read = kind == TextKind::kMText
                              ? ReadString<AcDbMText>(id, &AcDbMText::contents, text)
                              : ReadString<AcDbText>(id, &AcDbText::textString, text);
        if (read) strings.push_back(std::move(text));
    }
    acedSSFree(set);
    return strings;
}

}  // namespace tarsil::layer
