// The row collection: alignment of rotated rows to a common edge, line
// spacing, giving up, attribute selection and new rows.
#include "host/entity_ops/multi_text.h"

#include <algorithm>
#include <cmath>

#include "entity_fixture.h"

namespace entops_test {
namespace {

constexpr double kEps = 1e-9;

class CollectionTest : public EntityTest {
  protected:
    void Fill(tarsil::MultiText& rows, const std::vector<AcDbObjectId>& ids) {
        for (AcDbObjectId id : ids) ASSERT_TRUE(rows.AddText(id));
    }
    // Loads the 30 degree block as the rows and returns its texts: alpha at
    // (10, 50), bb at (13, 43), gamma delta at (9, 35).
    std::vector<AcDbObjectId> FillRotated(tarsil::MultiText& rows) {
        const std::vector<AcDbObjectId> ids = {Text(L"alpha"), Text(L"bb"), Text(L"gamma delta")};
        Fill(rows, ids);
        return ids;
    }
    std::vector<Snapshot> Snaps(const std::vector<AcDbObjectId>& ids) {
        std::vector<Snapshot> s;
        for (auto id : ids) s.push_back(Snap(id));
        return s;
    }
};

TEST_F(CollectionTest, AlignmentsBringRotatedRowsToTheBlocksLeftRightAndMiddle) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    std::vector<Box> before;
    for (auto id : ids) before.push_back(Extents(id));
    ASSERT_TRUE(rows.AlignLeft());
    // Rotated by 30 degrees, a text's leftmost point is the top of its
    // start: 2.5 * sin 30 = 1.25 left of the position.  gamma delta, at
    // x = 9, is leftmost at 7.75; every start moves to 7.75 + 1.25.
    double right = -1e300;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_NEAR(Snap(ids[i]).position.x, 9.0, kEps) << i;
        const Box after = Extents(ids[i]);
        EXPECT_NEAR(after.minX, 7.75, kEps);
        EXPECT_NEAR(after.minY, before[i].minY, kEps) << "no vertical move";
        right = std::max(right, after.maxX);
    }
    ASSERT_TRUE(rows.AlignRight());
    for (auto id : ids) EXPECT_NEAR(Extents(id).maxX, right, kEps);
    // Aligned right, the block now spans from the widest row's left end.
    ASSERT_TRUE(rows.AlignCenter());
    for (auto id : ids) {
        const Box b = Extents(id);
        EXPECT_NEAR((b.minX + b.maxX) / 2, (7.75 + right) / 2, kEps);
    }
}

TEST_F(CollectionTest, SetLineDistanceLeavesThatGapBetweenRows) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const Box first = Extents(ids[0]);
    std::vector<double> xs;
    for (auto id : ids) xs.push_back(Snap(id).position.x);
    ASSERT_TRUE(rows.SetLineDistance(1.5));
    EXPECT_NEAR(Extents(ids[0]).minY, first.minY, kEps) << "the first row stays";
    for (std::size_t i = 1; i < ids.size(); ++i) {
        EXPECT_NEAR(Extents(ids[i]).maxY, Extents(ids[i - 1]).minY - 1.5, kEps) << i;
        EXPECT_NEAR(Snap(ids[i]).position.x, xs[i], kEps) << "no horizontal move";
    }
    EXPECT_NEAR(rows.Point().y, Extents(ids[2]).minY, kEps);
}

TEST_F(CollectionTest, EqualizeSharesTheFreeSpaceAndKeepsTheEnds) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const Box top = Extents(ids[0]), low = Extents(ids[2]);
    double heights = 0;
    for (auto id : ids) heights += Extents(id).maxY - Extents(id).minY;
    const double expected = (top.maxY - low.minY - heights) / 2;
    EXPECT_NEAR(rows.EqualizeLineDistance(), expected, kEps);
    for (std::size_t i = 1; i < ids.size(); ++i)
        EXPECT_NEAR(Extents(ids[i - 1]).minY - Extents(ids[i]).maxY, expected, kEps);
    EXPECT_NEAR(Extents(ids[0]).maxY, top.maxY, kEps);
    EXPECT_NEAR(Extents(ids[2]).minY, low.minY, kEps) << "the last row ends where it was";
}

