// Feeds arbitrary bytes to the DXF reader.  Whatever loads must save back
// byte for byte, survive every accessor and a change, and undo exactly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cadhost/db/acdb_all.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void touch(AcDbEntity* e) {
    AcDbExtents ext;
    e->getGeomExtents(ext);
    e->layer();
    if (auto* t = dynamic_cast<AcDbText*>(e)) {
        t->textStringConst();
        t->textStyle();
        t->position();
        t->alignmentPoint();
        t->setTextString(L"\xE0\x80 x^");
        t->setHorizontalMode(AcDb::kTextMid);
        t->adjustAlignment();
    } else if (auto* m = dynamic_cast<AcDbMText*>(e)) {
        m->contentsConst();
        m->rotation();
        m->setContents(L"a\\Pb");
        m->setAttachment(AcDbMText::kBottomRight);
    } else if (auto* d = dynamic_cast<AcDbDimension*>(e)) {
        d->dimensionTextConst();
        d->textStyle();
        d->setDimensionText(L"<> \xE0");
    } else if (auto* l = dynamic_cast<AcDbLeader*>(e)) {
        l->annotationObjId();
    } else if (auto* b = dynamic_cast<AcDbBlockReference*>(e)) {
        delete b->attributeIterator();
        b->blockTableRecord();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    AcDbDatabase db(false);
    if (db.readDxfBuffer(input, "fuzz") != Acad::eOk) {
        check(!db.lastErrorMessage().empty());
        return 0;
    }
    std::string out;
    db.dxfOutToString(out);
    check(out == input);

    db.beginUndoGroup();
    for (AcDbObjectId id : db.allEntities()) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForWrite) != Acad::eOk) continue;
        touch(e);
        e->close();
    }
    AcDbBlockTable* table = nullptr;
    AcDbObjectId modelId;
    if (db.getBlockTable(table) == Acad::eOk) {
        table->getAt(ACDB_MODEL_SPACE, modelId);
        table->close();
    }
    AcDbBlockTableRecord* btr = nullptr;
    if (acdbOpenObject(btr, modelId, AcDb::kForWrite) == Acad::eOk) {
        auto* text = new AcDbText(AcGePoint3d(), L"new");
        AcDbObjectId id;
        if (btr->appendAcDbEntity(id, text) == Acad::eOk)
            text->close();
        else
            delete text;
        btr->close();
    }
    db.endUndoGroup();
    std::string changed;
    db.dxfOutToString(changed);
    AcDbDatabase again(false);
    check(again.readDxfBuffer(changed, "changed") == Acad::eOk);
    check(db.undoLastGroup() == Acad::eOk);
    db.dxfOutToString(out);
    check(out == input);
    return 0;
}
