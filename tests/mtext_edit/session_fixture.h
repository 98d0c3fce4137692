// The sample drawing (or another of the sources) open in a fresh
// in-process host, with the readers the MText and dimension tests share.
#pragma once

#include <string>
#include <vector>

#include "tests/fonts/test_support.h"
#include "tests/text_lines/sample_fixture.h"

namespace tarsil::testing {

class DrawingTest : public SampleTest {
  protected:
    // The sample's MText, the leader that points at it, and its dimension.
    static constexpr const wchar_t *kMText = L"6B", *kLeader = L"6C", *kDimension = L"57";
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
