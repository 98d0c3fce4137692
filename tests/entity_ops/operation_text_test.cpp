// One editor row: its properties, justification prompts and failures.
#include "host/entity_ops/operation_text.h"

#include <cmath>

#include "cadhost/editor/selection.h"
#include "entity_fixture.h"
#include "host/entity_ops/multi_text.h"
#include "host/layer/entity_host.h"

namespace entops_test {
namespace {

constexpr double kEps = 1e-9;
constexpr double kDegree = M_PI / 180.0;

class RowTest : public EntityTest {
  protected:
    tarsil::OperationText Row(const std::wstring& text) {
        tarsil::OperationText row;
        EXPECT_TRUE(row.Load(Text(text)));
        return row;
    }
};

TEST_F(RowTest, LoadTakesTheSnapshot) {
    auto row = Row(L"justify me");
    EXPECT_EQ(row.Loaded().textString, L"justify me");
    EXPECT_NEAR(row.Loaded().height, 2.0, kEps);
    EXPECT_NEAR(row.Loaded().rotation, 10 * kDegree, 1e-9);
    EXPECT_NEAR(row.Loaded().position.x, 100.0, kEps);
    EXPECT_FALSE(row.IsMoved());
    tarsil::OperationText missing;
    EXPECT_FALSE(missing.Load(AcDbObjectId()));
}

TEST_F(RowTest, HighlightIsShownByTheHostAndTakenBack) {
    auto row = Row(L"alpha");
    const int repaints = tarsil::layer::DocumentRepaintCount();
    row.Highlight(true);
    EXPECT_TRUE(cadhost::isHighlighted(row.ObjectId()));
    EXPECT_FALSE(cadhost::isHighlighted(Text(L"fit me"))) << "only the row's own text";
    row.Highlight(false);
    EXPECT_FALSE(cadhost::isHighlighted(row.ObjectId()));
    EXPECT_EQ(tarsil::layer::DocumentRepaintCount(), repaints + 2) << "each repaints the view";
}

TEST_F(RowTest, HeightOfZeroChangesNothing) {
    auto row = Row(L"alpha");
    EXPECT_TRUE(row.SetHeight(0.0));
    EXPECT_NEAR(row.GetHeight(), 2.5, kEps);
    EXPECT_TRUE(row.SetHeight(4.0));
    EXPECT_NEAR(row.GetHeight(), 4.0, kEps);
}

TEST_F(RowTest, RotationIsMeasuredFromTheUserXAxis) {
    RotateUcs(90);
    tarsil::MultiText rows;  // the current collection takes the UCS angle
    auto row = Row(L"fit me");
    ASSERT_TRUE(row.SetRotation(30.0));
    EXPECT_NEAR(Snap(Text(L"fit me")).rotation, 120 * kDegree, 1e-9);
    EXPECT_NEAR(row.GetRotation(), 30 * kDegree, 1e-9);
}

TEST_F(RowTest, RotationWithoutCollectionIsWorld) {
    RotateUcs(45);
    auto row = Row(L"fit me");
    ASSERT_TRUE(row.SetRotation(30.0));
    EXPECT_NEAR(row.GetRotation(), 30 * kDegree, 1e-9);
}

TEST_F(RowTest, StyleIsSetByNameWithoutRegardToCase) {
    auto row = Row(L"alpha");
    EXPECT_EQ(row.GetTextStyleName(), L"Standard");
    EXPECT_TRUE(row.SetTextStyle(L"hebnorm"));
    EXPECT_EQ(row.GetTextStyleName(), L"HEBNORM");
    EXPECT_FALSE(row.SetTextStyle(L"NO SUCH STYLE"));
    EXPECT_EQ(row.GetTextStyleName(), L"HEBNORM");
}

TEST_F(RowTest, TextGoesThroughTheStyleFont) {
    const AcDbObjectId id = Text(L"hebnorm text");
    auto row = Row(L"hebnorm text");
    ASSERT_TRUE(row.SetText(std::wstring{0xE0, 0xE1}));
    // Stored in the DOS layout and in visual order.
    EXPECT_EQ(String(id), (std::wstring{0x81, 0x80}));
    EXPECT_EQ(row.GetText().value_or(L"?"), (std::wstring{0xE0, 0xE1}));
}

TEST_F(RowTest, FitAsksForTwoBaselinePointsAndNarrowsTheText) {
    auto row = Row(L"fit me");
    type({L"110,10", L"130,10"});
    ASSERT_TRUE(row.SetJustification(5));
    const Snapshot s = Snap(Text(L"fit me"));
    EXPECT_EQ(s.h, 5);
    EXPECT_EQ(s.v, 0);
    EXPECT_TRUE(s.position.isEqualTo(AcGePoint3d(110, 10, 0)));
    EXPECT_TRUE(s.alignment.isEqualTo(AcGePoint3d(130, 10, 0)));
    EXPECT_NEAR(s.widthFactor, 0.3, kEps);
    const auto first = out.find(L"Specify first endpoint of text baseline: ");
    const auto second = out.find(L"Specify second endpoint of text baseline: ");
    ASSERT_NE(first, std::wstring::npos) << Narrow(out);
    ASSERT_NE(second, std::wstring::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(row.GetJustification(), 5);
    EXPECT_TRUE(row.IsAlignedOrFit());
}

TEST_F(RowTest, BaselinePointsAreTakenInTheUserSystem) {
    RotateUcs(90);
    auto row = Row(L"fit me");
    // With the X axis turned to world Y, user (x, y) is world (-y, x).
    type({L"10,-110", L"10,-130"});
    ASSERT_TRUE(row.SetJustification(3));
    const Snapshot s = Snap(Text(L"fit me"));
    EXPECT_EQ(s.h, 3);
    EXPECT_TRUE(s.position.isEqualTo(AcGePoint3d(110, 10, 0), 1e-9));
    EXPECT_TRUE(s.alignment.isEqualTo(AcGePoint3d(130, 10, 0), 1e-9));
}

TEST_F(RowTest, CancelAtAnyJustificationPromptLeavesTheText) {
    AcDbObjectId id = Text(L"fit me");
    const Snapshot before = Snap(id);
    auto row = Row(L"fit me");
    type({L"ESC"});
    EXPECT_FALSE(row.SetJustification(5));
    EXPECT_EQ(Snap(id), before);
    type({L"110,10", L"ESC"});
    EXPECT_FALSE(row.SetJustification(5));
    EXPECT_EQ(Snap(id), before);
    type({L"ESC"});
    EXPECT_FALSE(row.SetJustification(8));
    EXPECT_EQ(Snap(id), before);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(RowTest, EnterRepeatsThePointPrompt) {
    auto row = Row(L"justify me");
    type({L"", L"", L"120,30"});
    ASSERT_TRUE(row.SetJustification(2));
    const Snapshot s = Snap(Text(L"justify me"));
    EXPECT_EQ(s.h, 2);
    EXPECT_TRUE(s.alignment.isEqualTo(AcGePoint3d(120, 30, 0)));
    // Right justified: the baseline ends at the alignment point, so the
    // position lies one text width back along the 10 degree baseline.
    const double dx = s.alignment.x - s.position.x, dy = s.alignment.y - s.position.y;
    EXPECT_NEAR(std::atan2(dy, dx), 10 * kDegree, 1e-9);
    std::size_t prompts = 0;
    for (auto at = out.find(L"Specify a point: "); at != std::wstring::npos;
         at = out.find(L"Specify a point: ", at + 1))
        ++prompts;
    EXPECT_EQ(prompts, 3u);
}

TEST_F(RowTest, TopLeftKeepsTheTopAtThePickedPoint) {
    auto row = Row(L"fit me");
    type({L"100,20"});
    ASSERT_TRUE(row.SetJustification(6));
    EXPECT_EQ(row.GetJustification(), 6);
    const Box b = Extents(Text(L"fit me"));
    EXPECT_NEAR(b.maxY, 20.0, 1e-9) << "the top of an unrotated text lies at the point";
    EXPECT_NEAR(b.minX, 100.0, 1e-9);
}

TEST_F(RowTest, MovedTopLeftTextStaysMovedWhenItsHeightChanges) {
    // Top Left is placed by its alignment point: a move that left that
    // point behind would be undone as soon as the text is placed again.
    const AcDbObjectId id = Text(L"fit me");
    auto row = Row(L"fit me");
    type({L"100,20"});
    ASSERT_TRUE(row.SetJustification(6));
    ASSERT_TRUE(row.AlignLeftTo(50.0));
    EXPECT_NEAR(Extents(id).minX, 50.0, 1e-9);
    ASSERT_TRUE(row.SetHeight(4.0));
    const Box b = Extents(id);
    EXPECT_NEAR(b.minX, 50.0, 1e-9);
    EXPECT_NEAR(b.maxY, 20.0, 1e-9) << "the top stays at the alignment point";
    EXPECT_TRUE(Snap(id).alignment.isEqualTo(AcGePoint3d(50, 20, 0), 1e-9));
}

TEST_F(RowTest, InsertionPointMovesByTheCurrentJustification) {
    AcDbObjectId id = Text(L"middle me");
    auto row = Row(L"middle me");
    const int justification = row.GetJustification();
    EXPECT_EQ(justification, 10);  // Middle Center
    type({L"120,50"});
    ASSERT_TRUE(row.PickInsertionPoint());
    EXPECT_EQ(row.GetJustification(), justification);
    EXPECT_TRUE(Snap(id).alignment.isEqualTo(AcGePoint3d(120, 50, 0)));
    const Box b = Extents(id);
    EXPECT_NEAR((b.minX + b.maxX) / 2, 120.0, 1e-9);

    auto plain = Row(L"alpha");
    type({L"1,2"});
    ASSERT_TRUE(plain.PickInsertionPoint());
    EXPECT_TRUE(Snap(Text(L"alpha")).position.isEqualTo(AcGePoint3d(1, 2, 0)));
}

TEST_F(RowTest, CancelledInsertionPointLeavesTheText) {
    AcDbObjectId id = Text(L"middle me");
    const Snapshot before = Snap(id);
    auto row = Row(L"middle me");
    type({L"^C"});
    EXPECT_FALSE(row.PickInsertionPoint());
    EXPECT_EQ(Snap(id), before);
}

TEST_F(RowTest, RestoreWritesTheLoadedSnapshotBack) {
    AcDbObjectId id = Text(L"justify me");
    const Snapshot before = Snap(id);
    auto row = Row(L"justify me");
    ASSERT_TRUE(row.SetHeight(5));
    ASSERT_TRUE(row.SetText(L"changed"));
    ASSERT_TRUE(row.SetTextStyle(L"ROMANS"));
    type({L"0,0", L"10,0"});
    ASSERT_TRUE(row.SetJustification(5));
    ASSERT_TRUE(row.AlignLeftTo(-50));
    const Snapshot changed = Snap(id);
    EXPECT_EQ(changed.text, L"changed");
    EXPECT_NE(changed.style, before.style);
    EXPECT_EQ(changed.h, 5);
    EXPECT_NE(changed.height, before.height);
    ASSERT_TRUE(row.Restore());
    const Snapshot after = Snap(id);
    EXPECT_EQ(after.text, before.text);
    EXPECT_EQ(after.style, before.style);
    EXPECT_EQ(after.h, before.h);
    EXPECT_EQ(after.v, before.v);
    EXPECT_NEAR(after.height, before.height, kEps);
    EXPECT_NEAR(after.widthFactor, before.widthFactor, kEps);
    EXPECT_NEAR(after.rotation, before.rotation, 1e-9);
    EXPECT_TRUE(after.position.isEqualTo(before.position, 1e-9));
}

TEST_F(RowTest, LockedTextIsReportedByEveryOperation) {
    AcDbObjectId id = Text(L"alpha");
    auto row = Row(L"alpha");
    AcDbText* held = nullptr;
    ASSERT_EQ(acdbOpenObject(held, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(row.GetHeight(), 0.0);
    EXPECT_EQ(row.GetJustification(), 0);
    EXPECT_EQ(row.GetTextStyleName(), L"");
    EXPECT_FALSE(row.GetText().has_value());
    EXPECT_FALSE(row.SetTextStyle(L"ROMANS"));
    const std::size_t reads = alerts.size();
    EXPECT_EQ(reads, 5u);
    for (const auto& a : alerts) EXPECT_EQ(a, L"\nCannot open the object TEXT");
    EXPECT_FALSE(row.SetHeight(3));
    EXPECT_FALSE(row.SetRotation(3));
    EXPECT_FALSE(row.AlignLeftTo(0));
    EXPECT_FALSE(row.Restore());
    EXPECT_FALSE(row.SetJustification(2));
    ASSERT_EQ(alerts.size(), reads + 5);
    for (std::size_t i = reads; i < alerts.size(); ++i)
        EXPECT_EQ(alerts[i], L"\nCannot open object text\n");
    held->close();
    EXPECT_FALSE(row.IsMoved());
    EXPECT_NEAR(Snap(id).height, 2.5, kEps);
}

}  // namespace
}  // namespace entops_test
