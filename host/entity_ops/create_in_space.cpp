#include "host/entity_ops/create_in_space.h"

#include "host/entity_ops/justification.h"
#include "host/layer/entity_host.h"

namespace tarsil {
namespace {

// Appends the entity to the current space; on success it stays open for
// write until the caller closes it.
bool AppendToCurrentSpace(AcDbEntity* entity, AcDbObjectId& id) {
    AcDbDatabase* db = layer::WorkingDatabase();
    if (db == nullptr) return false;
    const ACHAR* space = layer::PaperSpaceIsCurrent() ? ACDB_PAPER_SPACE : ACDB_MODEL_SPACE;
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return false;
    AcDbSymbolTableRecord* record = nullptr;
    const bool opened = table->getAt(space, record, AcDb::kForWrite) == Acad::eOk;
    table->close();
    if (!opened) return false;
    auto* block = dynamic_cast<AcDbBlockTableRecord*>(record);
    const bool appended = block != nullptr && block->appendAcDbEntity(id, entity) == Acad::eOk;
    record->close();
    return appended;
}

AcDbObjectId StyleByName(const std::wstring& name) {
    AcDbObjectId id;
    AcDbDatabase* db = layer::WorkingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name.c_str(), id);
    table->close();
    return id;
}

}  // namespace

bool CreateTextInCurrentSpace(CTextProperties& record, const std::wstring& storedText) {
    const AcDbObjectId style = StyleByName(record.styleName);
    auto* text =
        new AcDbText(record.position, storedText.c_str(), style, record.height, record.rotation);
    const Justification j = JustificationOf(record.justification);
    text->setHorizontalMode(static_cast<AcDb::TextHorzMode>(j.horizontalMode));
    text->setVerticalMode(static_cast<AcDb::TextVertMode>(j.verticalMode));
    AcDbObjectId id;
    if (!AppendToCurrentSpace(text, id)) {
        delete text;
        return false;
    }
    record.objectId = id;
    if (!text->isDefaultAlignment()) {
        text->setAlignmentPoint(record.position);
        text->adjustAlignment(layer::WorkingDatabase());
    }
    text->draw();
    text->close();
    return true;
}

bool CreateMTextInCurrentSpace(MTextCreation& mtext, const std::wstring& contents) {
    auto* entity = new AcDbMText();
    entity->setLocation(mtext.location);
    entity->setContents(contents.c_str());
    entity->setAttachment(static_cast<AcDbMText::AttachmentPoint>(mtext.attachment));
    if (!mtext.textStyle.isNull()) entity->setTextStyle(mtext.textStyle);
    entity->setTextHeight(mtext.textHeight);
    AcDbObjectId id;
    if (!AppendToCurrentSpace(entity, id)) {
        delete entity;
        return false;
    }
    mtext.objectId = id;
    entity->draw();
    entity->close();
    mtext.exists = true;
    return true;
}

}  // namespace tarsil
