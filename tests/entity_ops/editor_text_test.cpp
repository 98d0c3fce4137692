// The editor text of rows: stored bytes of each font type to logical text
// and back, through the entity.
#include "host/entity_ops/editor_text.h"

#include <string>

#include "entity_fixture.h"

namespace entops_test {
namespace {

// Logical אבג in the Windows layout.
const std::wstring kAlefBetGimel = {0xE0, 0xE1, 0xE2};

using EditorTextTest = EntityTest;

// A diameter sign and a Greek letter among the Hebrew: each way of storing
// (DOS, 7-bit, d2w; the backward fonts share theirs) keeps them in their
// places, and nothing after them is cut.
TEST(EditorTextConversion, CharactersAboveTheByteRangeAreKept) {
    const std::wstring logical = kAlefBetGimel + L" \x2300" + L"12 \x03A9" + kAlefBetGimel;
    for (int type : {0, 1, 4}) {
        const auto fontType = static_cast<tarsil::FontType>(type);
        std::wstring text = logical;
        tarsil::ConvertEditingForStorage(text, fontType);
        ASSERT_EQ(text.size(), logical.size()) << type;
        EXPECT_NE(text.find(L'\x2300'), std::wstring::npos) << type;
        tarsil::ConvertStoredForEditing(text, fontType);
        EXPECT_EQ(text, logical) << type;
    }
}

TEST_F(EditorTextTest, TextsThatCannotBeOpenedOrWrittenAreReportedAndLeftAlone) {
    const AcDbObjectId id = Text(L"hebnorm text");
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(tarsil::LoadEditorText(id).has_value());
    std::wstring editable = kAlefBetGimel;
    EXPECT_FALSE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(editable, kAlefBetGimel);
    const AcDbObjectId layerId = text->layerId();
    text->close();
    // Neither a block reference nor no entity at all is read as a text.
    EXPECT_FALSE(tarsil::LoadEditorText(Insert(L"PLAIN")).has_value());
    EXPECT_FALSE(tarsil::LoadEditorText(AcDbObjectId()).has_value());
    // On a locked layer a text reads but is not written.
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();
    EXPECT_TRUE(tarsil::LoadEditorText(id).has_value());
    EXPECT_FALSE(tarsil::StoreEditorText(id, editable));
    EXPECT_EQ(String(id), L"hebnorm text");
    const std::wstring read = L"\nCannot open the object TEXT",
                       write = L"\nCannot open object text\n";
    EXPECT_EQ(alerts_, (std::vector<std::wstring>{read, write, read, read, write}));
}

}  // namespace
}  // namespace entops_test
