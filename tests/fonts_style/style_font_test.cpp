// The font type of text styles and the listing of support-folder fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/sysvars.h"
#include "fonts/font_map.h"
#include "fonts/style_font/acad_paths_parser.h"
#include "fonts/style_font/font_collector.h"
#include "fonts/style_font/font_type_of_style.h"
#include "tests/module/host_fixture.h"

namespace fs = std::filesystem;
using tarsil::FontType;

namespace {
class StyleFontTest : public tarsil::testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        acDocManagerPtr()->newDocument();
        saved = tarsil::CurrentFontMap();
        tarsil::CurrentFontMap() = {{L"romans", FontType::AsIs},
                                    {L"fonts/heb7bit", FontType::Hebrew7Bit}};
    }
    void TearDown() override {
        tarsil::CurrentFontMap() = saved;
        HostTest::TearDown();
    }

    // The drawing's "Standard" style, given the font file.
    static AcDbObjectId styleWithFont(const wchar_t* file) {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcDbTextStyleTable* table = nullptr;
        EXPECT_EQ(db->getTextStyleTable(table, AcDb::kForRead), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(table->getAt(L"Standard", id), Acad::eOk);
        table->close();
        AcDbTextStyleTableRecord* rec = nullptr;
        EXPECT_EQ(acdbOpenObject(rec, id, AcDb::kForWrite), Acad::eOk);
        if (rec != nullptr) {
            rec->setFileName(file);
            rec->close();
        }
        return id;
    }
    static FontType typeOf(const wchar_t* file) {
        return tarsil::FontTypeOfStyle(styleWithFont(file));
    }

    tarsil::FontMap saved;
};
}  // namespace

TEST(RemoveFontExtensionTest, OnlyTheLastComponentsExtensionGoes) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"ROMANS.SHX", L"ROMANS"},
        {L"a.b.shx", L"a.b"},
        {L"fonts.v2/heb", L"fonts.v2/heb"},
        {L"c:\\f.d\\x", L"c:\\f.d\\x"},
        {L"name.with space", L"name.with space"},
        {L".shx", L""},
        {L"", L""}};
    for (const auto& [file, name] : cases) EXPECT_EQ(tarsil::RemoveFontExtension(file), name);
}

TEST_F(StyleFontTest, StylesMatchTheirFontByNameWithoutCaseOrExtension) {
    // How names compare and which extension goes is the map's and
    // RemoveFontExtension's to check; here the style's file is looked up
    // with its folder.
    EXPECT_EQ(typeOf(L"ROMANS.SHX"), FontType::AsIs);
    EXPECT_EQ(typeOf(L"fonts/heb7bit.shx"), FontType::Hebrew7Bit);
    // Objects that are no style are unknown.
    EXPECT_EQ(tarsil::FontTypeOfStyle(AcDbObjectId()), FontType::Unknown);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    EXPECT_EQ(tarsil::FontTypeOfStyle(db->currentSpaceId()), FontType::Unknown);
    // The record is closed again: it opens for write afterwards.
    const AcDbObjectId id = styleWithFont(L"romans.shx");
    tarsil::FontTypeOfStyle(id);
    AcDbTextStyleTableRecord* rec = nullptr;
    ASSERT_EQ(acdbOpenObject(rec, id, AcDb::kForWrite), Acad::eOk);
    const ACHAR* file = nullptr;
    rec->fileName(file);
    EXPECT_STREQ(file, L"romans.shx") << "the style keeps its file name";
    rec->close();
}

// A map made from the font files on disk names a Hebrew font in Hebrew
// letters; a legacy drawing's style names it in its code page's bytes.
TEST_F(StyleFontTest, AFontNamedInHebrewIsFoundThroughTheDrawingsCodePage) {
    const std::wstring gofan = L"\u05d2\u05d5\u05e4\u05df";             // as the file is named
    const wchar_t* const gofanBytes = L"\u00e2\u00e5\u00f4\u00ef.shx";  // in ANSI_1255
    tarsil::CurrentFontMap()[gofan] = FontType::D2w;
    tarsil::CurrentFontMap()[L"\u00e0b"] = FontType::Hebrew7Bit;
    EXPECT_EQ(typeOf(gofanBytes), FontType::Unknown)
        << "the new drawing's code page has no Hebrew letters";

    ASSERT_NE(acDocManagerPtr()->openDocument(std::string(TARSIL_SOURCE_DIR) +
                                              "/samples/hebrew_r2000.dxf"),
              nullptr);
    ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->codePage(), "ANSI_1255");
    EXPECT_EQ(typeOf(gofanBytes), FontType::D2w);
    // Set in Hebrew letters: this drawing keeps them as escapes.
    EXPECT_EQ(typeOf(gofan.c_str()), FontType::D2w);
    // A letter beyond the code page stands as an escape.
    tarsil::CurrentFontMap()[L"\u0434\u05d0"] = FontType::AsIs;
    EXPECT_EQ(typeOf(L"\\U+0434\\U+05d0.shx"), FontType::AsIs);
    EXPECT_EQ(typeOf(L"\\U+0434\\U+05D.shx"), FontType::Unknown) << "a short escape is no escape";
    // A name the map holds as it stands is not turned.
    tarsil::CurrentFontMap()[L"\u05d0b"] = FontType::HebrewBackward;
    EXPECT_EQ(typeOf(L"\u00e0b.shx"), FontType::Hebrew7Bit);
    EXPECT_EQ(typeOf(L"\u00e2\u00e5.shx"), FontType::Unknown);
}

