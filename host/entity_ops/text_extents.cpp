#include "host/entity_ops/text_extents.h"

#include <string>

namespace tarsil {

bool MeasureText(AcDbText* text, TextBox& box) {
    AcDbExtents extents;
    const bool empty = std::wstring(text->textStringConst()).empty();
    if (!empty) {
        if (text->getGeomExtents(extents) != Acad::eOk) return false;
    } else {
        if (!text->isWriteEnabled() && text->upgradeOpen() != Acad::eOk) return false;
        text->setTextString(kEmptyTextStandIn);
        Acad::ErrorStatus es = text->getGeomExtents(extents);
        text->setTextString(L"");
        if (es != Acad::eOk) return false;
    }
    box.min = extents.minPoint();
    box.max = extents.maxPoint();
    return true;
}

bool MeasureEntity(AcDbObjectId id, TextBox& box) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
    bool measured = false;
    if (auto* text = dynamic_cast<AcDbText*>(entity)) {
        measured = MeasureText(text, box);
    } else {
        AcDbExtents extents;
        measured = entity->getGeomExtents(extents) == Acad::eOk;
        if (measured) {
            box.min = extents.minPoint();
            box.max = extents.maxPoint();
        }
    }
    entity->close();
    return measured;
}

}  // namespace tarsil
