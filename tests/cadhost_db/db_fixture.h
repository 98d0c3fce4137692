#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "tests/fonts/test_support.h"

namespace cadhost_test {

// A drawing of one line, for reading and saving.
inline const std::string kGood =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2A\n 10\n0.0\n 70\n1\n  0\nENDSEC\n  0\nEOF\n";

inline std::string samplePath(const std::string& name) {
    return std::string(TARSIL_SOURCE_DIR) + "/samples/" + name;
}

using tarsil::ReadBytes;

inline std::string saved(const AcDbDatabase& db) {
    std::string out;
    db.dxfOutToString(out);
    return out;
}

// The record of a symbol table by name (any case), or a null id.
template <class Table>
AcDbObjectId recordId(AcDbDatabase& db,
                      Acad::ErrorStatus (AcDbDatabase::*get)(Table*&, AcDb::OpenMode),
                      const ACHAR* name) {
    Table* table = nullptr;
    AcDbObjectId id;
    if ((db.*get)(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name, id);
    table->close();
    return id;
}

inline AcDbObjectId spaceId(AcDbDatabase& db, const ACHAR* name) {
    return recordId(db, &AcDbDatabase::getBlockTable, name);
}

// The entities of model space in drawing order.
inline std::vector<AcDbObjectId> modelSpace(AcDbDatabase& db) {
    AcDbBlockTableRecord* btr = nullptr;
    std::vector<AcDbObjectId> ids;
    if (acdbOpenObject(btr, spaceId(db, L"*Model_Space"), AcDb::kForRead) != Acad::eOk) return ids;
    AcDbObjectIterator* it = nullptr;
    btr->newIterator(it);
    for (it->start(); !it->done(); it->step()) ids.push_back(it->objectId());
    delete it;
    btr->close();
    return ids;
}

// The first entity of a type in model space, in drawing order.
inline AcDbObjectId firstOf(AcDbDatabase& db, const std::string& type, int skip = 0) {
    for (AcDbObjectId id : modelSpace(db)) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) continue;
        bool match = e->dxfName() == type;
        e->close();
        if (match && skip-- == 0) return id;
    }
    return {};
}

// Appends an entity to a space and closes both; the new entity's id.
inline AcDbObjectId append(AcDbDatabase& db, AcDbEntity* entity,
                           const ACHAR* space = ACDB_MODEL_SPACE) {
    AcDbBlockTableRecord* btr = nullptr;
    AcDbObjectId id;
    EXPECT_EQ(acdbOpenObject(btr, spaceId(db, space), AcDb::kForWrite), Acad::eOk);
    if (btr == nullptr) return id;
    EXPECT_EQ(btr->appendAcDbEntity(id, entity), Acad::eOk);
    entity->close();
    btr->close();
    return id;
}

const char* const kSamples[] = {"hebrew_r12.dxf", "hebrew_r2000.dxf", "hebrew_r2018.dxf"};

// A database read from one bundled sample, and the sample's bytes.
class SampleTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_EQ(db.readDxfFile(std::filesystem::path(samplePath(GetParam()))), Acad::eOk)
            << db.lastErrorMessage();
        original = ReadBytes(samplePath(GetParam()));
    }
    AcDbDatabase db{false};
    std::string original;
};

}  // namespace cadhost_test
