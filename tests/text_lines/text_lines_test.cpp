// What the editor's dialog tests can't reach on the sample: the reading
// order of turned texts, texts that can't be read or written, a style
// change of font type, erased lines typed again, paper space.
// (Cancel's reliance on Changed() is tested through the dialog.)
#include "host/text_lines/text_lines.h"

#include "cadhost/editor/sysvars.h"
#include "host/text_lines/messages.h"
#include "tests/codec/codec_test_support.h"
#include "tests/text_lines/sample_fixture.h"

namespace tarsil {
namespace {

using hebrew::TypedMask;
using testing::kAlefBet;
using testing::kShalom;
using testing::ReadText;
using testing::Win;

class TextLinesTest : public testing::SampleTest {
  protected:
    TextLines Loaded(std::initializer_list<const wchar_t*> handles) {
        TextLines lines(Records(handles));
        EXPECT_TRUE(lines.Load(shown_));
        return lines;
    }
    bool Apply(TextLines& lines, std::vector<std::wstring> text) {
        shown_ = std::move(text);
        return lines.ApplyLines(shown_, [&](int i) { return TypedMask(shown_[i]); });
    }
    std::vector<std::wstring> shown_;
};

TEST_F(TextLinesTest, TextsTurnedAQuarterReadFromTheLeftAndOneRowKeepsTheSelectionOrder) {
    Loaded({L"38", L"36", L"37"});
    EXPECT_EQ(shown_,
              (std::vector<std::wstring>{Win(kAlefBet), Win(kShalom), Win(testing::kRoom12)}));

    // Turned 90 degrees a text reads upwards and the page's top is at the left.
    std::vector<CTextProperties> records = Records({L"3C", L"36", L"39"});
    for (const CTextProperties& record : records) {
        AcDbText* text = nullptr;
        ASSERT_EQ(acdbOpenObject(text, record.objectId, AcDb::kForWrite), Acad::eOk);
        text->setRotation(M_PI / 2);
        text->setPosition(AcGePoint3d(-text->position().y, 0.0, 0.0));  // x 10, 0, 5
        text->close();
    }
    TextLines turned(std::move(records));
    ASSERT_TRUE(turned.Load(shown_));
    EXPECT_EQ(turned.Records()[0].objectId, Id(L"36"));
    EXPECT_EQ(turned.Records()[1].objectId, Id(L"39"));
    EXPECT_EQ(turned.Records()[2].objectId, Id(L"3C"));
}

TEST_F(TextLinesTest, TextsThatCannotBeOpenedStopTheWorkWithTheirAlert) {
    TextLines unread(Records({L"36", L"39", L"3C"}));
    AcDbText* busy = nullptr;
    ASSERT_EQ(acdbOpenObject(busy, Id(L"39"), AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(unread.Load(shown_));
    busy->close();
    EXPECT_EQ(shown_, std::vector<std::wstring>{Win(kShalom)});  // read before it
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotReadObject});

    alerts.clear();
    TextLines lines = Loaded({L"36", L"39", L"3C"});
    ASSERT_EQ(acdbOpenObject(busy, Id(L"39"), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(Apply(lines, {Win(kAlefBet), Win(kAlefBet), Win(kAlefBet)}));
    EXPECT_FALSE(lines.SetHeight(1, 2, 3.0));
    ASSERT_EQ(lines.EqualizeSpacing(), 0.0);
    busy->close();
    EXPECT_EQ(alerts,
              (std::vector<std::wstring>{kCannotWriteText, kCannotWriteText, kCannotWriteObject}));
    EXPECT_EQ(Stored(L"36"), Stored(L"38"));  // written before the failure
    EXPECT_NE(Stored(L"3C"), Stored(L"3E"));  // not reached
    EXPECT_EQ(lines.LineDistance(), 0.0);
}

// A style of another font type writes the line again in that font's
// encoding: the sample's first text in that style holds those bytes.  Each
// font type's encoding is the codec's to check; here one change each way.
TEST_F(TextLinesTest, AStyleOfAnotherFontTypeRewritesTheLineForIt) {
    const std::wstring normal = Stored(L"36"), sevenBit = Stored(L"39");
    for (const auto& [style, expected] : {std::pair{L"HEBNORM", normal}, {L"HEB7BIT", sevenBit}}) {
        TextLines lines = Loaded({L"36", L"39"});
        ASSERT_TRUE(lines.SetStyle(0, 1, style, [&](int i) { return TypedMask(shown_[i]); }));
        for (const wchar_t* h : {L"36", L"39"}) {
            EXPECT_EQ(ReadText(Id(h)).style, style) << h;
            EXPECT_EQ(Stored(h), expected) << h;
        }
    }
}

TEST_F(TextLinesTest, ALineTypedAgainWhereTextsWereErasedGetsANewOneInTheCurrentSpace) {
    cadhost::setVarInternal(L"CVPORT", cadhost::VarValue::ofShort(1));
    TextLines lines = Loaded({L"36", L"39", L"3C", L"3F"});
    const AcDbObjectId third = Id(L"3C"), fourth = Id(L"3F");
    ASSERT_TRUE(Apply(lines, {Win(kShalom), L""}));
    EXPECT_TRUE(ReadText(third).erased);
    EXPECT_TRUE(ReadText(fourth).erased);
    EXPECT_EQ(Stored(L"39"), L"");

    const std::vector<AcDbObjectId> before = Db()->allEntities();
    ASSERT_TRUE(Apply(lines, {Win(kShalom), L"", Win(kAlefBet)}));
    const std::vector<AcDbObjectId> added = Added(before);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(ReadText(added[0]).position.isEqualTo(AcGePoint3d(0, -10, 0)));
    EXPECT_EQ(ReadText(added[0]).style, L"HEBBACK");
    EXPECT_TRUE(ReadText(added[0]).paperSpace);
}

}  // namespace
}  // namespace tarsil
