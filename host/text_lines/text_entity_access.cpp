#include "host/text_lines/text_entity_access.h"

#include "host/entity_ops/justification.h"
#include "host/layer/entity_host.h"
#include "host/layer/entity_style_font.h"

namespace tarsil {
namespace {

AcGePoint3d Anchor(const AcDbText& text) {
    return text.isDefaultAlignment() ? text.position() : text.alignmentPoint();
}

// Runs change on the text open for write, then lets a justified text find
// its position again, draws and closes it.
template <class Change>
bool ChangeText(AcDbObjectId id, Change change) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) return false;
    change(*text);
    if (!text->isDefaultAlignment()) text->adjustAlignment(layer::WorkingDatabase());
    text->draw();
    text->close();
    return true;
}

std::wstring StyleName(AcDbObjectId style) {
    AcDbTextStyleTableRecord* record = nullptr;
    if (acdbOpenObject(record, style, AcDb::kForRead) != Acad::eOk) return {};
    std::wstring name = record->name();
    record->close();
    return name;
}

}  // namespace

bool ReadTextRecord(CTextProperties& record, std::wstring& stored) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, record.objectId, AcDb::kForRead) != Acad::eOk) return false;
    const AcDbObjectId style = text->textStyle();
    record.height = text->height();
    record.rotation = text->rotation();
    record.justification = JustificationIndex(text->horizontalMode(), text->verticalMode());
    record.position = Anchor(*text);
    stored = text->textStringConst();
    text->close();
    record.styleName = StyleName(style);
    record.fontType = layer::StyleFontType(style);
    return true;
}

bool TextExtents(AcDbObjectId id, AcGePoint3d& min, AcGePoint3d& max) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
    AcDbExtents extents;
    const bool measured = entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty();
    entity->close();
    if (!measured) return false;
    min = extents.minPoint();
    max = extents.maxPoint();
    return true;
}

bool WriteTextString(AcDbObjectId id, const std::wstring& stored) {
    return ChangeText(id, [&](AcDbText& text) { text.setTextString(stored.c_str()); });
}

bool PlaceText(AcDbObjectId id, const AcGePoint3d& anchor) {
    return ChangeText(id, [&](AcDbText& text) {
        if (text.isDefaultAlignment()) {
            text.setPosition(anchor);
        } else {
            text.setAlignmentPoint(anchor);
        }
    });
}

bool WriteTextHeight(AcDbObjectId id, double height) {
    return ChangeText(id, [&](AcDbText& text) { text.setHeight(height); });
}

bool WriteTextRotation(AcDbObjectId id, double radians) {
    return ChangeText(id, [&](AcDbText& text) { text.setRotation(radians); });
}

bool WriteTextJustification(AcDbObjectId id, int justification) {
    return ChangeText(id, [&](AcDbText& text) {
        const bool wasDefault = text.isDefaultAlignment();
        const AcGePoint3d position = text.position();
        const AcGePoint3d alignment = text.alignmentPoint();
        const Justification j = JustificationOf(justification);
        text.setHorizontalMode(static_cast<AcDb::TextHorzMode>(j.horizontalMode));
        text.setVerticalMode(static_cast<AcDb::TextVertMode>(j.verticalMode));
        if (wasDefault) {
            text.setAlignmentPoint(position);
        } else {
            text.setPosition(alignment);
        }
    });
}

bool WriteTextStyle(AcDbObjectId id, AcDbObjectId style) {
    return ChangeText(id, [&](AcDbText& text) { text.setTextStyle(style); });
}

bool EraseText(AcDbObjectId id) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) return false;
    text->erase();
    text->draw();
    text->close();
    return true;
}

FontType FontTypeOfStyleName(const std::wstring& name) {
    const AcDbObjectId style = TextStyleByName(name);
    return style.isNull() ? FontType::Unknown : layer::StyleFontType(style);
}

std::wstring CurrentTextStyleName() {
    AcDbDatabase* db = layer::WorkingDatabase();
    return db != nullptr ? StyleName(db->textstyle()) : std::wstring();
}

double CurrentTextSize() {
    AcDbDatabase* db = layer::WorkingDatabase();
    return db != nullptr ? db->textsize() : 0.0;
}

}  // namespace tarsil
