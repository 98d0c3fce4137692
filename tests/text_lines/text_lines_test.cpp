// Loading the texts into lines and writing changed lines back, on the
// bundled sample, whose rows hold the same phrases stored for every font
// type: a phrase written to a text must be stored exactly as the sample
// generator stored it for that font.
#include "host/text_lines/text_lines.h"

#include "host/text_lines/messages.h"
#include "tests/text_lines/sample_fixture.h"

namespace tarsil {
namespace {

using testing::kAlefBet;
using testing::kRoom12;
using testing::kSampleRows;
using testing::kShalom;
using testing::Win;

// Letters typed as Hebrew, everything else not.
std::vector<unsigned char> TypedMask(const std::wstring& line) {
    std::vector<unsigned char> mask;
    for (wchar_t c : line) mask.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return mask;
}

class TextLinesTest : public testing::SampleTest {
  protected:
    TextLines Loaded(std::initializer_list<const wchar_t*> handles) {
        TextLines lines(Records(handles));
        EXPECT_TRUE(lines.Load(shown_));
        return lines;
    }
    // Applies the lines with the masks typing them would give.
    bool Apply(TextLines& lines, std::vector<std::wstring> text) {
        shown_ = std::move(text);
        return lines.ApplyLines(shown_, [&](int i) { return TypedMask(shown_[i]); });
    }
    std::vector<std::wstring> shown_;
};

TEST_F(TextLinesTest, LoadsTopToBottomDecodingEachFontType) {
    TextLines lines = Loaded({L"3C", L"36", L"42", L"39", L"3F"});
    EXPECT_EQ(shown_, std::vector<std::wstring>(5, Win(kShalom)));
    const std::vector<std::wstring> styles = {L"HEBNORM", L"HEB7BIT", L"HEBBACK", L"HEB7BACK",
                                              L"HEBD2W"};
    const std::vector<FontType> types = {FontType::HebrewNormal, FontType::Hebrew7Bit,
                                         FontType::HebrewBackward, FontType::Hebrew7BitBackward,
                                         FontType::D2w};
    ASSERT_EQ(lines.Records().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lines.Records()[i].styleName, styles[i]);
        EXPECT_EQ(lines.Records()[i].fontType, types[i]);
        EXPECT_EQ(lines.Records()[i].text, shown_[i]);
        EXPECT_DOUBLE_EQ(lines.Records()[i].height, 2.5);
    }
    EXPECT_TRUE(lines.Sort().has_value());
}

TEST_F(TextLinesTest, TextsOnOneRowKeepTheSelectionOrder) {
    Loaded({L"38", L"36", L"37"});
    EXPECT_EQ(shown_, (std::vector<std::wstring>{Win(kAlefBet), Win(kShalom), Win(kRoom12)}));
}

TEST_F(TextLinesTest, TextsTurnedAQuarterReadFromTheLeft) {
    // Turned 90 degrees a text reads upwards and the page's top is at the left.
    std::vector<CTextProperties> records = Records({L"3C", L"36", L"39"});
    for (const CTextProperties& record : records) {
        const AcDbObjectId id = record.objectId;
        AcDbText* text = nullptr;
        ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForWrite), Acad::eOk);
        text->setRotation(M_PI / 2);
        text->setPosition(AcGePoint3d(text->position().y * -1.0, 0.0, 0.0));  // x 0, 5, 10
        text->close();
    }
    TextLines lines(std::move(records));
    ASSERT_TRUE(lines.Load(shown_));
    EXPECT_EQ(lines.Records()[0].objectId, Id(L"36"));
    EXPECT_EQ(lines.Records()[1].objectId, Id(L"39"));
    EXPECT_EQ(lines.Records()[2].objectId, Id(L"3C"));
}

TEST_F(TextLinesTest, ATextThatCannotBeReadEndsLoadingWithAnAlert) {
    TextLines lines(Records({L"36", L"39", L"3C"}));
    AcDbText* busy = nullptr;
    ASSERT_EQ(acdbOpenObject(busy, Id(L"39"), AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(lines.Load(shown_));
    busy->close();
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotReadObject});
    EXPECT_EQ(shown_, std::vector<std::wstring>{Win(kShalom)});
    EXPECT_EQ(lines.Records().size(), 1u);
}

