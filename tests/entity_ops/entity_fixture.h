// The shared host of the module's tests with the test drawing open and the
// font map of the test styles.
#pragma once

#include <cmath>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/ucs.h"
#include "fonts/font_map.h"
#include "tests/module/host_fixture.h"

namespace entops_test {

// The host's own measurement of an entity, without the operations' helpers.
struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

class EntityTest : public tarsil::testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        cadhost::setInputReader(nullptr, false);
        const std::string drawing =
            std::string(TARSIL_SOURCE_DIR) + "/tests/entity_ops/data/entops.dxf";
        ASSERT_NE(acDocManagerPtr()->openDocument(drawing), nullptr) << Narrow(output_);
        tarsil::CurrentFontMap() = {
            {L"hebnorm", tarsil::FontType::HebrewNormal},
            {L"heb7bit", tarsil::FontType::Hebrew7Bit},
            {L"hebd2w", tarsil::FontType::D2w},
            {L"hebback", tarsil::FontType::HebrewBackward},
            {L"romans", tarsil::FontType::AsIs},
        };
    }
    void TearDown() override {
        tarsil::CurrentFontMap().clear();
        HostTest::TearDown();
    }

    static std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }
    AcDbDatabase* db() const { return acdbHostApplicationServices()->workingDatabase(); }
    static void type(std::initializer_list<std::wstring> lines) {
        for (const auto& l : lines) cadhost::pushInput(l);
    }

    // The first entity of class T that match accepts; a failure names what.
    template <class T, class Match>
    AcDbObjectId Find(Match match, const std::string& what) {
        for (AcDbObjectId id : db()->allEntities()) {
            T* e = nullptr;
            if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) continue;
            const bool found = match(*e);
            e->close();
            if (found) return id;
        }
        ADD_FAILURE() << "no " << what;
        return {};
    }
    // The text entity whose string is s (the drawing holds each once).
    AcDbObjectId Text(const std::wstring& s) {
        return Find<AcDbText>(
            [&](AcDbText& t) { return s == t.textStringConst() && t.dxfName() == "TEXT"; },
            "text " + Narrow(s));
    }
    AcDbObjectId Insert(const std::wstring& block) {
        return Find<AcDbBlockReference>(
            [&](AcDbBlockReference& r) { return r.blockName() == block; },
            "insert " + Narrow(block));
    }
    static std::wstring Handle(AcDbObjectId id) {
        char buf[20] = {};
        id.handle().getIntoAsciiBuffer(buf);
        return std::wstring(buf, buf + std::char_traits<char>::length(buf));
    }

    static Box Extents(AcDbObjectId id) {
        AcDbEntity* e = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
        if (e == nullptr) return {};
        AcDbExtents x;
        EXPECT_EQ(e->getGeomExtents(x), Acad::eOk);
        e->close();
        return {x.minPoint().x, x.minPoint().y, x.maxPoint().x, x.maxPoint().y};
    }

    // Every property the operations may touch, for "left as it was" checks.
    struct Snapshot {
        AcGePoint3d position, alignment;
        double height = 0, rotation = 0, widthFactor = 0;
        int h = 0, v = 0;
        std::wstring text;
        AcDbObjectId style;
        bool paper = false;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot Snap(AcDbObjectId id) {
        AcDbText* t = nullptr;
        EXPECT_EQ(acdbOpenObject(t, id, AcDb::kForRead), Acad::eOk);
        if (t == nullptr) return {};
        const Snapshot s = {t->position(),      t->alignmentPoint(),  t->height(),
                            t->rotation(),      t->widthFactor(),     t->horizontalMode(),
                            t->verticalMode(),  t->textStringConst(), t->textStyle(),
                            t->isInPaperSpace()};
        t->close();
        return s;
    }
    static void SetString(AcDbObjectId id, const std::wstring& s) {
        AcDbText* t = nullptr;
        ASSERT_EQ(acdbOpenObject(t, id, AcDb::kForWrite), Acad::eOk);
        t->setTextString(s.c_str());
        t->close();
    }
    static std::wstring String(AcDbObjectId id) { return Snap(id).text; }

    // Rotates the user coordinate system about the world origin.
    static void RotateUcs(double degrees) {
        cadhost::Ucs ucs;
        ucs.angle = degrees * M_PI / 180.0;
        cadhost::setCurrentUcs(ucs);
    }
};

}  // namespace entops_test
