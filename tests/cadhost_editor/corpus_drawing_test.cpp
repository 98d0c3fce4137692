// Corpus drawings with blocks, attributes, layouts and code pages: what a
// selection reaches (the current space only, as a click would) and what
// LIST shows (names and strings read through the drawing's code page).
#include "cadhost/db/store.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "host_fixture.h"

namespace {
namespace fs = std::filesystem;
using Handles = std::vector<std::wstring>;

// r2018_ansi1255.dxf: model space TEXT 30, MTEXT 31, IMAGE 35, INSERT 3D of
// ROOM on layer קירות with ATTRIBs 3F (at 10,11, "מטבח", 2.5 high) and 40
// (at 10,12, "12"); ROOM's own LINE 3A and ATTDEF 3B; CIRCLE 47 in paper
// space, LINE 45 and TEXT 46 in the second layout.
class CorpusDrawingTest : public HostTest {
  protected:
    Handles selected(std::initializer_list<std::wstring> answers, const ACHAR* mode = nullptr) {
        type(answers);
        ads_name ss;
        Handles handles;
        if (acedSSGet(mode, nullptr, nullptr, nullptr, ss) != RTNORM) return handles;
        for (const AcDbObjectId& id : cadhost::selectionSetIds(ss)) handles.push_back(handleOf(id));
        acedSSFree(ss);
        return handles;
    }
};

TEST_F(CorpusDrawingTest, HandlesPointsAndModesReachTheCurrentSpaceOnly) {
    open(corpusDrawing("r2018_ansi1255.dxf"));
    // Block definition, attribute, paper space and the second layout refused.
    EXPECT_EQ(selected({L"3A", L"3B", L"3F", L"47", L"45", L"30", L""}), Handles{L"30"});
    EXPECT_EQ(count(L"*Invalid selection*"), 5u);
    EXPECT_EQ(selected({L"ALL", L""}), (Handles{L"30", L"31", L"35", L"3D"}));
    // Every layout, in drawing order (the second layout lies in BLOCKS).
    EXPECT_EQ(selected({}, L"X"), (Handles{L"45", L"46", L"30", L"31", L"35", L"3D", L"47"}));
    // A point on either attribute picks the block reference; past them
    // (x 17) there is nothing, and the point opens a window.
    EXPECT_EQ(selected({L"10.3,11.2", L"16.5,13.4", L""}), Handles{L"3D"});
    EXPECT_EQ(selected({L"18,11.2", L"19,12", L""}), Handles{});
    ASSERT_TRUE(cadhost::setVarInternal(L"CVPORT", cadhost::VarValue::ofShort(1)));
    EXPECT_EQ(selected({L"30", L"45", L"47", L"ALL", L""}), Handles{L"47"}) << "paper space";
}

// The host's own text extension edits the attribute double-clicked, not
// the definition inside the block.
TEST_F(CorpusDrawingTest, ADoubleClickReachesTheAttribute) {
    open(corpusDrawing("r2018_ansi1255.dxf"));
    run({L"DBLCLICK 3F", L"Kitchen", L"DBLCLICK 3B", L"ESC"});
    AcDbAttribute* attribute = nullptr;
    ASSERT_EQ(acdbOpenObject(attribute, cadhost::entityByHandle(L"3F"), AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(attribute->textStringConst(), L"Kitchen");
    attribute->close();
    EXPECT_EQ(count(L"*Invalid selection*"), 1u) << "the ATTDEF inside ROOM";
}

// A damaged drawing whose layer record has the handle of a text: the
// record comes first in the file, the text is still found at the prompt.
// (Kept apart from the corpus, which must come back byte for byte.)
TEST_F(CorpusDrawingTest, AHandleRepeatedOutsideTheSpaceDoesNotHideTheEntity) {
    open(std::string(TARSIL_SOURCE_DIR) + "/tests/data/damaged/twin_handle.dxf");
    run({L"LIST", L"2A", L""});
    EXPECT_TRUE(printed(L"text \"twin\"")) << outUtf8();
}

TEST_F(CorpusDrawingTest, ListNamesABlockReferencesBlockAndAttributesInTheCodePage) {
    open(corpusDrawing("r2018_ansi1255.dxf"));
    run({L"LIST", L"3D", L""});
    const std::wstring layer = L"\"\x05e7\x05d9\x05e8\x05d5\x05ea\"";
    EXPECT_TRUE(printed(L"INSERT  Layer: " + layer + L"  Space: Model space  Handle = 3D"));
    EXPECT_TRUE(printed(L"Block name: \"ROOM\"\n    at point, X=10.0000  Y=10.0000"));
    EXPECT_TRUE(printed(L"Attribute \"NAME\"  Value: \"\x05de\x05d8\x05d1\x05d7\"  Layer: " +
                        layer + L"  Handle = 3F"));
    EXPECT_LT(out.find(L"\"NAME\""), out.find(L"Attribute \"NUMBER\"  Value: \"12\""));
}

// One code page of each kind: the host's own table, one of the C library's,
// two bytes a character, none above 0x7F, and an unknown one.
TEST_F(CorpusDrawingTest, ListReadsTheCodePageOfTheDrawing) {
    open(corpusDrawing("r2018_ansi1255.dxf"));
    // Expected characters from the code pages' published charts.
    const struct {
        const char* codePage;
        const wchar_t *stored, *shown;
    } cases[] = {
        {"ANSI_1255", L"\xe0\xfa 1\x80\x81\x01", L"\"\x05d0\x05ea 1\\x80\\x81\\x01\""},
        {"DOS850", L"K\x81", L"\"K\xfc\""},
        // A lead byte and its trail byte make one character; a lead byte
        // alone at the end stays a byte.
        {"ANSI_932", L"\x93\xfa\x82\xa0\x82", L"\"\x65e5\x3042\\x82\""},
        {"ASCII", L"\xe9", L"\"\\xE9\""},              // nothing above 0x7F
        {"ANSI_9999", L"\xe9\x85", L"\"\xe9\\x85\""},  // unknown: Latin-1
    };
    for (const auto& c : cases) {
        db()->store_().setHeaderValue("$DWGCODEPAGE", 3, c.codePage);
        out.clear();
        run({L"LIST", handleOf(addText(0, 0, c.stored)), L""});
        EXPECT_TRUE(printed(std::wstring(L"text ") + c.shown)) << c.codePage << ": " << outUtf8();
    }
    EXPECT_TRUE(printed(L"Style = \"Standard\"  Font file = txt")) << outUtf8();
}

TEST_F(CorpusDrawingTest, AnUnknownCodePageIsNamedOnceAtOpen) {
    std::string text = ReadBytes(corpusDrawing("r12_nohandles_crlf.dxf"));
    text.replace(text.find("ANSI_1252"), 9, "ANSI_7777");
    const fs::path file = fs::temp_directory_path() / ("cp_" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary) << text;
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    fs::remove(file);
    run({L"LIST", L"ALL", L""});
    EXPECT_EQ(count(L"Code page \"ANSI_7777\" is unknown"), 1u) << outUtf8();
    EXPECT_TRUE(printed(L"text \"Caf\xe9\""));
    ASSERT_NE(acDocManagerPtr()->openDocument(corpusDrawing("r2004_dos850.dxf")), nullptr);
    EXPECT_EQ(count(L"is unknown"), 1u) << "DOS850 is read through iconv";
}

}  // namespace
