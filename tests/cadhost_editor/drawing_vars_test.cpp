// Drawing variables live in the drawing's header: saved byte for byte when
// unchanged, in their own field and code page when changed, taken back by
// U, and refused when the drawing could not hold them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/wide.h"
#include "host_fixture.h"
#include "program_run.h"

namespace {
std::string corpus(const std::string& name) {
    return std::string(TARSIL_SOURCE_DIR) + "/tests/data/drawings/" + name;
}
std::string sample(const std::string& name) {
    return std::string(TARSIL_SOURCE_DIR) + "/samples/" + name;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DrawingVarsTest : public HostTest {
  protected:
    // Opens the drawing and returns its bytes as read.
    std::string open(const std::string& path) {
        EXPECT_NE(acDocManagerPtr()->openDocument(path), nullptr) << path;
        out.clear();
        return fileBytes(path);
    }
    std::string saved() {
        std::string bytes;
        EXPECT_EQ(db()->dxfOutToString(bytes), Acad::eOk);
        return bytes;
    }
};

struct ChangeCase {
    const char* name;
    std::string file;
    std::vector<std::wstring> lines;
    std::string from, to;  // the bytes the change replaces; from empty: none
};

class ChangedVariableTest : public DrawingVarsTest,
                            public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangedVariableTest, OnlyItsValueChangesAndInTheFilesOwnWay) {
    const ChangeCase& c = GetParam();
    std::string expected = open(c.file);
    if (!c.from.empty()) {
        const auto at = expected.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        expected.replace(at, c.from.size(), c.to);
    }
    for (const auto& line : c.lines) cadhost::pushInput(line);
    cadhost::runCommandLoop();
    EXPECT_EQ(out.find(L"; error"), std::wstring::npos) << cadhost::toUtf8(out);
    EXPECT_EQ(saved(), expected);
}

// ש כ ב ה in Windows-1255, as the host keeps legacy text: one byte a letter.
const std::wstring kHebrewLayer = L"\u00f9\u00eb\u00e1\u00e4";
// ק י ר ו ת likewise.
const std::wstring kWallsLayer = L"\u00f7\u00e9\u00f8\u00e5\u00fa";

INSTANTIATE_TEST_SUITE_P(
    Drawings, ChangedVariableTest,
    ::testing::Values(
        ChangeCase{"PaddedIntegerStaysRightAligned",
                   corpus("r12_nohandles_crlf.dxf"),
                   {L"(setvar \"OSMODE\" 0)"},
                   "$OSMODE\r\n 70\r\n    37\r\n",
                   "$OSMODE\r\n 70\r\n     0\r\n"},
        ChangeCase{"LayerNameAsTheTableSpellsIt",
                   corpus("r12_nohandles_crlf.dxf"),
                   {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"walls\")"},
                   "",
                   ""},
        ChangeCase{"LegacyDrawingKeepsItsCodePage",
                   corpus("r12_ansi1255.dxf"),
                   {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"" + kHebrewLayer + L"\")"},
                   "",
                   ""},
        ChangeCase{
            "LayerTypedInHebrewLettersIsTheLegacyOne",
            corpus("r12_ansi1255.dxf"),
            {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"\u05e9\u05db\u05d1\u05d4\")"},
            "",
            ""},
        ChangeCase{"Utf8DrawingWritesUtf8",
                   corpus("r2018_ansi1255.dxf"),
                   {L"(setvar \"CLAYER\" \"0\")", L"(setvar \"CLAYER\" \"" + kWallsLayer + L"\")"},
                   "",
                   ""},
        ChangeCase{"SameValueKeepsTheFilesBytes",
                   corpus("r12_nohandles_crlf.dxf"),
                   {L"(setvar \"TEXTSIZE\" 0.2)", L"(setvar \"OSMODE\" 37)"},
                   "",
                   ""},
        ChangeCase{"PointChangesEachCoordinate",
                   corpus("r12_nohandles_crlf.dxf"),
                   {L"UCS 5,6,0", L""},
                   "$UCSORG\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n",
                   "$UCSORG\r\n 10\r\n5.0\r\n 20\r\n6.0\r\n"},
        ChangeCase{"LegacyLayerNameInItsCodePage",
                   corpus("r12_ansi1255.dxf"),
                   {L"(setvar \"CLAYER\" \"0\")"},
                   "$CLAYER\n  8\n\xf9\xeb\xe1\xe4\n",
                   "$CLAYER\n  8\n0\n"},
        ChangeCase{"MissingVariableIsAdded",
                   corpus("r2018_ansi1255.dxf"),
                   {L"(setvar \"OSMODE\" 5)"},
                   "  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES",
                   "  9\n$OSMODE\n 70\n5\n  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES"},
        // A command that turns snaps off for a while and puts them back.
        ChangeCase{"MissingVariableSetAndPutBackLeavesNoTrace",
                   corpus("r2018_ansi1255.dxf"),
                   {L"(setvar \"OSMODE\" 0)", L"(setvar \"OSMODE\" 4133)"},
                   "",
                   ""},
        ChangeCase{
            "MissingVariableSetToOtherThanItsDefaultStays",
            corpus("r2018_ansi1255.dxf"),
            {L"(setvar \"OSMODE\" 0)", L"(setvar \"OSMODE\" 4133)", L"(setvar \"OSMODE\" 7)"},
            "  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES",
            "  9\n$OSMODE\n 70\n7\n  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UndoCase {
    const char* name;
    std::string file;
    std::vector<std::wstring> lines;
    std::wstring var;
};

class UndoVariableTest : public DrawingVarsTest, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(UndoVariableTest, UTakesTheChangeBack) {
    const UndoCase& c = GetParam();
    const std::string original = open(c.file);
    const auto before = cadhost::getVar(c.var);
    ASSERT_TRUE(before.has_value());
    for (const auto& line : c.lines) cadhost::pushInput(line);
    cadhost::runCommandLoop();
    ASSERT_TRUE(cadhost::getVar(c.var).has_value());
    ASSERT_FALSE(*cadhost::getVar(c.var) == *before) << cadhost::toUtf8(out);
    EXPECT_TRUE(db()->undoGroupCount() > 0);
    out.clear();
    run({L"U"});
    EXPECT_EQ(out.find(L"Everything has been undone"), std::wstring::npos);
    EXPECT_TRUE(*cadhost::getVar(c.var) == *before) << cadhost::toUtf8(out);
    EXPECT_EQ(saved(), original);
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, UndoVariableTest,
    ::testing::Values(
        UndoCase{"Osmode", corpus("r12_nohandles_crlf.dxf"), {L"(setvar \"OSMODE\" 0)"}, L"OSMODE"},
        UndoCase{"Clayer", corpus("r12_ansi1255.dxf"), {L"(setvar \"CLAYER\" \"0\")"}, L"CLAYER"},
        UndoCase{
            "Textsize", corpus("r2000_ansi1251.dxf"), {L"(setvar \"TEXTSIZE\" 7.5)"}, L"TEXTSIZE"},
        UndoCase{"Textstyle",
                 sample("hebrew_r2000.dxf"),
                 {L"(setvar \"TEXTSTYLE\" \"hebnorm\")"},
                 L"TEXTSTYLE"},
        UndoCase{"Tilemode", corpus("r2010_image.dxf"), {L"(setvar \"TILEMODE\" 0)"}, L"TILEMODE"},
        UndoCase{"UcsRotation", corpus("r2018_ansi1255.dxf"), {L"UCS Z 30"}, L"UCSXDIR"},
        UndoCase{"UcsOrigin", corpus("r12_nohandles_crlf.dxf"), {L"UCS 3,4,0", L""}, L"UCSORG"},
        UndoCase{"SetvarCommand", corpus("r2004_dos850.dxf"), {L"SETVAR TEXTSIZE 4"}, L"TEXTSIZE"}),
    [](const auto& info) { return std::string(info.param.name); });

class RefusedValueTest : public DrawingVarsTest,
                         public ::testing::WithParamInterface<std::wstring> {};

TEST_P(RefusedValueTest, LispGetsAnErrorAndTheDrawingStaysAsItWas) {
    const std::string original = open(corpus("r12_nohandles_crlf.dxf"));
    const auto groups = db()->undoGroupCount();
    run({GetParam()});
    EXPECT_NE(out.find(L"; error: AutoCAD variable setting rejected"), std::wstring::npos)
        << cadhost::toUtf8(out);
    EXPECT_EQ(saved(), original);
    EXPECT_EQ(db()->undoGroupCount(), groups);
    EXPECT_FALSE(curDoc()->isModified());
}

INSTANTIATE_TEST_SUITE_P(Values, RefusedValueTest,
                         ::testing::Values(L"(setvar \"OSMODE\" 99999)", L"(setvar \"OSMODE\" -1)",
                                           L"(setvar \"TILEMODE\" 2)",
                                           L"(setvar \"CLAYER\" \"NO SUCH LAYER\")",
                                           L"(setvar \"TEXTSTYLE\" \"NOSTYLE\")",
                                           L"(setvar \"TEXTSIZE\" 0)", L"(setvar \"TEXTSIZE\" -2)",
                                           L"(setvar \"OSMODE\" \"text\")",
                                           L"(setvar \"UCSORG\" (list 1 2 3))"));

TEST_F(DrawingVarsTest, SetvarCommandAsksAgainUntilTheValueFits) {
    const std::string original = open(corpus("r12_nohandles_crlf.dxf"));
    run({L"SETVAR", L"CLAYER", L"NOWHERE", L"abc", L"0"});
    EXPECT_EQ(cadhost::getVar(L"CLAYER")->text, L"0");
    EXPECT_NE(out.find(L"Invalid value: no layer \"NOWHERE\""), std::wstring::npos)
        << cadhost::toUtf8(out);
    EXPECT_EQ(cadhost_test::CountOf(cadhost::toUtf8(out), "Enter new value for CLAYER"), 3u);
    out.clear();
    run({L"SETVAR", L"OSMODE", L"99999", L"many", L""});
    EXPECT_NE(out.find(L"OSMODE must be from 0 to 32767"), std::wstring::npos);
    EXPECT_NE(out.find(L"takes another type of value"), std::wstring::npos);
    EXPECT_EQ(cadhost::getVar(L"OSMODE")->integer, 37) << "Enter keeps the value";
    run({L"U"});
    EXPECT_EQ(saved(), original);
}

TEST_F(DrawingVarsTest, VariablesMissingFromTheHeaderReadAsDefaultsAndAreNotWritten) {
    const std::string original = open(corpus("r2018_ansi1255.dxf"));
    ASSERT_EQ(original.find("$OSMODE"), std::string::npos);
    EXPECT_EQ(cadhost::getVar(L"OSMODE")->integer, 4133);
    EXPECT_EQ(cadhost::getVar(L"CLAYER")->text, kWallsLayer);
    run({L"SAVEAS", (std::filesystem::temp_directory_path() / "dv_missing.dxf").wstring()});
    EXPECT_EQ(fileBytes((std::filesystem::temp_directory_path() / "dv_missing.dxf").string()),
              original);
    std::filesystem::remove(std::filesystem::temp_directory_path() / "dv_missing.dxf");
}
}  // namespace
