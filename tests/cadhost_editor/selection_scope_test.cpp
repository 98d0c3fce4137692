// What a selection prompt offers in a drawing with block definitions,
// attributes and paper space: the current space only, as a click would.
#include <filesystem>
#include <fstream>

#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "host_fixture.h"

namespace {
namespace fs = std::filesystem;

// r2018_ansi1255.dxf: model space TEXT 30, INSERT 3D of ROOM with ATTRIBs
// 3F (at 10,11, "מטבח") and 40 (at 10,12, "12"); ROOM's own LINE 3A and ATTDEF 3B; CIRCLE 47 in
// paper space, LINE 45 in the second layout.
const std::string kCorpus = std::string(TARSIL_SOURCE_DIR) + "/tests/data/drawings/";

class SelectionScopeTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        ASSERT_NE(acDocManagerPtr()->openDocument(kCorpus + "r2018_ansi1255.dxf"), nullptr);
        out.clear();
    }
    // The handles a selection prompt gives for the answers.
    std::vector<std::wstring> selected(std::initializer_list<std::wstring> answers,
                                       const ACHAR* mode = nullptr) {
        type(answers);
        ads_name ss;
        std::vector<std::wstring> handles;
        if (acedSSGet(mode, nullptr, nullptr, nullptr, ss) != RTNORM) return handles;
        for (const AcDbObjectId& id : cadhost::selectionSetIds(ss)) handles.push_back(handleOf(id));
        acedSSFree(ss);
        return handles;
    }
    using Handles = std::vector<std::wstring>;
};

TEST_F(SelectionScopeTest, HandlesNameEntitiesOfTheCurrentSpaceOnly) {
    EXPECT_EQ(selected({L"3A", L"3B", L"3F", L"47", L"45", L"30", L""}), Handles{L"30"});
    std::size_t refusals = 0;
    for (std::size_t at = out.find(L"*Invalid selection*"); at != std::wstring::npos;
         at = out.find(L"*Invalid selection*", at + 1))
        ++refusals;
    EXPECT_EQ(refusals, 5u) << "block definition, attribute and other spaces refused";

    // With the paper viewport current, paper space is what is offered.
    ASSERT_TRUE(cadhost::setVarInternal(L"CVPORT", cadhost::VarValue::ofShort(1)));
    EXPECT_EQ(selected({L"30", L"45", L"47", L""}), Handles{L"47"});
    EXPECT_EQ(selected({L"ALL", L""}), Handles{L"47"});
}

TEST_F(SelectionScopeTest, WholeDrawingModeTakesEveryLayoutButNoBlockDefinition) {
    // Drawing order: the second layout's entities lie in BLOCKS, before ENTITIES.
    EXPECT_EQ(selected({}, L"X"), (Handles{L"45", L"46", L"30", L"31", L"35", L"3D", L"47"}));
    EXPECT_EQ(selected({L"ALL", L""}), (Handles{L"30", L"31", L"35", L"3D"}));
}

TEST_F(SelectionScopeTest, APointOnAnAttributePicksItsBlockReference) {
    EXPECT_EQ(selected({L"10.3,11.2", L""}), Handles{L"3D"});
    // The attributes are 2.5 high and reach x 17; past them there is
    // nothing, and the point opens a window.
    EXPECT_EQ(selected({L"16.5,13.4", L""}), Handles{L"3D"});
    EXPECT_EQ(selected({L"18,11.2", L"19,12", L""}), Handles{});
}

TEST_F(SelectionScopeTest, EraseOfABlockDefinitionsHandleLeavesTheBlockAlone) {
    std::string before;
    ASSERT_EQ(db()->dxfOutToString(before), Acad::eOk);
    run({L"ERASE", L"3A", L"3F", L""});
    std::string after;
    ASSERT_EQ(db()->dxfOutToString(after), Acad::eOk);
    EXPECT_EQ(after, before);
    EXPECT_EQ(db()->undoGroupCount(), 0u) << "nothing was erased, no step to undo";
}

namespace {
int clicks = 0;
std::string clickedType;
class RecordingDoubleClick : public AcDbDoubleClickEdit {
  public:
    AcRxClass* isA() const override { return cadhost::lookupClass(L"TstScopeDoubleClick"); }
    void startEdit(AcDbEntity* ent, AcGePoint3d) override {
        ++clicks;
        clickedType = ent->dxfName();
        ent->close();
    }
    void finishEdit() override {}
};
}  // namespace

TEST_F(SelectionScopeTest, DoubleClickReachesAnAttributeButNotABlockDefinition) {
    AcRxClass* key = newAcRxClass(L"TstScopeDoubleClick", L"AcDbDoubleClickEdit");
    AcRxClass* text = cadhost::lookupClass(L"AcDbText");
    RecordingDoubleClick handler;
    text->addX(key, &handler);
    clicks = 0;
    run({L"DBLCLICK 3F"});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clickedType, "ATTRIB");
    out.clear();
    run({L"DBLCLICK 3B", L"ESC"});
    EXPECT_EQ(clicks, 1) << "an ATTDEF inside ROOM cannot be double-clicked";
    EXPECT_TRUE(printed(L"*Invalid selection*"));
    text->delX(key);
    deleteAcRxClass(key);
}

// A handle that repeats in a damaged drawing: the layer record comes first
// in the file, the text with the same handle is still found at the prompt.
TEST_F(SelectionScopeTest, AHandleRepeatedOutsideTheSpaceDoesNotHideTheEntity) {
    const fs::path file = fs::temp_directory_path() / ("scope_" + std::to_string(::getpid()));
    {
        std::ofstream f(file, std::ios::binary);
        f << "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n9\n$HANDLING\n70\n1\n"
             "9\n$HANDSEED\n5\n40\n0\nENDSEC\n"
             "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n"
             "0\nLAYER\n5\n2A\n2\n0\n70\n0\n62\n7\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n"
             "0\nSECTION\n2\nENTITIES\n"
             "0\nTEXT\n5\n2A\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n1\ntwin\n"
             "0\nENDSEC\n0\nEOF\n";
    }
    ASSERT_NE(acDocManagerPtr()->openDocument(file.string()), nullptr);
    fs::remove(file);
    out.clear();
    run({L"LIST", L"2A", L""});
    EXPECT_TRUE(printed(L"TEXT")) << std::string(out.begin(), out.end());
    EXPECT_TRUE(printed(L"\"twin\""));
}

}  // namespace
