// The editor text of rows: stored bytes of each font type to logical text
// and back, through the entity.
#include "host/entity_ops/editor_text.h"

#include <string>

#include "entity_fixture.h"

namespace entops_test {
namespace {

// Logical אבג in the Windows layout, and its stored forms worked out by
// hand: the DOS layout lists the visual line from its left end (גבא), the
// 7-bit layout uses the Latin keys of the letters (א t, ב c, ג d) listed
// from the right end.
const std::wstring kLogicalAlefBetGimel = {0xE0, 0xE1, 0xE2};
const std::wstring kDosGimelBetAlef = {0x82, 0x81, 0x80};
const std::wstring kSevenBitAlefBetGimel = L"tcd";

using EditorTextTest = EntityTest;

TEST_F(EditorTextTest, HebrewNormalDecodesDosVisualAndStoresItBack) {
    AcDbObjectId id = Text(L"hebnorm text");
    SetString(id, kDosGimelBetAlef);
    auto loaded = tarsil::LoadEditorText(id);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, kLogicalAlefBetGimel);

    SetString(id, L"");
    std::wstring editable = kLogicalAlefBetGimel;
    ASSERT_TRUE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(String(id), kDosGimelBetAlef);
    EXPECT_EQ(editable, kDosGimelBetAlef) << "the text is converted in place";
}

TEST_F(EditorTextTest, SevenBitStoresKeyLettersAndReadsThemBack) {
    AcDbObjectId id = Text(L"heb7bit text");
    std::wstring editable = kLogicalAlefBetGimel;
    ASSERT_TRUE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(String(id), kSevenBitAlefBetGimel);
    auto loaded = tarsil::LoadEditorText(id);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, kLogicalAlefBetGimel);
}

TEST_F(EditorTextTest, D2wRoundTripsMixedText) {
    AcDbObjectId id = Text(L"hebd2w text");
    const std::wstring logical = kLogicalAlefBetGimel + L" 12 ab";
    std::wstring editable = logical;
    ASSERT_TRUE(tarsil::StoreEditorText(id, editable));
    EXPECT_NE(String(id), logical) << "Hebrew is stored reordered";
    auto loaded = tarsil::LoadEditorText(id);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, logical);
}

TEST_F(EditorTextTest, LatinTextPassesUnchangedExceptForSevenBitFonts) {
    for (const wchar_t* name :
         {L"hebnorm text", L"heb7bit text", L"hebd2w text", L"alpha", L"fit me"}) {
        AcDbObjectId id = Text(name);
        auto loaded = tarsil::LoadEditorText(id);
        ASSERT_TRUE(loaded.has_value()) << Narrow(name);
        // 7-bit fonts read each Latin letter as the Hebrew letter on its key
        // of the Israeli keyboard: h=yod e=qof b=nun i=final nun t=alef x=samekh.
        const std::wstring expected = std::wstring(name) == L"heb7bit text"
                                          ? L"\xE9\xF7\xF0"
                                            L"7\xF0\xEF\xE0 \xE0\xF7\xF1\xE0"
                                          : std::wstring(name);
        EXPECT_EQ(*loaded, expected) << Narrow(name);
    }
}

// A diameter sign and a Greek letter among the Hebrew: every font type
// stores and reads them back in their places, and nothing after them is cut.
TEST(EditorTextConversion, CharactersAboveTheByteRangeAreKept) {
    const std::wstring logical =
        kLogicalAlefBetGimel + L" \x2300" + L"12 \x03A9" + kLogicalAlefBetGimel;
    for (int type : {0, 1, 2, 3, 4}) {
        const auto fontType = static_cast<tarsil::FontType>(type);
        std::wstring text = logical;
        tarsil::ConvertEditingForStorage(text, fontType);
        ASSERT_EQ(text.size(), logical.size()) << type;
        EXPECT_NE(text.find(L'\x2300'), std::wstring::npos) << type;
        tarsil::ConvertStoredForEditing(text, fontType);
        EXPECT_EQ(text, logical) << type;
    }
}

TEST_F(EditorTextTest, UnmappedFontStoresTextAsTyped) {
    // The standard style's font is not in the map.
    AcDbObjectId id = Text(L"alpha");
    std::wstring editable = kLogicalAlefBetGimel;
    ASSERT_TRUE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(String(id), kLogicalAlefBetGimel);
}

TEST_F(EditorTextTest, LockedTextIsReportedAndLeftAlone) {
    AcDbObjectId id = Text(L"hebnorm text");
    AcDbText* held = nullptr;
    ASSERT_EQ(acdbOpenObject(held, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(tarsil::LoadEditorText(id).has_value());
    std::wstring editable = kLogicalAlefBetGimel;
    EXPECT_FALSE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(editable, kLogicalAlefBetGimel);
    held->close();
    EXPECT_EQ(String(id), L"hebnorm text");
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0], L"\nCannot open the object TEXT");
    EXPECT_EQ(alerts[1], L"\nCannot open object text\n");
}

TEST_F(EditorTextTest, ATextOnALockedLayerReadsButIsNotWritten) {
    AcDbObjectId id = Text(L"hebnorm text");
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForRead), Acad::eOk);
    AcDbObjectId layerId = text->layerId();
    text->close();
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();

    EXPECT_TRUE(tarsil::LoadEditorText(id).has_value());
    std::wstring editable = kLogicalAlefBetGimel;
    EXPECT_FALSE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(String(id), L"hebnorm text");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], L"\nCannot open object text\n");
}

TEST_F(EditorTextTest, NonTextEntityIsNotRead) {
    EXPECT_FALSE(tarsil::LoadEditorText(Insert(L"PLAIN")).has_value());
    EXPECT_FALSE(tarsil::LoadEditorText(AcDbObjectId()).has_value());
    EXPECT_TRUE(Alerted(L"\nCannot open the object TEXT"));
}

}  // namespace
}  // namespace entops_test