TEST_F(CollectionTest, EqualizeOnTwoRowsGivesTheirGapAndWithNothingToShareMovesNothing) {
    const std::vector<AcDbObjectId> ids = {Text(L"top line"), Text(L""), Text(L"bottom line")};
    const std::vector<Snapshot> before = Snaps(ids);
    tarsil::MultiText two;
    Fill(two, {ids[0], ids[2]});
    // Top line: baseline 60, its "p" a quarter height (0.75) below; bottom
    // line: baseline 40, no descender, height 3.
    EXPECT_NEAR(two.EqualizeLineDistance(), 60.0 - 0.75 - 43.0, kEps);
    EXPECT_EQ(Snap(ids[0]), before[0]);
    EXPECT_TRUE(Snap(ids[2]).position.isEqualTo(before[2].position, kEps));
    tarsil::MultiText one;
    Fill(one, {ids[0]});
    EXPECT_EQ(one.EqualizeLineDistance(), 0.0);
    // Rows whose text the user cleared have no height to share.
    SetString(ids[0], L"");
    SetString(ids[2], L"");
    tarsil::MultiText cleared;
    Fill(cleared, ids);
    const std::vector<Snapshot> emptied = Snaps(ids);
    EXPECT_EQ(cleared.EqualizeLineDistance(), 0.0);
    EXPECT_EQ(Snaps(ids), emptied);
    EXPECT_TRUE(std::isfinite(cleared.Point().y));
}

TEST_F(CollectionTest, EmptyRowIsSpacedAsIfItReadNinetyNine) {
    tarsil::MultiText rows;
    const AcDbObjectId top = Text(L"top line"), empty = Text(L""), bottom = Text(L"bottom line");
    Fill(rows, {top, empty, bottom});
    ASSERT_TRUE(rows.SetLineDistance(2.0));
    // Top line ends 0.75 below its baseline 60 (the "p"); "99" at height 3
    // stands from its baseline to 3 above it.
    const double emptyBaseline = 60.0 - 0.75 - 2.0 - 3.0;
    EXPECT_NEAR(Snap(empty).position.y, emptyBaseline, kEps);
    EXPECT_EQ(String(empty), L"");
    EXPECT_NEAR(Snap(bottom).position.y, emptyBaseline - 2.0 - 3.0, kEps);
}

TEST_F(CollectionTest, RestoresTakeBackAlignmentInnerSpacingAndEverything) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const std::vector<Snapshot> before = Snaps(ids);
    ASSERT_TRUE(rows.AlignRight());
    ASSERT_TRUE(rows.AlignCenter());
    ASSERT_TRUE(rows.RestoreHorizontal());
    for (std::size_t i = 0; i < ids.size(); ++i)
        EXPECT_TRUE(Snap(ids[i]).position.isEqualTo(before[i].position, kEps)) << i;
    ASSERT_TRUE(rows.SetLineDistance(4.0));
    const std::vector<Snapshot> spaced = Snaps(ids);
    ASSERT_FALSE(spaced[1].position.isEqualTo(before[1].position, 0.1));
    ASSERT_FALSE(spaced[2].position.isEqualTo(before[2].position, 0.1));
    // The first and last rows keep the new spacing; the inner one goes back.
    ASSERT_TRUE(rows.RestoreVertical());
    EXPECT_TRUE(Snap(ids[0]).position.isEqualTo(spaced[0].position, 1e-12));
    EXPECT_TRUE(Snap(ids[1]).position.isEqualTo(before[1].position, kEps));
    EXPECT_TRUE(Snap(ids[2]).position.isEqualTo(spaced[2].position, 1e-12));

    // Every row gives up its own changes (what a row restores is its own test).
    ASSERT_TRUE(rows[1]->SetText(L"other"));
    ASSERT_TRUE(rows[2]->SetHeight(7));
    ASSERT_TRUE(rows.RestoreAll());
    EXPECT_EQ(String(ids[1]), before[1].text);
    EXPECT_NEAR(Snap(ids[2]).height, before[2].height, kEps);
}

