// Text placement by justification and the extents of texts and MText.
#include "cadhost/geom/textgeom.h"

#include <cmath>
#include <numbers>
#include <sstream>

#include "tests/cadhost_db/db_fixture.h"

using namespace cadhost_test;

namespace {

// "AB" at height 2 from (1, 2): each capital advances 0.7 of the height, so
// 2.8 wide.
struct Placement {
    int h, v;
    double rotation, x, y;  // expected position for the alignment point (10, 5)
};

class Justification : public ::testing::TestWithParam<Placement> {};

// The extents of an entity are the box from (x0, y0) to (x1, y1).
void expectBox(const AcDbEntity& e, double x0, double y0, double x1, double y1) {
    AcDbExtents ext;
    ASSERT_EQ(e.getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.minPoint().x, x0, 1e-12);
    EXPECT_NEAR(ext.minPoint().y, y0, 1e-12);
    EXPECT_NEAR(ext.maxPoint().x, x1, 1e-12);
    EXPECT_NEAR(ext.maxPoint().y, y1, 1e-12);
}

}  // namespace

TEST_P(Justification, PositionFollowsFromTheAlignmentPoint) {
    const Placement p = GetParam();
    AcDbText text(AcGePoint3d(1, 2, 0), L"AB", AcDbObjectId(), 2.0, p.rotation);
    text.setHorizontalMode(static_cast<AcDb::TextHorzMode>(p.h));
    text.setVerticalMode(static_cast<AcDb::TextVertMode>(p.v));
    text.setAlignmentPoint(AcGePoint3d(10, 5, 0));
    ASSERT_EQ(text.adjustAlignment(), Acad::eOk);
    EXPECT_NEAR(text.position().x, p.x, 1e-9);
    EXPECT_NEAR(text.position().y, p.y, 1e-9);
    EXPECT_EQ(text.isDefaultAlignment(), p.h == 0 && p.v == 0);
}

// One row per offset: each horizontal mode, each vertical mode (middle
// ignores it), and a right-aligned text turned a quarter, so placed along
// its own baseline.
INSTANTIATE_TEST_SUITE_P(All, Justification,
                         ::testing::Values(Placement{0, 0, 0, 1, 2}, Placement{1, 1, 0, 8.6, 5.5},
                                           Placement{2, 2, 0, 7.2, 4}, Placement{0, 3, 0, 10, 3},
                                           Placement{4, 0, 0, 8.6, 4}, Placement{4, 3, 0, 8.6, 4},
                                           Placement{2, 0, std::numbers::pi / 2, 10, 2.2}));

TEST(Justification, AlignedScalesTheHeightAndFitTheWidth) {
    AcDbText aligned(AcGePoint3d(), L"AB", AcDbObjectId(), 2.0);
    aligned.setHorizontalMode(AcDb::kTextAlign);
    aligned.setAlignmentPoint(AcGePoint3d(0, 7, 0));
    aligned.adjustAlignment();
    EXPECT_NEAR(aligned.rotation(), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(aligned.height(), 5.0, 1e-12);  // 7 / 1.4
    AcDbText fit(AcGePoint3d(), L"AB", AcDbObjectId(), 2.0);
    fit.setHorizontalMode(AcDb::kTextFit);
    fit.setAlignmentPoint(AcGePoint3d(5.6, 0, 0));
    fit.adjustAlignment();
    EXPECT_NEAR(fit.height(), 2.0, 1e-12);
    EXPECT_NEAR(fit.widthFactor(), 2.0, 1e-12);
}

TEST(Extents, TextBoxCoversDescendersAndRotation) {
    AcDbText text(AcGePoint3d(1, 1, 0), L"gy", AcDbObjectId(), 2.0);
    expectBox(text, 1, 0.5, 3.8, 3);  // a quarter of the height below the baseline
    text.setRotation(std::numbers::pi);
    expectBox(text, -1.8, -1, 1, 1.5);
    text.setTextString(L"");
    AcDbExtents ext;
    EXPECT_EQ(text.getGeomExtents(ext), Acad::eNotApplicable);
}

TEST(Extents, ControlCodesAndMTextFormattingAreNotMeasured) {
    EXPECT_DOUBLE_EQ(cadhost::geom::textAdvance(L"%%u12%%d"), 2.1);
    auto paragraphs = cadhost::geom::mtextParagraphs(L"\\A1;{\\H1.5x;AB}\\PC\\~D\\S1^23;");
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0], L"AB");
    EXPECT_EQ(paragraphs[1],
              L"C\x00a0"
              L"D23")
        << "\\~ is a blank that does not break";
}

