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
    double PositionX(AcDbObjectId id) { return Snap(id).position.x; }
};

TEST_F(CollectionTest, AlignLeftPutsRotatedRowsOnTheLeftmostCorner) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    std::vector<Box> before;
    for (auto id : ids) before.push_back(Extents(id));
    ASSERT_TRUE(rows.AlignLeft());
    // Rotated by 30 degrees, a text's leftmost point is the top of its
    // start: 2.5 * sin 30 = 1.25 left of the position.  gamma delta, at
    // x = 9, is leftmost at 7.75; every start moves to 7.75 + 1.25.
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_NEAR(PositionX(ids[i]), 9.0, 1e-9) << i;
        const Box after = Extents(ids[i]);
        EXPECT_NEAR(after.minX, 7.75, 1e-9);
        EXPECT_NEAR(after.minY, before[i].minY, kEps) << "no vertical move";
    }
}

TEST_F(CollectionTest, AlignRightAndCenterMeetTheBlockEdges) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    double right = -1e300;
    for (auto id : ids) right = std::max(right, Extents(id).maxX);
    ASSERT_TRUE(rows.AlignRight());
    for (auto id : ids) EXPECT_NEAR(Extents(id).maxX, right, 1e-9);
    // Aligned right, the block now spans from the widest row's left end.
    double newLeft = 1e300;
    for (auto id : ids) newLeft = std::min(newLeft, Extents(id).minX);
    ASSERT_TRUE(rows.AlignCenter());
    for (auto id : ids) {
        const Box b = Extents(id);
        EXPECT_NEAR((b.minX + b.maxX) / 2, (newLeft + right) / 2, 1e-9);
    }
}

TEST_F(CollectionTest, JustifiedRowsMoveWithTheirAlignmentPoint) {
    tarsil::MultiText rows;
    const std::vector<AcDbObjectId> ids = {Text(L"right one"), Text(L"r2"),
                                           Text(L"right number three")};
    // Place them as the host does: the baseline ends at the alignment point.
    for (auto id : ids) {
        AcDbText* text = nullptr;
        ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForWrite), Acad::eOk);
        text->adjustAlignment();
        text->close();
    }
    Fill(rows, ids);
    double left = 1e300;
    for (auto id : ids) left = std::min(left, Extents(id).minX);
    ASSERT_TRUE(rows.AlignLeft());
    for (auto id : ids) {
        const Snapshot s = Snap(id);
        EXPECT_NEAR(Extents(id).minX, left, 1e-9);
        // The baseline still ends at the alignment point, along 15 degrees.
        EXPECT_NEAR(std::atan2(s.alignment.y - s.position.y, s.alignment.x - s.position.x),
                    15 * M_PI / 180, 1e-9);
    }
}

TEST_F(CollectionTest, SetLineDistanceLeavesThatGapBetweenRows) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const Box first = Extents(ids[0]);
    std::vector<double> xs;
    for (auto id : ids) xs.push_back(PositionX(id));
    ASSERT_TRUE(rows.SetLineDistance(1.5));
    EXPECT_NEAR(Extents(ids[0]).minY, first.minY, kEps) << "the first row stays";
    for (std::size_t i = 1; i < ids.size(); ++i) {
        EXPECT_NEAR(Extents(ids[i]).maxY, Extents(ids[i - 1]).minY - 1.5, 1e-9) << i;
        EXPECT_NEAR(PositionX(ids[i]), xs[i], kEps) << "no horizontal move";
    }
    EXPECT_NEAR(rows.Point().y, Extents(ids[2]).minY, 1e-9);
}

TEST_F(CollectionTest, EqualizeSharesTheFreeSpaceAndKeepsTheEnds) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const Box top = Extents(ids[0]), low = Extents(ids[2]);
    double heights = 0;
    for (auto id : ids) heights += Extents(id).maxY - Extents(id).minY;
    const double expected = (top.maxY - low.minY - heights) / 2;
    EXPECT_NEAR(rows.EqualizeLineDistance(), expected, 1e-9);
    for (std::size_t i = 1; i < ids.size(); ++i)
        EXPECT_NEAR(Extents(ids[i - 1]).minY - Extents(ids[i]).maxY, expected, 1e-9);
    EXPECT_NEAR(Extents(ids[0]).maxY, top.maxY, 1e-9);
    EXPECT_NEAR(Extents(ids[2]).minY, low.minY, 1e-9) << "the last row ends where it was";
}