TEST_F(CollectionTest, LockedRowStopsAlignmentAndSpacingBeforeAnythingMoves) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const std::vector<Snapshot> before = Snaps(ids);
    AcDbText* held = nullptr;
    ASSERT_EQ(acdbOpenObject(held, ids[2], AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(rows.AlignLeft());
    EXPECT_EQ(rows.EqualizeLineDistance(), 0.0);
    held->close();
    EXPECT_EQ(alerts_, std::vector<std::wstring>(2, L"\nFindExtensionPoints: Cannot open object"));
    EXPECT_EQ(Snaps(ids), before);
}

TEST_F(CollectionTest, RowIndexStyleIndexAndTheCurrentCollection) {
    EXPECT_EQ(tarsil::MultiText::Current(), nullptr);
    tarsil::MultiText rows;
    FillRotated(rows);
    EXPECT_NE(rows[2], nullptr);
    EXPECT_EQ(rows[3], nullptr);
    EXPECT_EQ(rows[-1], nullptr);
    EXPECT_EQ(alerts_,
              (std::vector<std::wstring>{L"operator[](int index): index=3 Out of Range",
                                         L"operator[](int index): index=-1 Out of Range"}));
    const auto& styles = rows.StyleNames();
    auto at = [&](const wchar_t* name) {
        return std::find(styles.begin(), styles.end(), name) - styles.begin();
    };
    ASSERT_LT(at(L"HEBNORM"), static_cast<long>(styles.size()));
    EXPECT_EQ(rows.StyleIndex(L"hebnorm"), at(L"HEBNORM"));
    EXPECT_EQ(rows.StyleIndex(L"no such"), -1);
    // The newest collection is the current one.
    EXPECT_EQ(tarsil::MultiText::Current(), &rows);
    {
        tarsil::MultiText inner;
        EXPECT_EQ(tarsil::MultiText::Current(), &inner);
    }
    EXPECT_EQ(tarsil::MultiText::Current(), &rows);
}

TEST_F(CollectionTest, SelectingABlockMakesARowPerAttributeAndAnythingElseNone) {
    RotateUcs(30);
    tarsil::MultiText rows;
    type({Handle(Insert(L"TAGS"))});
    ASSERT_TRUE(rows.SelectAttributes());
    EXPECT_TRUE(rows.IsAttributeMode());
    EXPECT_NEAR(rows.UcsXAngle(), M_PI / 6, 1e-12);
    ASSERT_EQ(rows.RowCount(), 3);
    EXPECT_EQ(rows.Tags(), (std::vector<std::wstring>{L"NAME", L"NUMBER", L"DATE"}));
    EXPECT_EQ(rows[0]->GetText().value_or(L"?"), L"first attribute");
    EXPECT_EQ(rows[1]->GetText().value_or(L"?"), L"42");
    EXPECT_NE(output_.find(L"Select block for edit attributes: "), std::wstring::npos);
    // A block without attributes, a cancel, a text (only block references
    // are taken).
    for (const std::vector<std::wstring>& answers :
         {std::vector{Handle(Insert(L"PLAIN"))}, std::vector<std::wstring>{L"ESC"},
          std::vector{Handle(Text(L"alpha")), std::wstring()}}) {
        tarsil::MultiText none;
        for (const auto& answer : answers) type({answer});
        EXPECT_FALSE(none.SelectAttributes()) << Narrow(answers.front());
        EXPECT_EQ(none.RowCount(), 0);
    }
}

// A right-justified Hebrew row of the kind attributes of title blocks hold:
// a row added below it continues the block at its right edge, and lands in
// model space even while paper space is current.
TEST_F(CollectionTest, RowsAddedBelowFollowTheLastRowsAnchorInModelSpace) {
    const AcDbObjectId right = Text(L"bottom line");
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, right, AcDb::kForWrite), Acad::eOk);
    text->setTextString(L"\u00F9\u00EC\u00E5\u00ED");
    text->setHeight(2.0);
    text->setHorizontalMode(AcDb::kTextRight);
    text->setAlignmentPoint(AcGePoint3d(60, 20, 0));
    text->adjustAlignment(db());
    text->close();
    SetShortVar(L"CVPORT", 1);

    tarsil::MultiText rows;
    Fill(rows, {Text(L"top line"), right});
    EXPECT_FALSE(rows[0]->IsMoved());
    EXPECT_TRUE(rows.Point().isEqualTo(AcGePoint3d(60, 20, 0), kEps))
        << "the point is the last row's anchor, not its lower-left corner";
    rows.SetRowStep(4.0);
    ASSERT_TRUE(rows.AddRowBelow());
    ASSERT_EQ(rows.RowCount(), 3);
    tarsil::OperationText* added = rows[2];
    EXPECT_TRUE(added->IsSelected());
    const Snapshot s = Snap(added->ObjectId());
    EXPECT_EQ(s.text, L"");
    EXPECT_EQ(s.height, db()->textsize()) << "a text of height 0 takes the drawing's size";
    EXPECT_TRUE(s.alignment.isEqualTo(AcGePoint3d(60, 16, 0), kEps)) << "one row step under it";
    EXPECT_FALSE(s.paper);
    ASSERT_TRUE(added->SetText(L"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5"));
    EXPECT_NEAR(Extents(added->ObjectId()).maxX, Extents(right).maxX, kEps) << "same right edge";
    // Spacing moves only the point's y; the next row stays at the edge.
    ASSERT_TRUE(rows.SetLineDistance(1.0));
    ASSERT_TRUE(rows.AddRowBelow());
    EXPECT_NEAR(Snap(rows[3]->ObjectId()).alignment.x, 60.0, kEps);
    EXPECT_NEAR(Snap(rows[3]->ObjectId()).alignment.y, Extents(added->ObjectId()).minY - 4.0, kEps);

    // Below a left-justified row, the step is taken from its start.
    tarsil::MultiText left;
    Fill(left, {Text(L"top line")});
    left.SetRowStep(5.0);
    ASSERT_TRUE(left.AddRowBelow());
    EXPECT_TRUE(Snap(left[1]->ObjectId()).position.isEqualTo(AcGePoint3d(150, 55, 0), kEps));
}

}  // namespace
}  // namespace entops_test
