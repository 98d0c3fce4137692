// What a selection prompt offers in a drawing with block definitions,
// attributes and paper space: the current space only, as a click would.
#include <filesystem>
#include <fstream>

#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "host_fixture.h"

namespace {
// r2018_ansi1255.dxf: model space TEXT 30, MTEXT 31, IMAGE 35, INSERT 3D of
// ROOM with ATTRIBs 3F (at 10,11, "מטבח", 2.5 high) and 40 (at 10,12, "12");
// ROOM's own LINE 3A and ATTDEF 3B; CIRCLE 47 in paper space, LINE 45 and
// TEXT 46 in the second layout.
class SelectionScopeTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        ASSERT_NE(acDocManagerPtr()->openDocument(std::string(TARSIL_SOURCE_DIR) +
                                                  "/tests/data/drawings/r2018_ansi1255.dxf"),
                  nullptr);
        out.clear();
    }
    using Handles = std::vector<std::wstring>;
    Handles selected(std::initializer_list<std::wstring> answers, const ACHAR* mode = nullptr) {
        type(answers);
        ads_name ss;
        Handles handles;
        if (acedSSGet(mode, nullptr, nullptr, nullptr, ss) != RTNORM) return handles;
        for (const AcDbObjectId& id : cadhost::selectionSetIds(ss)) handles.push_back(handleOf(id));
        acedSSFree(ss);
        return handles;
    }
    int refusals() const {
        int n = 0;
        for (auto at = out.find(L"*Invalid selection*"); at != std::wstring::npos;
             at = out.find(L"*Invalid selection*", at + 1))
            ++n;
        return n;
    }
};

TEST_F(SelectionScopeTest, HandlesPointsAndModesReachTheCurrentSpaceOnly) {
    // Block definition, attribute, paper space and the second layout refused.
    EXPECT_EQ(selected({L"3A", L"3B", L"3F", L"47", L"45", L"30", L""}), Handles{L"30"});
    EXPECT_EQ(refusals(), 5);
    EXPECT_EQ(selected({L"ALL", L""}), (Handles{L"30", L"31", L"35", L"3D"}));
    // Every layout, in drawing order (the second layout lies in BLOCKS).
    EXPECT_EQ(selected({}, L"X"), (Handles{L"45", L"46", L"30", L"31", L"35", L"3D", L"47"}));
    // A point on either attribute picks the block reference; past them
    // (x 17) there is nothing, and the point opens a window.
    EXPECT_EQ(selected({L"10.3,11.2", L"16.5,13.4", L""}), Handles{L"3D"});
    EXPECT_EQ(selected({L"18,11.2", L"19,12", L""}), Handles{});
    // With the paper viewport current, paper space is what is offered.
    ASSERT_TRUE(cadhost::setVarInternal(L"CVPORT", cadhost::VarValue::ofShort(1)));
    EXPECT_EQ(selected({L"30", L"45", L"47", L""}), Handles{L"47"});
    EXPECT_EQ(selected({L"ALL", L""}), Handles{L"47"});
}

TEST_F(SelectionScopeTest, EraseLeavesTheBlockWhileADoubleClickReachesTheAttribute) {
    std::string before, after;
    ASSERT_EQ(db()->dxfOutToString(before), Acad::eOk);
    run({L"ERASE", L"3A", L"3F", L""});
    ASSERT_EQ(db()->dxfOutToString(after), Acad::eOk);
    EXPECT_EQ(after, before) << "nothing erased";
    // The host's own text extension edits the attribute double-clicked.
    run({L"DBLCLICK 3F", L"Kitchen", L"DBLCLICK 3B", L"ESC"});
    AcDbAttribute* attribute = nullptr;
    ASSERT_EQ(acdbOpenObject(attribute, cadhost::entityByHandle(L"3F"), AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(attribute->textStringConst(), L"Kitchen");
    attribute->close();
    EXPECT_EQ(refusals(), 3) << "ERASE twice, DBLCLICK on the ATTDEF inside ROOM once";
}

// A damaged drawing whose layer record has the handle of a text: the
// record comes first in the file, the text is still found at the prompt.
TEST_F(SelectionScopeTest, AHandleRepeatedOutsideTheSpaceDoesNotHideTheEntity) {
    const auto file =
        std::filesystem::temp_directory_path() / ("scope_" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary)
        << "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n9\n$HANDLING\n70\n1\n0\nENDSEC\n"
           "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n0\nLAYER\n5\n2A\n2\n0\n70\n0\n"
           "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\n2A\n8\n0\n10\n0.0\n"
           "20\n0.0\n30\n0.0\n40\n1.0\n1\ntwin\n0\nENDSEC\n0\nEOF\n";
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    std::filesystem::remove(file);
    run({L"LIST", L"2A", L""});
    EXPECT_TRUE(printed(L"text \"twin\"")) << std::string(out.begin(), out.end());
}

}  // namespace
