// Drawing variables live in the drawing's header: saved byte for byte when
// unchanged, in their own field and code page when changed, taken back by
// U, and refused when the drawing could not hold them.
#include "cadhost/editor/sysvars.h"
#include "host_fixture.h"

namespace {
const std::string kR12 = corpusDrawing("r12_nohandles_crlf.dxf");
const std::string kR12He = corpusDrawing("r12_ansi1255.dxf");
const std::string kR2018 = corpusDrawing("r2018_ansi1255.dxf");

// ק י ר ו ת in Windows-1255, as the host keeps legacy text: one byte a
// letter.
const std::wstring kWallsLayer = L"\u00f7\u00e9\u00f8\u00e5\u00fa";

using DrawingVarsTest = HostTest;

// Without from, the lines put back what they changed and the file's bytes
// stay; with it, only those bytes change, in the file's own way.  Undoing
// every step gives the file back as read, whatever the value's type.
TEST_F(DrawingVarsTest, AChangedValueReplacesItsOwnBytesOnlyAndUndoTakesItBack) {
    const std::string headerEnd = "  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES";
    const struct {
        std::string file;
        std::vector<std::wstring> lines;
        std::string from = {}, to = {};
    } cases[] = {
        // A padded integer stays right-aligned.
        {kR12,
         {L"(setvar \"OSMODE\" 0)"},
         "$OSMODE\r\n 70\r\n    37\r\n",
         "$OSMODE\r\n 70\r\n     0\r\n"},
        {kR12,
         {L"UCS 5,6,0", L""},
         "$UCSORG\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n",
         "$UCSORG\r\n 10\r\n5.0\r\n 20\r\n6.0\r\n"},
        {kR12,
         {L"SETVAR TEXTSIZE 7.5"},
         "$TEXTSIZE\r\n 40\r\n0.2\r\n",
         "$TEXTSIZE\r\n 40\r\n7.5\r\n"},
        {kR12He,
         {L"(setvar \"CLAYER\" \"0\")"},
         "$CLAYER\n  8\n\xf9\xeb\xe1\xe4\n",
         "$CLAYER\n  8\n0\n"},
        // The name as the layer table spells it, in the drawing's code page.
        {kR12, {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"walls\")"}},
        {kR12He,
         {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"\u05e9\u05db\u05d1\u05d4\")"}},
        {kR2018, {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"" + kWallsLayer + L"\")"}},
        {kR12, {L"(setvar \"TEXTSIZE\" 0.2)", L"(setvar \"OSMODE\" 37)"}},  // the same values
        // Missing from the header: added when set, unless a command only
        // turned it off for a while and put the default back.
        {kR2018, {L"(setvar \"OSMODE\" 5)"}, headerEnd, "  9\n$OSMODE\n 70\n5\n" + headerEnd},
        {kR2018, {L"(setvar \"OSMODE\" 0)", L"(setvar \"OSMODE\" 4133)"}},
        {kR2018,
         {L"(setvar \"OSMODE\" 0)", L"(setvar \"OSMODE\" 4133)", L"(setvar \"OSMODE\" 7)"},
         headerEnd,
         "  9\n$OSMODE\n 70\n7\n" + headerEnd},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(cadhost::toUtf8(c.lines.back()));
        const std::string original = open(c.file);
        std::string expected = original;
        if (!c.from.empty()) {
            const auto at = expected.find(c.from);
            ASSERT_NE(at, std::string::npos) << c.from;
            expected.replace(at, c.from.size(), c.to);
        }
        run(c.lines);
        EXPECT_FALSE(printed(L"; error")) << outUtf8();
        EXPECT_EQ(saved(), expected);
        run({L"UNDO", std::to_wstring(c.lines.size())});
        EXPECT_EQ(saved(), original) << outUtf8();
    }
}

// Each refused value leaves the drawing, its undo steps and its state alone.
TEST_F(DrawingVarsTest, RefusedValuesGiveLispAnError) {
    const std::string original = open(kR12);
    const auto groups = db()->undoGroupCount();
    for (const wchar_t* line :
         {L"(setvar \"OSMODE\" 99999)", L"(setvar \"OSMODE\" -1)", L"(setvar \"TILEMODE\" 2)",
          L"(setvar \"CLAYER\" \"NO SUCH LAYER\")", L"(setvar \"TEXTSTYLE\" \"NOSTYLE\")",
          L"(setvar \"TEXTSIZE\" 0)", L"(setvar \"TEXTSIZE\" -2)", L"(setvar \"OSMODE\" \"text\")",
          L"(setvar \"UCSORG\" (list 1 2 3))", L"(setvar \"ACADPREFIX\" \"/\")"}) {
        out.clear();
        run({line});
        EXPECT_TRUE(printed(L"; error: AutoCAD variable setting rejected")) << outUtf8();
        EXPECT_EQ(saved(), original);
        EXPECT_EQ(db()->undoGroupCount(), groups);
        EXPECT_FALSE(curDoc()->isModified());
    }
}

TEST_F(DrawingVarsTest, SetvarCommandAsksAgainUntilTheValueFits) {
    const std::string original = open(kR12);
    run({L"SETVAR", L"CLAYER", L"NOWHERE", L"abc", L"0"});
    EXPECT_EQ(cadhost::getVar(L"CLAYER")->text, L"0");
    EXPECT_TRUE(printed(L"Invalid value: no layer \"NOWHERE\"")) << outUtf8();
    EXPECT_EQ(count(L"Enter new value for CLAYER"), 3u);
    out.clear();
    run({L"SETVAR", L"OSMODE", L"99999", L"many", L""});
    EXPECT_TRUE(printed(L"OSMODE must be from 0 to 32767"));
    EXPECT_TRUE(printed(L"takes another type of value"));
    EXPECT_EQ(cadhost::getVar(L"OSMODE")->integer, 37) << "Enter keeps the value";
    run({L"U"});
    EXPECT_EQ(saved(), original);
}

TEST_F(DrawingVarsTest, VariablesMissingFromTheHeaderReadAsDefaultsAndAreNotWritten) {
    const std::string original = open(kR2018);
    ASSERT_EQ(original.find("$OSMODE"), std::string::npos);
    EXPECT_EQ(cadhost::getVar(L"OSMODE")->integer, 4133);
    EXPECT_EQ(cadhost::getVar(L"CLAYER")->text, kWallsLayer);
    EXPECT_EQ(saved(), original);
}
}  // namespace