TEST_F(CollectionTest, EqualizeOnTwoRowsGivesTheirGapAndOnOneRowNothing) {
    tarsil::MultiText two;
    const AcDbObjectId top = Text(L"top line"), bottom = Text(L"bottom line");
    Fill(two, {top, bottom});
    const Snapshot t = Snap(top), b = Snap(bottom);
    // Top line: baseline 60, its "p" a quarter height (0.75) below; bottom
    // line: baseline 40, no descender, height 3.
    EXPECT_NEAR(two.EqualizeLineDistance(), 60.0 - 0.75 - 43.0, 1e-9);
    EXPECT_EQ(Snap(top), t);
    EXPECT_TRUE(Snap(bottom).position.isEqualTo(b.position, 1e-9));

    tarsil::MultiText one;
    Fill(one, {top});
    EXPECT_EQ(one.EqualizeLineDistance(), 0.0);
    EXPECT_EQ(Snap(top), t);
}

TEST_F(CollectionTest, EqualizeOverOnlyEmptyRowsMeasuresNothingAndMovesNothing) {
    // Three rows whose text the user cleared: there is no height to share,
    // so the rows must stay where they are.
    const AcDbObjectId top = Text(L"top line"), empty = Text(L""), bottom = Text(L"bottom line");
    SetString(top, L"");
    SetString(bottom, L"");
    tarsil::MultiText rows;
    Fill(rows, {top, empty, bottom});
    const Snapshot t = Snap(top), e = Snap(empty), b = Snap(bottom);
    EXPECT_EQ(rows.EqualizeLineDistance(), 0.0);
    EXPECT_EQ(Snap(top), t);
    EXPECT_EQ(Snap(empty), e);
    EXPECT_EQ(Snap(bottom), b);
    EXPECT_TRUE(std::isfinite(rows.Point().y));
}

TEST_F(CollectionTest, EmptyRowIsSpacedAsIfItReadNinetyNine) {
    tarsil::MultiText rows;
    const AcDbObjectId top = Text(L"top line"), empty = Text(L""), bottom = Text(L"bottom line");
    Fill(rows, {top, empty, bottom});
    ASSERT_TRUE(rows.SetLineDistance(2.0));
    // Top line ends 0.75 below its baseline 60 (the "p"); "99" at height 3
    // stands from its baseline to 3 above it.
    const double emptyBaseline = 60.0 - 0.75 - 2.0 - 3.0;
    EXPECT_NEAR(Snap(empty).position.y, emptyBaseline, 1e-9);
    EXPECT_EQ(String(empty), L"");
    EXPECT_NEAR(Snap(bottom).position.y, emptyBaseline - 2.0 - 3.0, 1e-9);
}

TEST_F(CollectionTest, RestoresTakeBackAlignmentAndInnerSpacing) {
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
}

TEST_F(CollectionTest, RestoreAllGivesUpEveryChange) {
    tarsil::MultiText rows;
    const auto ids = FillRotated(rows);
    const std::vector<Snapshot> before = Snaps(ids);
    ASSERT_TRUE(rows.AlignRight());
    ASSERT_TRUE(rows.SetLineDistance(3));
    ASSERT_TRUE(rows[1]->SetText(L"other"));
    ASSERT_TRUE(rows[2]->SetHeight(7));
    const std::vector<Snapshot> changed = Snaps(ids);
    EXPECT_NE(changed[1].text, before[1].text);
    EXPECT_NEAR(changed[2].height, 7, kEps);
    EXPECT_FALSE(changed[0].position.isEqualTo(before[0].position, 1e-9));
    ASSERT_TRUE(rows.RestoreAll());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const Snapshot s = Snap(ids[i]);
        EXPECT_EQ(s.text, before[i].text);
        EXPECT_NEAR(s.height, before[i].height, kEps);
        EXPECT_TRUE(s.position.isEqualTo(before[i].position, 1e-9)) << i;
    }
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

TEST_F(CollectionTest, RowIndexStyleAndJustificationListsAndTheCurrentCollection) {
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
    ASSERT_LT(at(L"UNMAPPED"), static_cast<long>(styles.size()));
    EXPECT_LT(at(L"HEBNORM"), at(L"HEB7BIT")) << "table order";
    EXPECT_EQ(rows.StyleIndex(L"hebnorm"), at(L"HEBNORM"));
    EXPECT_EQ(rows.StyleIndex(L"no such"), -1);
    const auto names = rows.JustificationNames();
    ASSERT_EQ(names.size(), 15u);
    EXPECT_EQ(names[0], L"Left");
    EXPECT_EQ(names[5], L"Fit");
    EXPECT_EQ(names[14], L"Bottom Right");
    // The newest collection is the current one.
    EXPECT_EQ(tarsil::MultiText::Current(), &rows);
    {
        tarsil::MultiText inner;
        EXPECT_EQ(tarsil::MultiText::Current(), &inner);
    }
    EXPECT_EQ(tarsil::MultiText::Current(), &rows);
}

