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
    if (db.getBlockTable(table) == Acad::eOk) {
        table->getAt(name, id);
        table->close();
    }
    return id;
}

bool append(AcDbDatabase& db, const ACHAR* spaceName, AcDbEntity* entity) {
    AcDbBlockTableRecord* btr = nullptr;
    if (acdbOpenObject(btr, space(db, spaceName), AcDb::kForWrite) != Acad::eOk) return false;
    AcDbObjectId id;
    Acad::ErrorStatus es = btr->appendAcDbEntity(id, entity);
    btr->close();
    if (es != Acad::eOk) {
        delete entity;
        return es == Acad::eNotApplicable;
    }
    entity->close();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: edit_drawing IN OUT\n";
        return 2;
    }
    AcDbDatabase db(false);
    if (db.readDxfFile(std::filesystem::path(argv[1])) != Acad::eOk) {
        std::cerr << db.lastErrorMessage() << '\n';
        return 1;
    }
    AcDbBlockTableRecord* model = nullptr;
    if (acdbOpenObject(model, space(db, ACDB_MODEL_SPACE), AcDb::kForRead) != Acad::eOk) return 1;
    AcDbObjectIterator* it = nullptr;
    model->newIterator(it);
    model->close();
    bool changed = false, erased = false;
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        if (auto* text = dynamic_cast<AcDbText*>(e); text && !changed && e->dxfName() == "TEXT") {
            text->setTextString(L"\xF9\xEC\xE5\xED 1");  // שלום in the Windows layout
            text->setHorizontalMode(AcDb::kTextRight);
            text->setAlignmentPoint(AcGePoint3d(50, 50, 0));
            text->adjustAlignment();
            changed = true;
        } else if (!erased && e->dxfName() == "LINE") {
            e->erase();
            erased = true;
        }
        e->close();
    }
    delete it;
    bool ok = append(db, ACDB_MODEL_SPACE, new AcDbText(AcGePoint3d(1, 2, 0), L"model \xE0"));
    ok = ok && append(db, ACDB_PAPER_SPACE, new AcDbText(AcGePoint3d(3, 4, 0), L"paper"));
    auto* mtext = new AcDbMText;
    mtext->setContents(L"first\\Psecond");
    mtext->setLocation(AcGePoint3d(5, 6, 0));
    ok = ok && append(db, ACDB_MODEL_SPACE, mtext);
    if (!ok || !changed) {
        std::cerr << "edit_drawing: could not change the drawing\n";
        return 1;
    }
    if (db.dxfOut(std::filesystem::path(argv[2])) != Acad::eOk) {
        std::cerr << db.lastErrorMessage() << '\n';
        return 1;
    }
    return 0;
}