// Every font type: the third text of the row is given the phrases of the
// first and second, and must then hold their bytes; the others stay.
class EveryFontType : public TextLinesTest,
                      public ::testing::WithParamInterface<testing::SampleRow> {};

TEST_P(EveryFontType, AChangedLineIsStoredAsItsFontExpects) {
    const testing::SampleRow& row = GetParam();
    const std::wstring first = Stored(row.handles[0]), second = Stored(row.handles[1]);
    TextLines lines = Loaded({row.handles[0], row.handles[1], row.handles[2]});
    ASSERT_TRUE(Apply(lines, {Win(kShalom), Win(kRoom12), Win(kShalom)}));
    EXPECT_EQ(Stored(row.handles[2]), first);
    ASSERT_TRUE(Apply(lines, {Win(kShalom), Win(kRoom12), Win(kRoom12)}));
    EXPECT_EQ(Stored(row.handles[2]), second);
    EXPECT_EQ(Stored(row.handles[0]), first);
    EXPECT_EQ(Stored(row.handles[1]), second);
    EXPECT_TRUE(lines.Changed());
}

INSTANTIATE_TEST_SUITE_P(Samples, EveryFontType, ::testing::ValuesIn(kSampleRows),
                         testing::StyleOfRow);

TEST_F(TextLinesTest, AnEmptiedLineKeepsItsTextAndRemovedLinesEraseAllTheirTexts) {
    TextLines lines = Loaded({L"36", L"39", L"3C", L"3F"});
    const AcDbObjectId third = Id(L"3C"), fourth = Id(L"3F");
    ASSERT_TRUE(Apply(lines, {Win(kShalom), L"", Win(kShalom), Win(kShalom)}));
    EXPECT_EQ(Stored(L"39"), L"");
    EXPECT_FALSE(Read(Id(L"39")).erased);

    // Two lines go at once: both texts go.
    ASSERT_TRUE(Apply(lines, {Win(kShalom), L""}));
    EXPECT_TRUE(Read(third).erased);
    EXPECT_TRUE(Read(fourth).erased);
    EXPECT_FALSE(Read(Id(L"39")).erased);
    EXPECT_TRUE(lines.Records()[2].objectId.isNull());
    EXPECT_TRUE(lines.Records()[3].text.empty());

    // A line typed again where a text was erased gets a new text there.
    const std::vector<AcDbObjectId> before = Db()->allEntities();
    ASSERT_TRUE(Apply(lines, {Win(kShalom), L"", Win(kAlefBet)}));
    const std::vector<AcDbObjectId> added = Added(before);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(Read(added[0]).position.isEqualTo(AcGePoint3d(0, -10, 0)));
    EXPECT_EQ(Read(added[0]).style, L"HEBBACK");
}

TEST_F(TextLinesTest, ATextThatCannotBeWrittenStopsTheChangeWithAnAlert) {
    TextLines lines = Loaded({L"36", L"39", L"3C"});
    AcDbText* busy = nullptr;
    ASSERT_EQ(acdbOpenObject(busy, Id(L"39"), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(Apply(lines, {Win(kAlefBet), Win(kAlefBet), Win(kAlefBet)}));
    busy->close();
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotWriteText});
    EXPECT_EQ(Stored(L"36"), Stored(L"38"));  // written before the failure
    EXPECT_NE(Stored(L"3C"), Stored(L"3E"));  // not reached
}

TEST_F(TextLinesTest, NothingChangedWritesNothing) {
    TextLines lines = Loaded({L"36", L"39"});
    const std::size_t groups = Db()->undoGroupCount();
    ASSERT_TRUE(Apply(lines, {Win(kShalom), Win(kShalom)}));
    EXPECT_EQ(Db()->undoGroupCount(), groups);
    EXPECT_FALSE(lines.Changed());
}

}  // namespace
}  // namespace tarsil