namespace {
// The host's answer for "ACADPREFIX", put in front of its own variables.
std::optional<cadhost::VarValue> (*g_prefixAnswer)() = nullptr;
std::optional<cadhost::VarValue> AnswerPrefix(const std::wstring& name) {
    if (name == L"ACADPREFIX" && g_prefixAnswer != nullptr) return g_prefixAnswer();
    return std::nullopt;
}
}  // namespace

TEST_F(StyleFontTest, SupportPathsSplitAtSemicolonsAndFailedReadsArePrinted) {
    cadhost::setVarInternal(L"ACADPREFIX", cadhost::VarValue::ofString(L"/a/;;/b c/;"));
    tarsil::acad_paths_parser_t parser;
    EXPECT_EQ(parser.paths(), (std::vector<std::wstring>{L"/a/", L"/b c/"}));
    EXPECT_NE(TakeOutput().find(L"acad_paths_parser_t.../a/\nacad_paths_parser_t.../b c/\n"),
              std::wstring::npos);
    cadhost::setVarInternal(L"ACADPREFIX", cadhost::VarValue::ofString(L""));
    EXPECT_TRUE(tarsil::acad_paths_parser_t().paths().empty());

    // Installed for this test only; nothing else in this program reads the
    // variables that the document manager's own hooks answer.
    cadhost::setDatabaseVarHooks({AnswerPrefix, nullptr});
    g_prefixAnswer = [] { return std::optional(cadhost::VarValue{}); };  // no value: RTERROR
    EXPECT_TRUE(tarsil::acad_paths_parser_t().paths().empty());
    EXPECT_EQ(TakeOutput(), L"acad_paths_parser_t::acedGetVar error=-5001\n");

    g_prefixAnswer = [] { return std::optional(cadhost::VarValue::ofReal(1.5)); };
    EXPECT_TRUE(tarsil::acad_paths_parser_t().paths().empty());
    EXPECT_EQ(TakeOutput(), L"acad_paths_parser_t::acedGetVar error=5100\n") << "not a string";

    tarsil::acad_font_collector::file_collector_t collector;
    collector.collect();
    EXPECT_TRUE(collector.names().empty());
    EXPECT_EQ(output_, L"acad_paths_parser_t::acedGetVar error=5100\n");
    g_prefixAnswer = nullptr;
    cadhost::setDatabaseVarHooks({});
}

// Each shape font once, at the first folder that has it, lower case, in
// folder order; file names that are no UTF-8 (code page 1255 letters, as
// a font copied from Windows may be named) are kept as bytes.
TEST_F(StyleFontTest, CollectorListsEachShapeFontOnceAtItsFirstFolder) {
    const fs::path root = fs::temp_directory_path() / ("style_font_" + std::to_string(::getpid()));
    fs::create_directories(root / "two" / "dir.shx");
    fs::create_directories(root / "one");
    for (const char* f : {"one/Zeta.SHX", "one/alpha.shx", "one/arial.ttf", "one/\xE0\xE1.SHX",
                          "two/ALPHA.shx", "two/beta.shx", "two/notes.txt"})
        std::ofstream(root / f) << "x";
    const std::wstring prefix = (root / "one").wstring() + L";" + (root / "missing").wstring() +
                                L";" + (root / "two").wstring() + L"/";
    cadhost::setVarInternal(L"ACADPREFIX", cadhost::VarValue::ofString(prefix));
    tarsil::acad_font_collector::file_collector_t collector;
    collector.collect();
    std::vector<std::wstring> one(collector.names().begin(), collector.names().begin() + 3);
    std::sort(one.begin(), one.end());
    EXPECT_EQ(one, (std::vector<std::wstring>{L"alpha", L"zeta", L"\u00e0\u00e1"}));
    EXPECT_EQ(collector.names().size(), 4u);
    EXPECT_EQ(collector.names().back(), L"beta");
    fs::remove_all(root);
}

TEST_F(StyleFontTest, BundledSupportFolderHoldsTheDefaultMapsFonts) {
    const std::string dir = std::string(TARSIL_SOURCE_DIR) + "/resources/support/";
    cadhost::setVarInternal(L"ACADPREFIX",
                            cadhost::VarValue::ofString(std::wstring(dir.begin(), dir.end())));
    tarsil::acad_font_collector::file_collector_t collector;
    collector.collect();
    tarsil::FontMap defaults;
    ASSERT_TRUE(
        tarsil::LoadFontMap(std::string(TARSIL_SOURCE_DIR) + "/resources/default.map", defaults));
    ASSERT_EQ(defaults.size(), 7u);
    for (const auto& [name, type] : defaults)
        EXPECT_NE(std::find(collector.names().begin(), collector.names().end(), name),
                  collector.names().end())
            << std::string(name.begin(), name.end());
}
