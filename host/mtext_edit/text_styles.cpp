#include "host/mtext_edit/text_styles.h"

#include <memory>

#include "cadhost/db/acdb_all.h"
#include "host/layer/entity_host.h"

namespace tarsil {

std::vector<std::wstring> TextStyleNames() {
    std::vector<std::wstring> names;
    AcDbDatabase* db = layer::WorkingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return names;
    AcDbSymbolTableIterator* raw = nullptr;
    if (table->newIterator(raw) == Acad::eOk) {
        std::unique_ptr<AcDbSymbolTableIterator> it(raw);
        for (it->start(); !it->done(); it->step()) {
            AcDbSymbolTableRecord* record = nullptr;
            if (it->getRecord(record, AcDb::kForRead) != Acad::eOk) continue;
            names.push_back(record->name());
            record->close();
        }
    }
    table->close();
    return names;
}

AcDbObjectId TextStyleByName(const std::wstring& name) {
    AcDbObjectId id;
    AcDbDatabase* db = layer::WorkingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name.c_str(), id);
    table->close();
    return id;
}

std::wstring TextStyleName(AcDbObjectId style) {
    AcDbTextStyleTableRecord* record = nullptr;
    if (acdbOpenObject(record, style, AcDb::kForRead) != Acad::eOk) return {};
    std::wstring name = record->name();
    record->close();
    return name;
}

}  // namespace tarsil
