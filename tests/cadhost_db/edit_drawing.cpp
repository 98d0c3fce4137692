// Test helper: makes the changes a module makes to a drawing and saves it,
// so that an independent reader can check the result.
//   edit_drawing IN OUT
// Changes the first TEXT of model space, appends a TEXT to model space and
// one to paper space, an MText (R13 and later), and erases the first LINE.
#include <iostream>

#include "cadhost/db/acdb_all.h"

namespace {

AcDbObjectId space(AcDbDatabase& db, const ACHAR* name) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (db.getBlockTable(table) != Acad::eOk) return id;
    table->getAt(name, id);
    table->close();
    return id;
}

// False when the space will not open or refuses the entity for another
// reason than its kind missing from the drawing's version.
bool append(AcDbDatabase& db, const ACHAR* name, AcDbEntity* entity) {
    AcDbBlockTableRecord* btr = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = acdbOpenObject(btr, space(db, name), AcDb::kForWrite);
    if (es == Acad::eOk) es = btr->appendAcDbEntity(id, entity), btr->close();
    if (es == Acad::eOk) return entity->close(), true;
    delete entity;
    return es == Acad::eNotApplicable;
}

}  // namespace

int main(int argc, char** argv) {
    AcDbDatabase db(false);
    if (argc != 3 || db.readDxfFile(std::filesystem::path(argv[1])) != Acad::eOk) {
        std::cerr << "usage: edit_drawing IN OUT " << db.lastErrorMessage() << '\n';
        return 1;
    }
    bool changed = false, erased = false;
    const AcDbObjectId model = space(db, ACDB_MODEL_SPACE);
    for (const AcDbObjectId& id : db.allEntities()) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForWrite) != Acad::eOk) continue;
        auto* text = e->ownerId() == model ? dynamic_cast<AcDbText*>(e) : nullptr;
        if (text && !changed && e->dxfName() == "TEXT") {
            text->setTextString(L"\xF9\xEC\xE5\xED 1");  // שלום in the Windows layout
            text->setHorizontalMode(AcDb::kTextRight);
            text->setAlignmentPoint(AcGePoint3d(50, 50, 0));
            text->adjustAlignment();
            changed = true;
        } else if (!erased && e->ownerId() == model && e->dxfName() == "LINE") {
            e->erase();
            erased = true;
        }
        e->close();
    }
    auto* mtext = new AcDbMText;
    mtext->setContents(L"first\\Psecond");
    mtext->setLocation(AcGePoint3d(5, 6, 0));
    bool ok = append(db, ACDB_MODEL_SPACE, mtext);
    ok = append(db, ACDB_MODEL_SPACE, new AcDbText(AcGePoint3d(1, 2, 0), L"model \xE0")) && ok;
    ok = append(db, ACDB_PAPER_SPACE, new AcDbText(AcGePoint3d(3, 4, 0), L"paper")) && ok;
    if (!ok || !changed) {
        std::cerr << "edit_drawing: could not change the drawing\n";
        return 1;
    }
    if (db.dxfOut(std::filesystem::path(argv[2])) == Acad::eOk) return 0;
    std::cerr << db.lastErrorMessage() << '\n';
    return 1;
}
