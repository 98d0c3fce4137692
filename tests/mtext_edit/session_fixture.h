// The sample drawing (or another of the sources) open in a fresh
// in-process host, with the readers the MText and dimension tests share.
#pragma once

#include <string>
#include <vector>

#include "tests/fonts/test_support.h"
#include "tests/text_lines/sample_fixture.h"

namespace tarsil::testing {

// The direction mask of text typed letter by letter with Hebrew active
// for the Hebrew letters.
inline std::vector<unsigned char> TypedMask(const std::wstring& text) {
    std::vector<unsigned char> mask;
    for (wchar_t c : text) mask.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return mask;
}

class DrawingTest : public SampleTest {
  protected:
    // Another drawing of the sources, opened over the sample.
    void Open(const std::string& relative) {
        path_ = std::string(TARSIL_SOURCE_DIR) + "/" + relative;
        ASSERT_NE(acDocManagerPtr()->openDocument(path_), nullptr);
    }
    AcDbDatabase* db() const { return acdbHostApplicationServices()->workingDatabase(); }
    std::string Saved() const {
        std::string s;
        EXPECT_EQ(db()->dxfOutToString(s), Acad::eOk);
        return s;
    }
    std::string Original() const { return ReadBytes(path_); }

    // The n-th entity (0 first) of a DXF type in model space, in drawing order.
    AcDbObjectId Nth(const std::string& type, int n = 0) {
        AcDbObjectId model;
        AcDbBlockTable* blocks = nullptr;
        EXPECT_EQ(db()->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
        if (blocks != nullptr) {
            blocks->getAt(ACDB_MODEL_SPACE, model);
            blocks->close();
        }
        for (AcDbObjectId id : db()->allEntities()) {
            AcDbEntity* e = nullptr;
            if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) continue;
            const bool match = e->dxfName() == type && e->ownerId() == model;
            e->close();
            if (match && n-- == 0) return id;
        }
        ADD_FAILURE() << "no " << type;
        return {};
    }
    // An MText as the tests look at it.
    struct MTextState {
        std::wstring contents;
        AcGePoint3d location;
        int attachment = 0;
        double height = 0, spacing = 0, rotation = 0;
        AcDbObjectId style;
        AcDbExtents box;
    };
    static MTextState ReadMText(AcDbObjectId id) {
        MTextState s;
        AcDbMText* m = nullptr;
        EXPECT_EQ(acdbOpenObject(m, id, AcDb::kForRead), Acad::eOk);
        if (m == nullptr) return s;
        s = {m->contentsConst(),     m->location(), m->attachment(), m->textHeight(),
             m->lineSpacingFactor(), m->rotation(), m->textStyle(),  {}};
        EXPECT_EQ(m->getGeomExtents(s.box), Acad::eOk);
        m->close();
        return s;
    }
    static std::wstring Contents(AcDbObjectId id) { return ReadMText(id).contents; }
    std::wstring Override(AcDbObjectId id) {
        AcDbDimension* d = nullptr;
        EXPECT_EQ(acdbOpenObject(d, id, AcDb::kForRead), Acad::eOk);
        if (d == nullptr) return {};
        std::wstring s = d->dimensionTextConst();
        d->close();
        return s;
    }
    // The groups of an object from the first group with code `from` on.
    std::vector<std::pair<int, std::string>> GroupsFrom(AcDbObjectId id, int from) {
        std::vector<std::pair<int, std::string>> groups;
        AcDbObject* o = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForRead), Acad::eOk);
        if (o == nullptr) return groups;
        bool on = false;
        for (const auto& t : o->tags()) {
            on = on || t.code == from;
            if (on) groups.emplace_back(t.code, t.value);
        }
        o->close();
        return groups;
    }

    std::string path_ = SamplePath();
};

}  // namespace tarsil::testing