TEST(Extents, MTextWrapsAtBlanksToItsColumnWidth) {
    using cadhost::geom::mtextLines;
    // Each "AB" is 1.4 wide at height 1, a blank 0.5.
    EXPECT_EQ(mtextLines(L"AB AB AB", 1, 0), std::vector<std::wstring>{L"AB AB AB"})
        << "no width, no wrapping";
    EXPECT_EQ(mtextLines(L"AB AB AB", 1, 3.35), (std::vector<std::wstring>{L"AB AB", L"AB"}));
    EXPECT_EQ(mtextLines(L"AB AB AB", 2, 3.35), (std::vector<std::wstring>{L"AB", L"AB", L"AB"}))
        << "the width is in drawing units, the glyphs grow with the height";
    EXPECT_EQ(mtextLines(L"ABABAB AB\\PAB\\~AB", 1, 2), (std::vector<std::wstring>{L"ABABAB", L"AB",
                                                                                   L"AB\x00a0"
                                                                                   L"AB"}))
        << "a long word stands alone; paragraphs start new lines; \\~ holds";
    EXPECT_EQ(mtextLines(L"AB   AB  ", 1, 10), std::vector<std::wstring>{L"AB   AB"})
        << "trailing blanks are not drawn";

    AcDbMText m;
    m.setContents(L"AB AB AB");
    m.setTextHeight(1.0);
    m.setWidth(3.35);
    expectBox(m, 0, -1 - 5.0 / 3.0, 3.3, 0);  // two lines, as wide as the longest
}

TEST(Extents, MTextBoxByAttachmentAndLineSpacing) {
    AcDbMText m;
    m.setContents(L"AB\\PA");
    m.setTextHeight(3.0);
    m.setLocation(AcGePoint3d(10, 10, 0));
    m.setLineSpacingFactor(2.0);
    expectBox(m, 10, -3, 14.2, 10);  // top left; 3 + 3 * 5/3 * 2 = 13 high
    m.setAttachment(AcDbMText::kMiddleCenter);
    expectBox(m, 7.9, 3.5, 12.1, 16.5);
    m.setAttachment(AcDbMText::kBottomRight);
    expectBox(m, 5.8, 10, 10, 23);
    EXPECT_EQ(m.setLineSpacingFactor(5.0), Acad::eInvalidInput);
}

// A new drawing is AC1032, UTF-8: "a" and 599 letters of two bytes make
// 1,199 bytes.  Pieces go under code 3 and the rest under code 1, each of
// at most 250 bytes and never cut inside a letter: 250 would be, so the
// first piece is 249, then 250 each, and 200 are left.
TEST(MText, LongContentsAreSplitIntoPiecesAndJoinedBack) {
    AcDbDatabase db;
    auto* m = new AcDbMText;
    const std::wstring longText = L"a" + std::wstring(599, L'\xE0');
    m->setContents(longText.c_str());
    ASSERT_FALSE(append(db, m).isNull());
    const std::string out = saved(db);
    AcDbDatabase again(false);
    ASSERT_EQ(again.readDxfBuffer(out), Acad::eOk) << again.lastErrorMessage();
    AcDbMText* read = nullptr;
    ASSERT_EQ(acdbOpenObject(read, firstOf(again, "MTEXT"), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::wstring(read->contentsConst()), longText);
    read->close();
    const size_t start = out.find("\nMTEXT\n");
    ASSERT_NE(start, std::string::npos);
    std::istringstream tags(out.substr(start + 7));
    std::string code, value, pieces;
    while (std::getline(tags, code) && std::getline(tags, value) && code != "  0")
        if (code == "  3" || code == "  1")
            pieces += code + "=" + std::to_string(value.size()) + " ";
    EXPECT_EQ(pieces, "  3=249   3=250   3=250   3=250   1=200 ");
}