TEST_F(CollectionTest, SelectingABlockMakesARowPerAttribute) {
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
}

TEST_F(CollectionTest, BlockWithoutAttributesOrCancelSelectsNothing) {
    tarsil::MultiText plain;
    type({Handle(Insert(L"PLAIN"))});
    EXPECT_FALSE(plain.SelectAttributes());
    EXPECT_EQ(plain.RowCount(), 0);
    tarsil::MultiText cancelled;
    type({L"ESC"});
    EXPECT_FALSE(cancelled.SelectAttributes());
    tarsil::MultiText wrongType;
    type({Handle(Text(L"alpha")), L""});
    EXPECT_FALSE(wrongType.SelectAttributes()) << "only block references are taken";
}

TEST_F(CollectionTest, AddedRowLandsInModelSpaceOneStepBelow) {
    SetCvport(1);
    tarsil::MultiText rows;
    Fill(rows, {Text(L"top line"), Text(L"bottom line")});
    rows.SetRowStep(5.0);
    ASSERT_TRUE(rows.AddRowBelow());
    ASSERT_EQ(rows.RowCount(), 3);
    tarsil::OperationText* added = rows[2];
    EXPECT_TRUE(added->IsSelected());
    const Snapshot s = Snap(added->ObjectId());
    EXPECT_TRUE(s.position.isEqualTo(AcGePoint3d(150, 35, 0), 1e-9));
    EXPECT_EQ(s.text, L"");
    EXPECT_EQ(s.height, db()->textsize()) << "a text of height 0 takes the drawing's size";
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, added->ObjectId(), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(text->isInPaperSpace());
    text->close();
    ASSERT_TRUE(rows.AddRowBelow());
    EXPECT_TRUE(Snap(rows[3]->ObjectId()).position.isEqualTo(AcGePoint3d(150, 30, 0), 1e-9));
}

// A right-justified Hebrew row of the kind attributes of title blocks hold:
// a row added below it continues the block at its right edge.
TEST_F(CollectionTest, RowAddedBelowARightJustifiedRowKeepsItsRightEdge) {
    const AcDbObjectId right = Text(L"bottom line");
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, right, AcDb::kForWrite), Acad::eOk);
    text->setTextString(L"\u00F9\u00EC\u00E5\u00ED");
    text->setHeight(2.0);
    text->setHorizontalMode(AcDb::kTextRight);
    text->setAlignmentPoint(AcGePoint3d(60, 20, 0));
    text->adjustAlignment(db());
    text->close();

    tarsil::MultiText rows;
    Fill(rows, {Text(L"top line"), right});
    EXPECT_FALSE(rows[0]->IsMoved());
    EXPECT_TRUE(rows.Point().isEqualTo(AcGePoint3d(60, 20, 0), 1e-9))
        << "the point is the last row's anchor, not its lower-left corner";
    rows.SetRowStep(4.0);
    ASSERT_TRUE(rows.AddRowBelow());
    tarsil::OperationText* added = rows[2];
    ASSERT_TRUE(added->SetHeight(2.0));
    ASSERT_TRUE(added->SetText(L"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5"));
    EXPECT_NEAR(Extents(added->ObjectId()).maxX, Extents(right).maxX, 1e-9) << "same right edge";
    EXPECT_NEAR(Snap(added->ObjectId()).alignment.y, 16.0, 1e-9) << "one row step under it";
    EXPECT_NEAR(Snap(added->ObjectId()).alignment.x, 60.0, 1e-9);
    // Spacing moves only the point's y; the next row stays at the edge.
    ASSERT_TRUE(rows.SetLineDistance(1.0));
    ASSERT_TRUE(rows.AddRowBelow());
    EXPECT_NEAR(Snap(rows[3]->ObjectId()).alignment.x, 60.0, 1e-9);
    EXPECT_NEAR(Snap(rows[3]->ObjectId()).alignment.y, Extents(added->ObjectId()).minY - 4.0, 1e-9);
}

}  // namespace
}  // namespace entops_test
