// New texts, lines split and added, height, rotation, justification and
// style of lines, even spacing and the line distance, on the sample.
#include "cadhost/editor/sysvars.h"
#include "host/text_lines/messages.h"
#include "host/text_lines/text_entity_access.h"
#include "host/text_lines/text_lines.h"
#include "tests/text_lines/sample_fixture.h"

namespace tarsil {
namespace {

using testing::kAlefBet;
using testing::kSampleRows;
using testing::kShalom;
using testing::Win;

std::vector<unsigned char> TypedMask(const std::wstring& line) {
    std::vector<unsigned char> mask;
    for (wchar_t c : line) mask.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return mask;
}

class LayoutTest : public testing::SampleTest {
  protected:
    TextLines Loaded(std::initializer_list<const wchar_t*> handles) {
        TextLines lines(Records(handles));
        std::vector<std::wstring> shown;
        EXPECT_TRUE(lines.Load(shown));
        return lines;
    }
    LineMask Masks(TextLines& lines) {
        return [&lines](int i) { return TypedMask(lines.Records()[i].text); };
    }
    bool Apply(TextLines& lines, const std::vector<std::wstring>& text) {
        return lines.ApplyLines(text, [&](int i) { return TypedMask(text[i]); });
    }
    static void MoveTo(const wchar_t* handle, double y) {
        AcDbText* text = nullptr;
        ASSERT_EQ(acdbOpenObject(text, Id(handle), AcDb::kForWrite), Acad::eOk);
        text->setPosition(AcGePoint3d(0, y, 0));
        text->close();
    }
    static double Y(const wchar_t* handle) { return Read(Id(handle)).position.y; }
};

constexpr double kTol = 1e-9;

TEST_F(LayoutTest, ANewTextTakesTheCurrentStyleAndSizeRightJustifiedAtItsPoint) {
    for (const short cvport : {2, 1}) {
        SetUp();
        cadhost::setVarInternal(L"CVPORT", cadhost::VarValue::ofShort(cvport));
        ASSERT_EQ(Db()->setTextstyle(TextStyleByName(L"HEBNORM")), Acad::eOk);
        ASSERT_EQ(Db()->setTextsize(3.0), Acad::eOk);
        CTextProperties start;
        start.position = AcGePoint3d(100, 50, 0);
        start.rotation = 0.3;
        TextLines lines({start});
        std::vector<std::wstring> shown;
        ASSERT_TRUE(lines.Load(shown));
        EXPECT_TRUE(shown.empty());

        const std::vector<AcDbObjectId> before = Db()->allEntities();
        ASSERT_TRUE(Apply(lines, {Win(kShalom)}));
        lines.ExtendForLines(2, 1);
        ASSERT_TRUE(Apply(lines, {Win(kShalom), Win(kAlefBet)}));
        const std::vector<AcDbObjectId> added = Added(before);
        ASSERT_EQ(added.size(), 2u);
        const auto first = Read(added[0]), second = Read(added[1]);
        EXPECT_EQ(first.stored, Stored(L"36"));
        EXPECT_EQ(second.stored, Stored(L"38"));
        EXPECT_EQ(first.style, L"HEBNORM");
        EXPECT_EQ(first.horizontal, AcDb::kTextRight);
        EXPECT_DOUBLE_EQ(first.height, 3.0);
        EXPECT_DOUBLE_EQ(second.rotation, 0.3);
        EXPECT_TRUE(first.alignment.isEqualTo(AcGePoint3d(100, 50, 0), kTol));
        // Two heights further down the text's own page.
        EXPECT_TRUE(second.alignment.isEqualTo(
            AcGePoint3d(100 + 6 * std::sin(0.3), 50 - 6 * std::cos(0.3), 0), kTol));
        EXPECT_EQ(first.paperSpace, cvport == 1) << cvport;
        EXPECT_EQ(second.paperSpace, cvport == 1) << cvport;
        TearDown();
    }
}

TEST_F(LayoutTest, ANewTextWithoutEntityOnlyKeepsItsValues) {
    CTextProperties start;
    TextLines lines({start});
    std::vector<std::wstring> shown;
    ASSERT_TRUE(lines.Load(shown));
    const std::size_t entities = Db()->allEntities().size();
    EXPECT_TRUE(lines.SetHeight(0, 0, 7.0));
    EXPECT_TRUE(lines.SetRotation(0, 0, 1.0));
    EXPECT_TRUE(lines.SetJustification(0, 0, 4));
    EXPECT_TRUE(lines.SetStyle(0, 0, L"HEBD2W", Masks(lines)));
    EXPECT_EQ(Db()->allEntities().size(), entities);
    const CTextProperties& r = lines.Records().front();
    EXPECT_EQ(r.height, 7.0);
    EXPECT_EQ(r.rotation, 1.0);
    EXPECT_EQ(r.justification, 4);
    EXPECT_EQ(r.styleName, L"HEBD2W");
    EXPECT_EQ(r.fontType, FontType::D2w);
    EXPECT_FALSE(lines.Changed());
}

TEST_F(LayoutTest, SplittingALineMovesTheLinesBelowBeforeAnythingIsWritten) {
    TextLines lines = Loaded({L"36", L"39", L"3C"});
    // Enter at the end of the first line: four lines, the caret on the second.
    lines.ExtendForLines(4, 1);
    ASSERT_EQ(lines.Records().size(), 4u);
    EXPECT_TRUE(lines.Records()[1].objectId.isNull());
    EXPECT_NEAR(lines.Records()[1].position.y, -5.0, kTol);
    EXPECT_EQ(lines.Records()[1].styleName, L"HEBNORM");
    EXPECT_NEAR(Y(L"39"), -10.0, kTol);
    EXPECT_NEAR(Y(L"3C"), -15.0, kTol);
    EXPECT_NEAR(Y(L"36"), 0.0, kTol);

    // Two lines pasted into the middle one: each one step further down.
    lines.ExtendForLines(6, 3);
    EXPECT_NEAR(lines.Records()[2].position.y, -10.0, kTol);
    EXPECT_NEAR(lines.Records()[3].position.y, -15.0, kTol);
    EXPECT_NEAR(Y(L"39"), -20.0, kTol);
    EXPECT_NEAR(Y(L"3C"), -25.0, kTol);
}

TEST_F(LayoutTest, HeightRotationAndJustificationTouchOnlyTheSelectedLinesThatDiffer) {
    TextLines lines = Loaded({L"36", L"39", L"3C"});
    ASSERT_TRUE(lines.SetHeight(0, 1, 4.0));
    EXPECT_EQ(Read(Id(L"36")).height, 4.0);
    EXPECT_EQ(Read(Id(L"39")).height, 4.0);
    EXPECT_EQ(Read(Id(L"3C")).height, 2.5);
    const std::size_t groups = Db()->undoGroupCount();
    ASSERT_TRUE(lines.SetHeight(1, 0, 4.0));  // the same again: nothing to write
    EXPECT_EQ(Db()->undoGroupCount(), groups);

    ASSERT_TRUE(lines.SetRotation(2, 2, 0.5));
    EXPECT_EQ(Read(Id(L"3C")).rotation, 0.5);
    EXPECT_EQ(Read(Id(L"39")).rotation, 0.0);

    // Left to Right keeps the point as the alignment point; back to Left
    // makes the alignment point the position again.
    ASSERT_TRUE(lines.SetJustification(0, 0, 2));
    EXPECT_EQ(Read(Id(L"36")).horizontal, AcDb::kTextRight);
    EXPECT_TRUE(Read(Id(L"36")).alignment.isEqualTo(AcGePoint3d(0, 0, 0), kTol));
    EXPECT_FALSE(Read(Id(L"36")).position.isEqualTo(AcGePoint3d(0, 0, 0), 1e-3));
    ASSERT_TRUE(lines.SetJustification(0, 0, 0));
    EXPECT_TRUE(Read(Id(L"36")).position.isEqualTo(AcGePoint3d(0, 0, 0), kTol));
    EXPECT_EQ(Read(Id(L"36")).horizontal, AcDb::kTextLeft);
}

TEST_F(LayoutTest, AValueThatCannotBeWrittenShowsTheAlert) {
    TextLines lines = Loaded({L"36", L"39"});
    AcDbText* busy = nullptr;
    ASSERT_EQ(acdbOpenObject(busy, Id(L"39"), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(lines.SetHeight(0, 1, 3.0));
    busy->close();
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotWriteText});
    EXPECT_EQ(Read(Id(L"36")).height, 3.0);
}

// A text given the style of each row is written again in that row's
// encoding: it then holds the bytes of the row's own first text.
class StyleChange : public LayoutTest, public ::testing::WithParamInterface<testing::SampleRow> {};

TEST_P(StyleChange, RewritesTheLineForTheNewFont) {
    const testing::SampleRow& row = GetParam();
    const std::wstring expected = Stored(row.handles[0]);
    TextLines lines = Loaded({L"36", L"39"});
    ASSERT_TRUE(lines.SetStyle(0, 1, row.style, Masks(lines)));
    for (const wchar_t* h : {L"36", L"39"}) {
        EXPECT_EQ(Read(Id(h)).style, row.style) << h;
        EXPECT_EQ(Stored(h), expected) << h;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, StyleChange, ::testing::ValuesIn(kSampleRows),
                         testing::StyleOfRow);

TEST_F(LayoutTest, EqualSpacingThenALineDistanceKeepTheBlocksEndsAndMiddle) {
    MoveTo(L"39", -3.0);
    MoveTo(L"3C", -11.0);
    TextLines lines = Loaded({L"36", L"39", L"3C", L"3F"});
    EXPECT_NEAR(lines.EqualizeSpacing(), 5.0, kTol);
    EXPECT_NEAR(lines.LineDistance(), 5.0, kTol);
    EXPECT_NEAR(Y(L"39"), -5.0, kTol);
    EXPECT_NEAR(Y(L"3C"), -10.0, kTol);
    EXPECT_NEAR(Y(L"36"), 0.0, kTol);
    EXPECT_NEAR(Y(L"3F"), -15.0, kTol);

    ASSERT_TRUE(lines.SetLineDistance(7.0));
    EXPECT_NEAR(Y(L"36"), 3.0, kTol);
    EXPECT_NEAR(Y(L"39"), -4.0, kTol);
    EXPECT_NEAR(Y(L"3C"), -11.0, kTol);
    EXPECT_NEAR(Y(L"3F"), -18.0, kTol);
    EXPECT_NEAR(lines.Records()[3].position.y, -18.0, kTol);

    // The next new line goes that distance below the last.
    lines.ExtendForLines(5, 4);
    EXPECT_NEAR(lines.Records()[4].position.y, -25.0, kTol);
}

TEST_F(LayoutTest, SpacingNeedsTwoTextsAndReadableOnes) {
    TextLines single = Loaded({L"36"});
    EXPECT_EQ(single.EqualizeSpacing(), 0.0);
    EXPECT_FALSE(single.SetLineDistance(3.0));

    TextLines lines = Loaded({L"36", L"39", L"3C"});
    AcDbText* busy = nullptr;
    ASSERT_EQ(acdbOpenObject(busy, Id(L"3C"), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(lines.EqualizeSpacing(), 0.0);
    busy->close();
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotReadObject});
    EXPECT_EQ(lines.LineDistance(), 0.0);
}

}  // namespace
}  // namespace tarsil
